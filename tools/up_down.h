// The up/down window: nudges a coordinate in tenths of a millimetre with a
// pair of arrow buttons. The value travels in the context (UpDownDruh,
// UpDownHodnota), not through arguments.
#pragma once
#include <optional>
#include <string>

#include "form/form.h"

namespace kvr {

struct TKontext;

// Which arrow of the pair was pressed: btNext is the right arrow (up),
// btPrev the left one (down).
enum class TUDBtnType { btNext, btPrev };

// The only mode in use: a coordinate in mm, bounded by 0 and MaxBreite.
inline constexpr int kUpDownSuradnica = 14;

class TfUpDown : public TForm {
 public:
  explicit TfUpDown(TKontext& k);

  void FormCreate() override;

  TControl pPanel{*this, "pPanel", TControlKind::Panel, "", {8, 8, 304, 40}};
  // The arrow pair. It keeps its own count in Position (Min..Max), as the
  // designed control does: 100 when the window is created, never reset, and a
  // press that cannot move it does nothing at all.
  TControl bUpDown{*this, "bUpDown", TControlKind::Panel, "", {100, 56, 120, 56}};
  TControl bUpDownPrev{*this, "bUpDownPrev", TControlKind::Button, "<", {4, 4, 54, 48}};
  TControl bUpDownNext{*this, "bUpDownNext", TControlKind::Button, ">", {62, 4, 54, 48}};
  TControl bCancel{*this, "bCancel", TControlKind::Button, "ABBRECHEN", {8, 120, 148, 48}};
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {164, 120, 148, 48}};

  void bUpDownClick(TUDBtnType button);
  void bCancelClick();
  void bOKClick();

 private:
  TKontext& k_;
};

// The opener's side: shows the coordinate in the window and opens it modally;
// the nudged coordinate on OK, nothing on ABBRECHEN.
std::optional<long double> AdjustCoordinate(TKontext& k, TfUpDown& okno, long double suradnica);

}  // namespace kvr
