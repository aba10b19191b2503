// The main window's step kinds: one button for each kind of new step.
#pragma once
#include "form/form.h"

namespace kvr {

class StepKindsPanel {
 public:
  explicit StepKindsPanel(TForm& okno);
  StepKindsPanel(const StepKindsPanel&) = delete;
  StepKindsPanel& operator=(const StepKindsPanel&) = delete;

  TControl gTypKroku;
  TControl bDefZav;
  TControl bDefZav2;
  TControl bPresun;
  TControl bSkok;
  TControl bDelay;
  TControl bPrevod;
  TControl bFunctions;
};

}  // namespace kvr
