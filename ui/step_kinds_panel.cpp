#include "ui/step_kinds_panel.h"

#include "edit/step_dialog.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "ui/param_window.h"

namespace kvr {

TKrok PrevodovyKrok() {
  TKrok k;
  k.Druh = kDruhGetriebe;
  k.TypCyklu = kCyklusStop;
  k.Hodnota = 1.0L;
  k.SmerOtac = 1;
  k.Rozbeh = 1;
  k.Dobeh = 1;
  k.SmerPosuvu = 0;
  k.Kryt = 1;
  k.Nulovat = 1;
  return k;
}

StepKindsPanel::StepKindsPanel(TForm& okno, TKontext& k, TParam& param)
    : pPodklad_TypKroku{okno, "pPodklad_TypKroku", TControlKind::Panel, "", {848, 94, 194, 440}},
      gTypKroku{okno, "gTypKroku", TControlKind::GroupBox, "     SCHRITTART    ", {0, 0, 194, 440}},
      bDefZav{okno, "bDefZav", TControlKind::Button, "WINDUNGEN 1", {8, 22, 178, 50}},
      bDefZav2{okno, "bDefZav2", TControlKind::Button, "WINDUNGEN 2", {8, 76, 178, 50}},
      bPresun{okno, "bPresun", TControlKind::Button, "VERSCHIEBUNG", {8, 130, 178, 50}},
      bSkok{okno, "bSkok", TControlKind::Button, "SPRUNG", {8, 184, 178, 50}},
      bDelay{okno, "bDelay", TControlKind::Button, "PAUSE", {8, 238, 178, 50}},
      bPrevod{okno, "bPrevod", TControlKind::Button, "GETRIEBE", {8, 292, 178, 50}},
      bFunctions{okno, "bFunctions", TControlKind::Button, "    FUNKTION.   ", {8, 346, 178, 50}},
      k_(k),
      param_(param) {
  gTypKroku.Parent = pPodklad_TypKroku.Name();
  for (TControl* c : {&bDefZav, &bDefZav2, &bPresun, &bSkok, &bDelay, &bPrevod, &bFunctions}) c->Parent = gTypKroku.Name();
  bDefZav.OnClick = [this] { bDefZavClick(); };
  bDefZav2.OnClick = [this] { bDefZav2Click(); };
  bPresun.OnClick = [this] { bPresunClick(); };
  bSkok.OnClick = [this] { bSkokClick(); };
  bDelay.OnClick = [this] { bDelayClick(); };
  bPrevod.OnClick = [this] { bPrevodClick(); };
}

void StepKindsPanel::PrvyKrok() {
  if (k_.Program.Online == 0 && k_.Program.AktKrok == 0) k_.Program.AktKrok = 1;
}

namespace {
TParam::TOtvorenie Vinutie(const TKontext& k, int sablona, const char* caption, TParam& param) {
  TParam::TOtvorenie o;
  o.DruhParametra = 30;
  o.DruhEditacie = rezim::kDefZav;
  o.Zdroj = k.KonstKroky[static_cast<size_t>(sablona)];
  o.Druh = kDruhWicklung;
  o.Funkcia = true;
  o.Sada = TParamSet::ParamDefZav;
  o.Caption = caption;
  o.PredZobrazenim = [&param] { param.rbNenulovat.Visible = true; };
  return o;
}
}  // namespace

void StepKindsPanel::bDefZavClick() {
  PrvyKrok();
  param_.Otvor(Vinutie(k_, 0, "WINDUNGEN 1 - leuchtende Parameter einzustellen ", param_));
  Posli_KrokParam(k_, k_.Program.AktKrok);
}

void StepKindsPanel::bDefZav2Click() {
  PrvyKrok();
  param_.Otvor(Vinutie(k_, 1, "WINDUNGEN 2 - leuchtende Parameter einzustellen ", param_));
  Posli_KrokParam(k_, k_.Program.AktKrok);
}

void StepKindsPanel::Otvor(int druhParametra, int mode, const TKrok& zdroj, uint8_t druh, TParamSet sada) {
  PrvyKrok();
  TParam::TOtvorenie o;
  o.DruhParametra = druhParametra;
  o.DruhEditacie = mode;
  o.Zdroj = zdroj;
  o.Druh = druh;
  o.Funkcia = true;
  o.Sada = sada;
  param_.Otvor(o);
  Posli_KrokParam(k_, k_.Program.AktKrok);
}

void StepKindsPanel::bPresunClick() {
  // The shift starts at its template's coordinate.
  k_.Dialogy.Suradnica = k_.KonstKroky[6].Hodnota;
  Otvor(31, rezim::kPresun, k_.KonstKroky[6], kDruhVerschiebung, TParamSet::ParamPresun);
}

void StepKindsPanel::bSkokClick() { Otvor(32, rezim::kSkok, k_.KonstKroky[7], kDruhSprung, TParamSet::ParamSkok); }

void StepKindsPanel::bDelayClick() { Otvor(26, rezim::kDelay, k_.KonstKroky[8], kDruhPause, TParamSet::ParamDelay); }

void StepKindsPanel::bPrevodClick() {
  Otvor(28, rezim::kPrevod, PrevodovyKrok(), kDruhGetriebe, TParamSet::ParamPrevod);
}

}  // namespace kvr
