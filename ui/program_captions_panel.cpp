#include "ui/program_captions_panel.h"

#include "model/context.h"
#include "view/captions.h"

namespace kvr {

ProgramCaptionsPanel::ProgramCaptionsPanel(TForm& okno, TKontext& k)
    : pProgram{okno, "pProgram", TControlKind::Panel, "", {464, 32, 578, 30}},
      lbKostricka{okno, "lbKostricka", TControlKind::Label, "KÖRPER NAME:", {464, 62, 288, 32}},
      lbKonstanty{okno, "lbKonstanty", TControlKind::Label, "KONSTANTEN NAME:", {756, 62, 286, 32}},
      k_(k) {}

void ProgramCaptionsPanel::VypisProgCaption() {
  ProgramCaptions c = ProgramCaptionsOf(k_.Program, *k_.Platform);
  lbKostricka.Caption = std::move(c.Kostricka);
  lbKonstanty.Caption = std::move(c.Konstanty);
  pProgram.Caption = std::move(c.Program);
}

}  // namespace kvr
