#include "ui/step_panel.h"

#include <string>

#include "model/context.h"
#include "ui/coil_drawing_panel.h"
#include "view/captions.h"

namespace kvr {

StepPanel::StepPanel(TForm& okno, TKontext& k, CoilDrawingPanel& kresba)
    : BKrok{okno, "BKrok", TControlKind::Button, "SCHRITT:  0", {464, 94, 200, 48}},
      pStepBackground{okno, "pStepBackground", TControlKind::Panel, "SCHRITT:  0", {464, 146, 380, 488}},
      gParam{okno, "gParam", TControlKind::GroupBox, "", {0, 0, 380, 488}},
      bNulovat{okno, "bNulovat", TControlKind::Button, " WINDUNGEN: ", {8, 20, 364, 44}},
      lbSF{okno, "lbSF", TControlKind::Label, "SPEZIELLE FUNKTIONEN", {8, 380, 364, 44}},
      lbInOut{okno, "lbInOut", TControlKind::Label, " EINGÄNGE / AUSGÄNGE ", {8, 432, 364, 44}},
      k_(k),
      kresba_(kresba) {
  gParam.Parent = pStepBackground.Name();
  bNulovat.Parent = gParam.Name();
  lbSF.Parent = gParam.Name();
  lbInOut.Parent = gParam.Name();
}

void StepPanel::ZobrazParametre(int n) {
  BKrok.Caption = StepCaption(n);
  if (n == 0) {
    gParam.Visible = false;
    return;
  }
  gParam.Visible = true;
  gParam.Caption = StepCaption(k_.Program.AktKrok) + " ";
  kresba_.ZobrazKrokPodKresbou(n);
}

void StepPanel::SpinButton1Exit() {
  kresba_.NastavVertPos(k_.Program.AktKrok);
  kresba_.Invalidate();
}

}  // namespace kvr
