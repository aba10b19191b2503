// The information window, opened by the main window's menu entry "INFO": a
// drawing of the machine and an information sign above a short text.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;

inline constexpr const char* kObrazokStroja = "nav3.bmp";
inline constexpr const char* kObrazokInfo = "info.bmp";

class TfInfo : public TForm {
 public:
  explicit TfInfo(TKontext& k);

  TControl Panel1{*this, "Panel1", TControlKind::Panel, "", {8, 8, 645, 272}};
  // Pictures stretched to their boxes; the caption names the picture file.
  TControl Image1{*this, "Image1", TControlKind::Image, "", {8, 8, 310, 256}};
  TControl Image2{*this, "Image2", TControlKind::Image, "", {327, 8, 310, 256}};
  TControl Panel2{*this, "Panel2", TControlKind::Panel, "", {8, 288, 645, 65}};

  void FormCreate() override;
  // Points the pictures at their files beside the executable; a missing
  // one is reported and left out.
  void FormShow() override;

  // Shows the window modally.
  void Zobraz();

 private:
  TKontext& k_;
};

}  // namespace kvr
