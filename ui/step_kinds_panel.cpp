#include "ui/step_kinds_panel.h"

namespace kvr {

StepKindsPanel::StepKindsPanel(TForm& okno)
    : gTypKroku{okno, "gTypKroku", TControlKind::GroupBox, "     SCHRITTART    ", {848, 94, 194, 440}},
      bDefZav{okno, "bDefZav", TControlKind::Button, "WINDUNGEN 1", {8, 22, 178, 50}},
      bDefZav2{okno, "bDefZav2", TControlKind::Button, "WINDUNGEN 2", {8, 76, 178, 50}},
      bPresun{okno, "bPresun", TControlKind::Button, "VERSCHIEBUNG", {8, 130, 178, 50}},
      bSkok{okno, "bSkok", TControlKind::Button, "SPRUNG", {8, 184, 178, 50}},
      bDelay{okno, "bDelay", TControlKind::Button, "PAUSE", {8, 238, 178, 50}},
      bPrevod{okno, "bPrevod", TControlKind::Button, "GETRIEBE", {8, 292, 178, 50}},
      bFunctions{okno, "bFunctions", TControlKind::Button, "    FUNKTION.   ", {8, 346, 178, 50}} {
  for (TControl* c : {&bDefZav, &bDefZav2, &bPresun, &bSkok, &bDelay, &bPrevod, &bFunctions}) c->Parent = gTypKroku.Name();
}

}  // namespace kvr
