// The listing window: the whole program as a grid, one row per step, with
// the error column the program check writes; from it the operator opens the
// error descriptions and prints the listing.
#pragma once
#include <string>

#include "form/form.h"

namespace kvr {

struct TKontext;
class TfErrors;

class TfPreview : public TForm {
 public:
  TfPreview(TKontext& k, TfErrors& errors);

  TControl mnChyby{*this, "mnChyby", TControlKind::MenuItem, " FEHLER "};
  TControl mnPrint{*this, "mnPrint", TControlKind::MenuItem, "PRINT"};
  TControl ListingGrid{*this, "ListingGrid", TControlKind::Grid, "", {10, 10, 1024, 600}};

  // Creation: the saved place, the menu's caption.
  void FormCreate() override;
  // Fills the grid from the store: caption, headers, columns 0 to 9 of every
  // step; column 10 stays as the program check left it.
  void FormShow() override;
  // Column widths for the window's width.
  void FormResize() override;

  // Empties every cell of rows 1..350; the header row stays.
  void Clear();
  // The text of cell (column, row).
  std::string& Cell(int column, int row);
  const std::string& Cell(int column, int row) const;

  void mnChybyClick();
  void mnPrintClick();

 private:
  TKontext& k_;
  TfErrors& errors_;
};

}  // namespace kvr
