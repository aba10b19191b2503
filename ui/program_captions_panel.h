// The main window's program line and the bobbin and constants names; the two
// names open their files when touched.
#pragma once
#include <functional>

#include "form/form.h"

namespace kvr {

struct TKontext;

class ProgramCaptionsPanel {
 public:
  ProgramCaptionsPanel(TForm& okno, TKontext& k);
  ProgramCaptionsPanel(const ProgramCaptionsPanel&) = delete;
  ProgramCaptionsPanel& operator=(const ProgramCaptionsPanel&) = delete;

  // The background of what holds for the whole program: its file, bobbin
  // and constants.
  TControl pPodklad_Global;
  TControl pProgram;
  TControl lbKostricka;
  TControl lbKonstanty;

  void VypisProgCaption();

 private:
  TKontext& k_;
};

}  // namespace kvr
