// The main window's machine state: model and link mode, the actions, and what
// the machine reports while it winds (turns, position, layer, gear, feed
// direction).
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;

class MachineStatePanel {
 public:
  MachineStatePanel(TForm& okno, TKontext& k);
  MachineStatePanel(const MachineStatePanel&) = delete;
  MachineStatePanel& operator=(const MachineStatePanel&) = delete;

  TControl pOnLine;  // the mode: "OFFLINE" or "ONLINE"
  TControl pStav;
  TControl pAction;
  TControl pAbortStep;
  TControl pNavijacka;  // the machine's readings, green while online
  TControl pPocetZavitov;
  TControl pPolohaNav;
  TControl pVrstvaNav;
  TControl pPrevodNav;
  TControl pSmerPosuvu;

  // The model and gear panels from the machine limits in force.
  void ShowModelAndGear();

 private:
  TKontext& k_;
};

}  // namespace kvr
