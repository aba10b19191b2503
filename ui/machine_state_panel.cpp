#include "ui/machine_state_panel.h"

#include "model/context.h"
#include "view/captions.h"

namespace kvr {

MachineStatePanel::MachineStatePanel(TForm& okno, TKontext& k)
    : pStav{okno, "pStav", TControlKind::Panel, "", {464, 0, 578, 30}},
      pAction{okno, "pAction", TControlKind::Panel, "AKTIONEN", {848, 538, 194, 30}},
      pAbortStep{okno, "pAbortStep", TControlKind::Panel, "Abbruch", {848, 570, 194, 30}},
      pPocetZavitov{okno, "pPocetZavitov", TControlKind::Panel, "Windungen: ", {464, 638, 190, 30}},
      pPolohaNav{okno, "pPolohaNav", TControlKind::Panel, "Lage: ", {658, 638, 186, 30}},
      pVrstvaNav{okno, "pVrstvaNav", TControlKind::Panel, " LAGE: ", {464, 672, 190, 30}},
      pPrevodNav{okno, "pPrevodNav", TControlKind::Panel, "Getriebe: ", {658, 672, 384, 30}},
      pSmerPosuvu{okno, "pSmerPosuvu", TControlKind::Panel, "", {848, 604, 194, 30}},
      k_(k) {}

void MachineStatePanel::ShowModelAndGear() {
  pStav.Caption = StateCaption(k_.Stroj.Model);
  pPrevodNav.Caption = GearCaption(k_.Stroj);
}

}  // namespace kvr
