// The ENTER window: the machine asked for a confirmation; tapping "ENTER"
// confirms it and switches online mode on.
#pragma once
#include <functional>

#include "form/form.h"

namespace kvr {

class TfENTER : public TForm {
 public:
  TfENTER() : TForm("fENTER", "", {0, 0, 560, 260}) {
    BorderStyle = TBorderStyle::None;
    Position = TPosition::MainFormCenter;
    Color = clBlue;
    Panel1.Color = clWhite;
    Label1.Color = clHighlight;
    Label1.FontColor = clWhite;
    Label1.FontName = "Arial";
    Label1.FontPixels = 120;
    Label1.FontBold = true;
    Label1.OnClick = [this] { Label1Click(); };
  }

  TControl Panel1{*this, "Panel1", TControlKind::Panel, "", {16, 16, 528, 228}};
  TControl Label1{*this, "Label1", TControlKind::Label, "ENTER", {32, 40, 496, 180}};

  // After the window closed on the label: SetOnLine.
  std::function<void()> OnConfirmed;

  void Label1Click() {
    Close(TModalResult::Ok);
    if (OnConfirmed) OnConfirmed();
  }

 private:
  static constexpr TColor clBlue = 0x0000FF;
  static constexpr TColor clHighlight = 0x0078D7;
};

}  // namespace kvr
