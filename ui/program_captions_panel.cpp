#include "ui/program_captions_panel.h"

#include "model/context.h"
#include "view/captions.h"

namespace kvr {

ProgramCaptionsPanel::ProgramCaptionsPanel(TForm& okno, TKontext& k)
    : pPodklad_Global{okno, "pPodklad_Global", TControlKind::Panel, "", {464, 32, 578, 62}},
      pProgram{okno, "pProgram", TControlKind::Panel, "", {0, 0, 578, 30}},
      lbKostricka{okno, "lbKostricka", TControlKind::Label, "KÖRPER NAME:", {0, 30, 288, 32}},
      lbKonstanty{okno, "lbKonstanty", TControlKind::Label, "KONSTANTEN NAME:", {292, 30, 286, 32}},
      k_(k) {
  for (TControl* c : {&pProgram, &lbKostricka, &lbKonstanty}) c->Parent = pPodklad_Global.Name();
}

void ProgramCaptionsPanel::VypisProgCaption() {
  ProgramCaptions c = ProgramCaptionsOf(k_.Program, *k_.Platform);
  lbKostricka.Caption = std::move(c.Kostricka);
  lbKonstanty.Caption = std::move(c.Konstanty);
  pProgram.Caption = std::move(c.Program);
}

}  // namespace kvr
