// The main window's current step: the step button with its spinner and the
// parameter group, whose buttons show the step's values and change them for
// the current step or every marked step.
#pragma once
#include <functional>
#include <vector>

#include "form/form.h"
#include "view/step_panel_view.h"

namespace kvr {

struct TKontext;
class CoilDrawingPanel;
class TVstup;
class TParam;
class TfDgIO;

class StepPanel {
 public:
  StepPanel(TForm& okno, TKontext& k, CoilDrawingPanel& kresba, TVstup& vstup, TParam& param, TfDgIO& dgio);
  StepPanel(const StepPanel&) = delete;
  StepPanel& operator=(const StepPanel&) = delete;

  TControl Panel2;
  TControl BKrok;
  // A spinner of two halves: the up half steps forward, the down half back.
  TControl SpinButton1;
  TControl SpinButton1Up;
  TControl SpinButton1Down;
  // The step parameters stand on a background that shows through while no
  // step is shown.
  TControl pPodklad_Param;
  TControl gParam;
  TControl BZavity;
  TControl bPosuvMM;
  // The current step's feed, one representable feed up or down.
  TControl SpinButtonPosuv;
  TControl SpinButtonPosuvUp;
  TControl SpinButtonPosuvDown;
  TControl bLRev;
  TControl bPRev;
  TControl bOtacky;
  TControl pOtackyWarning;
  TControl bRoDo;
  TControl bTypCyklu;
  TControl bNulovat;
  TControl bVrstva;
  TControl bSOtac;
  TControl bSNav;
  TControl bKryt;
  TControl lbSF;
  TControl lbInOut;

  // Shows step n: the step button, the parameter group (hidden for no step)
  // and the panels below the drawing. A run-up or run-down of 0 becomes 1 in
  // the step itself.
  void ZobrazParametre(int n);
  void Vypis_SF(const TKrok& krok);
  void Vypis_IO(const TKrok& krok);

  void BKrokClick();
  void SpinButton1DownClick();
  void SpinButton1UpClick();
  // Leaving the step spinner: the current step comes into view.
  void SpinButton1Exit();
  void BZavityClick();
  void bLRevClick();
  void bPRevClick();
  void bPosuvMMClick();
  void bOtackyClick();
  void pOtackyWarningClick();
  // The inputs/outputs window on the current step.
  void lbInOutClick();
  // Group edits: the layer count and the turn counter setting of the marked
  // steps, or of the current step when none is marked.
  void bVrstvaClick();
  void bNulovatClick();
  void SpinButtonPosuvDownClick();
  void SpinButtonPosuvUpClick();
  // Parameters changed in the step dialog opened on them.
  void bRoDoClick();
  void bKrytClick();
  void bSOtacClick();
  void bTypCykluClick();
  void bSNavClick();
  void lbSFClick();

 private:
  // The keypad pattern: ask, check, store into the marked steps or the
  // current one, send, show.
  void ZmenParameter(TKeypadButton b);
  // A new current step chosen offline.
  void VyberKrok(int n);
  // The dialog pattern: the step dialog on the current step with the given
  // controls lit; on OK the fields `kopiruj` copies go to the marked steps or
  // the current one.
  struct TDialogParametra {
    int DruhParametra = 0;
    int DruhEditacie = 1;
    std::vector<TControl*> Rozsvietene;  // enabled and lime
    std::vector<TControl*> LenFarba;     // lime only
    std::vector<TControl*> LenPovolene;  // enabled only
    std::vector<TControl*> Zobrazene;    // made visible
    std::function<void(const TKrok& z, TKrok& ciel)> Kopiruj;
    bool Prepocitaj = false;  // PrepocitajKroky afterwards
  };
  void DialogParametra(const TDialogParametra& d);
  // A gear step's gear, in the gear dialog.
  void ZmenPrevod();
  // The feed spin: the next representable feed below or above.
  void KrokPosuvu(bool hore);
  // The marked steps, or the current step when none is marked.
  std::vector<int> CieloveKroky() const;

  TKontext& k_;
  CoilDrawingPanel& kresba_;
  TVstup& vstup_;
  TParam& param_;
  TfDgIO& dgio_;
};

}  // namespace kvr
