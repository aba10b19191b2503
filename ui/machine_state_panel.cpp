#include "ui/machine_state_panel.h"

#include "model/context.h"
#include "view/captions.h"

namespace kvr {

MachineStatePanel::MachineStatePanel(TForm& okno, TKontext& k)
    : pOnLine{okno, "pOnLine", TControlKind::Panel, "OFFLINE", {464, 0, 120, 30}},
      pStav{okno, "pStav", TControlKind::Panel, "", {588, 0, 454, 30}},
      pAction{okno, "pAction", TControlKind::Panel, "AKTIONEN", {848, 538, 194, 30}},
      pAbortStep{okno, "pAbortStep", TControlKind::Panel, "Abbruch", {848, 570, 194, 30}},
      pNavijacka{okno, "pNavijacka", TControlKind::Panel, "", {464, 638, 578, 64}},
      pPocetZavitov{okno, "pPocetZavitov", TControlKind::Panel, "Windungen: ", {0, 0, 190, 30}},
      pPolohaNav{okno, "pPolohaNav", TControlKind::Panel, "Lage: ", {194, 0, 186, 30}},
      pVrstvaNav{okno, "pVrstvaNav", TControlKind::Panel, " LAGE: ", {0, 34, 190, 30}},
      pPrevodNav{okno, "pPrevodNav", TControlKind::Panel, "Getriebe: ", {194, 34, 384, 30}},
      pSmerPosuvu{okno, "pSmerPosuvu", TControlKind::Panel, "", {848, 604, 194, 30}},
      k_(k) {
  for (TControl* c : {&pPocetZavitov, &pPolohaNav, &pVrstvaNav, &pPrevodNav}) c->Parent = pNavijacka.Name();
}

void MachineStatePanel::ShowModelAndGear() {
  pStav.Caption = StateCaption(k_.Stroj.Model);
  pPrevodNav.Caption = GearCaption(k_.Stroj);
}

}  // namespace kvr
