// The special functions window: step variants that are no plain step kind.
// Each button prepares the working step, opens the step dialog in its
// function's mode and closes this window, whether or not the action took
// place; the computation of the mode runs at insert or replace time.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;
class TParam;
class TVstup;
class TfWait;
class EditMenu;

// The maroon of the function group.
constexpr TColor clMaroon = 0x800000;

class TfFunction : public TForm {
 public:
  TfFunction(TKontext& k, TParam& param, TVstup& vstup, TfWait& cakanie, EditMenu& upravy);

  TControl gFunkcie{*this, "gFunkcie", TControlKind::GroupBox, "    FUNKTION.   ", {8, 8, 236, 488}};
  TControl bFunkcia1{*this, "bFunkcia1", TControlKind::Button, "BANDAGIEREN", {12, 26, 212, 50}};
  TControl bFunkcia2{*this, "bFunkcia2", TControlKind::Button, "LAGE STOP", {12, 82, 212, 50}};
  TControl bFunkcia3{*this, "bFunkcia3", TControlKind::Button, "LAGE VORSCH.AUT.", {12, 138, 212, 50}};
  TControl bFunkcia4{*this, "bFunkcia4", TControlKind::Button, "LAGE WIND.AUT.", {12, 194, 212, 50}};
  TControl bFunkcia5{*this, "bFunkcia5", TControlKind::Button, "SPREIZEN ALLES", {12, 250, 212, 50}};
  TControl bFunkcia6{*this, "bFunkcia6", TControlKind::Button, "SPREIZEN LAGE", {12, 306, 212, 50}};
  TControl bFunkcia7{*this, "bFunkcia7", TControlKind::Button, "SPULE BESTÄTIGEN", {12, 362, 212, 50}};
  TControl bOdbocka{*this, "bOdbocka", TControlKind::Button, "TAP", {12, 418, 212, 50}};
  TControl bClose{*this, "bClose", TControlKind::Button, "CLOSE", {8, 504, 236, 48}};

  // The main window's "FUNKTION." button: this window, modally.
  void Otvor();

  void bFunkcia1Click();
  void bFunkcia2Click();
  void bFunkcia3Click();
  void bFunkcia4Click();
  void bFunkcia5Click();
  void bFunkcia6Click();
  void bFunkcia7Click();
  void bOdbockaClick();
  void bCloseClick();

 private:
  // The working step from template t with kind druh (0: as it is), the
  // dialog in mode `rezim` prepared for creating steps.
  void Priprav(int rezim, int sablona, int druh);
  // Online, after a change of the whole program: the machine takes it while
  // the wait window shows.
  void CakajNaStroj();

  TKontext& k_;
  TParam& param_;
  TVstup& vstup_;
  TfWait& cakanie_;
  EditMenu& upravy_;
};

}  // namespace kvr
