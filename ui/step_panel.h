// The main window's current step: the step button and the parameter group
// with its special functions and inputs/outputs lines.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;
class CoilDrawingPanel;

class StepPanel {
 public:
  StepPanel(TForm& okno, TKontext& k, CoilDrawingPanel& kresba);
  StepPanel(const StepPanel&) = delete;
  StepPanel& operator=(const StepPanel&) = delete;

  TControl BKrok;
  // The step parameters stand on a background that shows through while no
  // step is shown.
  TControl pStepBackground;
  TControl gParam;
  TControl bNulovat;
  TControl lbSF;
  TControl lbInOut;

  // Shows step n: the step button, the parameter group (hidden for no step)
  // and the panels below the drawing.
  void ZobrazParametre(int n);
  // Leaving the step spinner: the current step comes into view.
  void SpinButton1Exit();

 private:
  TKontext& k_;
  CoilDrawingPanel& kresba_;
};

}  // namespace kvr
