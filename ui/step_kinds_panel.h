// The main window's step kinds: one button for each kind of new step, each
// opening the step dialog on its template.
#pragma once
#include "form/form.h"
#include "edit/step_dialog.h"
#include "model/step.h"

namespace kvr {

struct TKontext;
class TParam;

class StepKindsPanel {
 public:
  StepKindsPanel(TForm& okno, TKontext& k, TParam& param);
  StepKindsPanel(const StepKindsPanel&) = delete;
  StepKindsPanel& operator=(const StepKindsPanel&) = delete;

  TControl pPodklad_TypKroku;  // the background holding gTypKroku
  TControl gTypKroku;
  TControl bDefZav;
  TControl bDefZav2;
  TControl bPresun;
  TControl bSkok;
  TControl bDelay;
  TControl bPrevod;
  TControl bFunctions;

  void bDefZavClick();
  void bDefZav2Click();
  void bPresunClick();
  void bSkokClick();
  void bDelayClick();
  void bPrevodClick();

 private:
  // The current step for a new step: the first when none is current offline.
  void PrvyKrok();
  // Opens the step dialog on a new step of kind `druh` made from `zdroj`,
  // then tells the link of the current step.
  void Otvor(int druhParametra, int mode, const TKrok& zdroj, uint8_t druh, TParamSet sada);

  TKontext& k_;
  TParam& param_;
};

// The record the gear button starts from; gear steps have no template.
TKrok PrevodovyKrok();

}  // namespace kvr
