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

void StepKindsPanel::bPresunClick() {
  PrvyKrok();
  TParam::TOtvorenie o;
  o.DruhParametra = 31;
  o.DruhEditacie = rezim::kPresun;
  o.Zdroj = k_.KonstKroky[6];
  o.Druh = kDruhVerschiebung;
  o.Funkcia = true;
  o.Sada = TParamSet::ParamPresun;
  k_.Dialogy.Suradnica = k_.KonstKroky[6].Hodnota;
  param_.Otvor(o);
  Posli_KrokParam(k_, k_.Program.AktKrok);
}

void StepKindsPanel::bSkokClick() {
  PrvyKrok();
  TParam::TOtvorenie o;
  o.DruhParametra = 32;
  o.DruhEditacie = rezim::kSkok;
  o.Zdroj = k_.KonstKroky[7];
  o.Druh = kDruhSprung;
  o.Funkcia = true;
  o.Sada = TParamSet::ParamSkok;
  param_.Otvor(o);
  Posli_KrokParam(k_, k_.Program.AktKrok);
}

void StepKindsPanel::bDelayClick() {
  PrvyKrok();
  TParam::TOtvorenie o;
  o.DruhParametra = 26;
  o.DruhEditacie = rezim::kDelay;
  o.Zdroj = k_.KonstKroky[8];
  o.Druh = kDruhPause;
  o.Funkcia = true;
  o.Sada = TParamSet::ParamDelay;
  param_.Otvor(o);
  Posli_KrokParam(k_, k_.Program.AktKrok);
}

void StepKindsPanel::bPrevodClick() {
  PrvyKrok();
  TParam::TOtvorenie o;
  o.DruhParametra = 28;
  o.DruhEditacie = rezim::kPrevod;
  o.Zdroj = PrevodovyKrok();
  o.Druh = kDruhGetriebe;
  o.Funkcia = true;
  o.Sada = TParamSet::ParamPrevod;
  param_.Otvor(o);
  Posli_KrokParam(k_, k_.Program.AktKrok);
}

}  // namespace kvr
