#include "ui/step_panel.h"

#include <cmath>
#include <string>
#include <vector>

#include "form/ui_services.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/program.h"
#include "tools/keypad.h"
#include "ui/coil_drawing_panel.h"
#include "ui/dgio_window.h"
#include "ui/param_window.h"
#include "view/captions.h"

namespace kvr {

namespace {

constexpr const char* kMimoRozsahu = "WERT AUSSER BEREICH";
constexpr const char* kKrizoveBody = " : L.Wendepunkt > R.Wendepunkt ";
constexpr const char* kInyPrevod = " Drehzahl ist fur andere Getriebe programmiert ! ";
constexpr const char* kNenulovat = " NICH LÖSCHEN: Grössere Windungszahl wie im letzten Wicklung einzugeben!";

void Povol(TControl& c, bool ano) { c.Enabled = ano; }

}  // namespace

StepPanel::StepPanel(TForm& okno, TKontext& k, CoilDrawingPanel& kresba, TVstup& vstup, TParam& param,
                     TfDgIO& dgio)
    : Panel2{okno, "Panel2", TControlKind::Panel, "", {464, 94, 380, 48}},
      BKrok{okno, "BKrok", TControlKind::Button, "SCHRITT:  0", {0, 0, 300, 48}},
      SpinButton1{okno, "SpinButton1", TControlKind::Panel, "", {304, 0, 76, 48}},
      SpinButton1Up{okno, "SpinButton1Up", TControlKind::Button, "▲", {0, 0, 76, 24}},
      SpinButton1Down{okno, "SpinButton1Down", TControlKind::Button, "▼", {0, 24, 76, 24}},
      pPodklad_Param{okno, "pPodklad_Param", TControlKind::Panel, "SCHRITT:  0", {464, 146, 380, 488}},
      gParam{okno, "gParam", TControlKind::GroupBox, "", {0, 0, 380, 488}},
      BZavity{okno, "BZavity", TControlKind::Button, "WINDUNGSZAHL:", {8, 18, 364, 36}},
      bPosuvMM{okno, "bPosuvMM", TControlKind::Button, "VORSCH.[mm]: ", {8, 56, 320, 36}},
      SpinButtonPosuv{okno, "SpinButtonPosuv", TControlKind::Panel, "", {332, 56, 40, 36}},
      SpinButtonPosuvUp{okno, "SpinButtonPosuvUp", TControlKind::Button, "▲", {0, 0, 40, 18}},
      SpinButtonPosuvDown{okno, "SpinButtonPosuvDown", TControlKind::Button, "▼", {0, 18, 40, 18}},
      bLRev{okno, "bLRev", TControlKind::Button, " L.WENDEPUNKT: ", {8, 94, 180, 36}},
      bPRev{okno, "bPRev", TControlKind::Button, " R.WENDEPUNKT: ", {192, 94, 180, 36}},
      bOtacky{okno, "bOtacky", TControlKind::Button, " DREHZAHL: ", {8, 132, 320, 36}},
      pOtackyWarning{okno, "pOtackyWarning", TControlKind::Panel, "", {332, 132, 40, 36}},
      bRoDo{okno, "bRoDo", TControlKind::Button, " BESCHL/ABBREMS: ", {8, 170, 180, 36}},
      bTypCyklu{okno, "bTypCyklu", TControlKind::Button, " ZYKLUSART: ", {192, 170, 180, 36}},
      bNulovat{okno, "bNulovat", TControlKind::Button, " WINDUNGEN: ", {8, 208, 180, 36}},
      bVrstva{okno, "bVrstva", TControlKind::Button, " LAGE: ", {192, 208, 180, 36}},
      bSOtac{okno, "bSOtac", TControlKind::Button, " DREHRICHTUNG: ", {8, 246, 180, 36}},
      bSNav{okno, "bSNav", TControlKind::Button, " VORSCH. RICHT. : ", {192, 246, 180, 36}},
      bKryt{okno, "bKryt", TControlKind::Button, " SCHILD: ", {8, 284, 180, 36}},
      lbSF{okno, "lbSF", TControlKind::Label, "SPEZIELLE FUNKTIONEN", {8, 326, 180, 156}},
      lbInOut{okno, "lbInOut", TControlKind::Label, " EINGÄNGE / AUSGÄNGE ", {192, 326, 180, 156}},
      k_(k),
      kresba_(kresba),
      vstup_(vstup),
      param_(param),
      dgio_(dgio) {
  BKrok.Parent = Panel2.Name();
  SpinButton1.Parent = Panel2.Name();
  SpinButton1Up.Parent = SpinButton1.Name();
  SpinButton1Down.Parent = SpinButton1.Name();
  gParam.Parent = pPodklad_Param.Name();
  SpinButtonPosuvUp.Parent = SpinButtonPosuv.Name();
  SpinButtonPosuvDown.Parent = SpinButtonPosuv.Name();
  for (TControl* c : {&BZavity, &bPosuvMM, &SpinButtonPosuv, &bLRev, &bPRev, &bOtacky, &pOtackyWarning, &bRoDo,
                      &bTypCyklu, &bNulovat, &bVrstva, &bSOtac, &bSNav, &bKryt, &lbSF, &lbInOut})
    c->Parent = gParam.Name();

  BKrok.OnClick = [this] { BKrokClick(); };
  SpinButton1Up.OnClick = [this] { SpinButton1UpClick(); };
  SpinButton1Down.OnClick = [this] { SpinButton1DownClick(); };
  BZavity.OnClick = [this] { BZavityClick(); };
  bLRev.OnClick = [this] { bLRevClick(); };
  bPRev.OnClick = [this] { bPRevClick(); };
  bPosuvMM.OnClick = [this] { bPosuvMMClick(); };
  bOtacky.OnClick = [this] { bOtackyClick(); };
  pOtackyWarning.OnClick = [this] { pOtackyWarningClick(); };
  lbInOut.OnClick = [this] { lbInOutClick(); };
  bRoDo.OnClick = [this] { bRoDoClick(); };
  bKryt.OnClick = [this] { bKrytClick(); };
  bSOtac.OnClick = [this] { bSOtacClick(); };
  bTypCyklu.OnClick = [this] { bTypCykluClick(); };
  bSNav.OnClick = [this] { bSNavClick(); };
  lbSF.OnClick = [this] { lbSFClick(); };
  bVrstva.OnClick = [this] { bVrstvaClick(); };
  bNulovat.OnClick = [this] { bNulovatClick(); };
  SpinButtonPosuvUp.OnClick = [this] { SpinButtonPosuvUpClick(); };
  SpinButtonPosuvDown.OnClick = [this] { SpinButtonPosuvDownClick(); };
}

void StepPanel::ZobrazParametre(int n) {
  BKrok.Caption = StepCaption(n);
  if (n == 0) {
    gParam.Visible = false;
    return;
  }
  gParam.Visible = true;
  TKrok& krok = k_.Program.Kroky[n];
  if (krok.Rozbeh == 0) krok.Rozbeh = 1;
  if (krok.Dobeh == 0) krok.Dobeh = 1;

  const TStepPanelTexts t = StepPanelTexts(k_, n);
  gParam.Caption = t.gParam;
  bVrstva.Caption = t.bVrstva;
  SpinButtonPosuv.Visible = t.SpinButtonPosuvVisible;
  BZavity.Caption = t.BZavity;
  pOtackyWarning.Color = t.pOtackyWarning;
  bPosuvMM.Caption = t.bPosuvMM;
  bLRev.Caption = t.bLRev;
  bPRev.Caption = t.bPRev;
  bRoDo.Caption = t.bRoDo;
  bOtacky.Caption = t.bOtacky;
  bTypCyklu.Caption = t.bTypCyklu;
  bNulovat.Caption = t.bNulovat;
  bSOtac.Caption = t.bSOtac;
  bSNav.Caption = t.bSNav;
  bKryt.Caption = t.bKryt;
  kresba_.ZobrazKrokPodKresbou(n);
  Vypis_SF(krok);
  Vypis_IO(krok);

  const TStepPanelEnabled e = StepPanelEnabled(DruhKroku(krok), k_.Stroj.Model);
  Povol(bNulovat, e.bNulovat);
  Povol(BZavity, e.BZavity);
  Povol(bOtacky, e.bOtacky);
  Povol(bRoDo, e.bRoDo);
  Povol(bKryt, e.bKryt);
  Povol(bPosuvMM, e.bPosuvMM);
  Povol(bLRev, e.bLRev);
  Povol(bPRev, e.bPRev);
  Povol(bTypCyklu, e.bTypCyklu);
  Povol(bSNav, e.bSNav);
  Povol(bSOtac, e.bSOtac);
  Povol(lbSF, e.lbSF);
  Povol(bVrstva, e.bVrstva);
  Povol(lbInOut, e.lbInOut);
}

void StepPanel::Vypis_SF(const TKrok& krok) { lbSF.Caption = TextSF(krok); }
void StepPanel::Vypis_IO(const TKrok& krok) { lbInOut.Caption = TextIO(krok); }

void StepPanel::VyberKrok(int n) {
  k_.Program.AktKrok = n;
  BKrok.Caption = StepCaption(n);
  ZobrazParametre(n);
  TVyber& v = k_.Vyber;
  if (v.BlokOd != 0 || v.BlokDo != 0 || v.TestVybraneKroky()) {
    v.ZrusVybraneKroky();
    v.BlokOd = n;
    v.BlokDo = n;
  }
  kresba_.NastavVertPos(n);
}

void StepPanel::SpinButton1DownClick() {
  const int a = k_.Program.AktKrok;
  if (a <= 0) return;
  if (k_.Program.Online != 0) {
    Posli_Krok(k_, a - 1);
    return;
  }
  VyberKrok(a - 1);
  kresba_.Invalidate();
}

void StepPanel::SpinButton1UpClick() {
  const int a = k_.Program.AktKrok;
  if (a >= kMaxKrokov) return;
  if (k_.Program.Online != 0) {
    Posli_Krok(k_, a + 1);
    return;
  }
  VyberKrok(a + 1);
  kresba_.Invalidate();
}

void StepPanel::SpinButton1Exit() {
  kresba_.NastavVertPos(k_.Program.AktKrok);
  kresba_.Invalidate();
}

void StepPanel::BKrokClick() {
  const auto r = KeypadRequest(k_, TKeypadButton::BKrok);
  k_.Dialogy.DruhParametra = *r->DruhParametra;
  vstup_.Caption = *r->Prompt;
  vstup_.ButtonBODKA.Enabled = false;
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return;
  const long double v = k_.Dialogy.VstupHodnota;
  if (!r->Accepts(v)) {
    k_.Ui->Message(TMsgKind::Error, kMimoRozsahu, TMsgButtons::Ok);
    return;
  }
  const int n = static_cast<int>(std::trunc(v));
  if (k_.Program.Online != 0) {
    Posli_KrokParam(k_, n);
    return;
  }
  VyberKrok(n);
  kresba_.RepaintLater();
}

void StepPanel::ZmenParameter(TKeypadButton b) {
  const auto r = KeypadRequest(k_, b);
  if (!r) return;
  if (r->DruhParametra) k_.Dialogy.DruhParametra = *r->DruhParametra;
  if (r->Prompt) vstup_.Caption = *r->Prompt;
  if (r->Bodka != TBodka::AsLeft) vstup_.ButtonBODKA.Enabled = r->Bodka == TBodka::On;
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return;
  const long double v = k_.Dialogy.VstupHodnota;
  if (!r->Accepts(v)) {
    k_.Ui->Message(TMsgKind::Error, kMimoRozsahu, TMsgButtons::Ok);
    return;
  }
  const int a = k_.Program.AktKrok;
  if (b == TKeypadButton::bPRev && a >= 1 && a <= kMaxKrokov &&
      v < static_cast<long double>(k_.Program.Kroky[a].LRev)) {
    k_.Ui->Message(TMsgKind::Error, kKrizoveBody, TMsgButtons::Ok);
    return;
  }
  const std::vector<int> ciele = CieloveKroky();
  for (int i : ciele) StoreKeypadValue(k_, b, i, k_.Program.Kroky[i], v);
  for (int i : ciele) Posli_KrokParam(k_, i);
  ZobrazParametre(a);
  kresba_.Invalidate();
}

std::vector<int> StepPanel::CieloveKroky() const {
  std::vector<int> ciele;
  const int a = k_.Program.AktKrok;
  if (k_.Vyber.TestVybraneKroky()) {
    for (int i = 1; i <= kMaxKrokov; ++i)
      if (k_.Vyber.Oznaceny(i)) ciele.push_back(i);
  } else if (a >= 1 && a <= kMaxKrokov) {
    ciele.push_back(a);
  }
  return ciele;
}

void StepPanel::BZavityClick() {
  const int a = k_.Program.AktKrok;
  if (a >= 1 && a <= kMaxKrokov && k_.Program.Kroky[a].Druh == kDruhGetriebe) {
    ZmenPrevod();
    return;
  }
  ZmenParameter(TKeypadButton::BZavity);
}
void StepPanel::bLRevClick() { ZmenParameter(TKeypadButton::bLRev); }
void StepPanel::bPRevClick() { ZmenParameter(TKeypadButton::bPRev); }
void StepPanel::bPosuvMMClick() {
  const int a = k_.Program.AktKrok;
  if (a < 1 || a > kMaxKrokov || k_.Program.Kroky[a].Druh != kDruhVerschiebung) {
    ZmenParameter(TKeypadButton::bPosuvMM);
    return;
  }
  // A shift's traverse speed: the panel shows RychPresun, so both fields
  // change, and only in shift steps (a feed of 100 is no windings feed).
  TDialogParametra d;
  d.DruhParametra = 27;
  d.DruhEditacie = 16;
  d.Rozsvietene = {&param_.pRychPresun};
  d.Zobrazene = {&param_.pRychPresun};
  d.Kopiruj = [](const TKrok& z, TKrok& c) {
    if (c.Druh != kDruhVerschiebung) return;
    c.PosuvMM = z.PosuvMM;
    c.RychPresun = z.RychPresun;
  };
  DialogParametra(d);
}
void StepPanel::bOtackyClick() { ZmenParameter(TKeypadButton::bOtacky); }

void StepPanel::pOtackyWarningClick() {
  if (pOtackyWarning.Color == clRed) k_.Ui->Message(TMsgKind::Error, kInyPrevod, TMsgButtons::Ok);
  bOtackyClick();
}

void StepPanel::lbInOutClick() {
  const int a = k_.Program.AktKrok;
  if (a < 1 || a > kMaxKrokov) return;
  const bool ok = dgio_.Uprav(k_.Program.Kroky[a]);
  ZobrazParametre(a);
  if (ok) Posli_KrokParam(k_, a);
}

void StepPanel::bVrstvaClick() {
  k_.Dialogy.DruhParametra = 24;
  vstup_.Caption = "[1 - 250]";
  vstup_.ButtonBODKA.Enabled = false;
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return;
  const long double v = k_.Dialogy.VstupHodnota;
  if (v > 250.0L) {
    k_.Ui->Message(TMsgKind::Error, kMimoRozsahu, TMsgButtons::Ok);
    return;
  }
  const auto vrstvy = static_cast<uint8_t>(v > 0.0L ? std::trunc(v) : 0.0L);
  for (int i : CieloveKroky()) {
    k_.Program.Kroky[i].Vrstvy = vrstvy;
    Posli_KrokParam(k_, i);
  }
  ZobrazParametre(k_.Program.AktKrok);
  kresba_.Invalidate();
}

void StepPanel::bNulovatClick() {
  const int a = k_.Program.AktKrok;
  if (a < 1 || a > kMaxKrokov) return;
  // The dialog's OK stores the whole working step at once; a refused
  // setting puts the step back as it was.
  const TKrok predtym = k_.Program.Kroky[a];
  const uint8_t zmeneny = k_.Program.Zmeneny;
  k_.Dialogy.DruhEditacie = rezim::kPriamy;
  k_.Program.PracKrok = predtym;
  param_.Inic();
  param_.ZobrazParametre();
  TParam::Rozsviet(param_.pNulovatZavity);
  param_.rbPricitat.Visible = false;
  if (k_.Ui->ShowModal(param_) == TModalResult::Ok) {
    const int n = k_.Program.AktKrok;
    const TKrok& w = k_.Program.PracKrok;
    if (w.Nulovat == 0 &&
        !(static_cast<long double>(w.Hodnota) > PosledneZavity(k_.Program, n - 1))) {
      k_.Program.Kroky[a] = predtym;
      k_.Program.Zmeneny = zmeneny;
      k_.Ui->Message(TMsgKind::Error, kNenulovat, TMsgButtons::Ok);
      ZobrazParametre(k_.Program.AktKrok);
      kresba_.Invalidate();
      return;
    }
    const uint8_t nulovat = w.Nulovat;
    for (int i : CieloveKroky()) {
      k_.Program.Kroky[i].Nulovat = nulovat;
      Posli_KrokParam(k_, i);
    }
  }
  ZobrazParametre(k_.Program.AktKrok);
  kresba_.Invalidate();
  param_.rbPricitat.Visible = true;
}

void StepPanel::KrokPosuvu(bool hore) {
  const int a = k_.Program.AktKrok;
  if (a < 1 || a > kMaxKrokov) return;
  TKrok& krok = k_.Program.Kroky[a];
  const long double f = krok.PosuvMM;
  krok.PosuvMM = hore ? PosuvVyssi(k_.Stroj, f) : PosuvNizsi(k_.Stroj, f);
  if (krok.VrstvaKoniec == 1 && krok.Druh == kDruhWicklung) DopocitajZavity(k_, krok, a - 1);
  ZobrazParametre(a);
  Posli_KrokParam(k_, a);
  kresba_.Invalidate();
}

void StepPanel::SpinButtonPosuvDownClick() { KrokPosuvu(false); }
void StepPanel::SpinButtonPosuvUpClick() { KrokPosuvu(true); }

void StepPanel::DialogParametra(const TDialogParametra& d) {
  const int a = k_.Program.AktKrok;
  if (a < 1 || a > kMaxKrokov) return;
  k_.Dialogy.DruhParametra = d.DruhParametra;
  k_.Dialogy.DruhEditacie = d.DruhEditacie;
  k_.Program.PracKrok = k_.Program.Kroky[a];
  param_.Inic();
  param_.ZobrazParametre();
  for (TControl* c : d.Rozsvietene) TParam::Rozsviet(*c);
  for (TControl* c : d.LenFarba) c->Color = clLime;
  for (TControl* c : d.LenPovolene) c->Enabled = true;
  for (TControl* c : d.Zobrazene) c->Visible = true;
  if (k_.Ui->ShowModal(param_) == TModalResult::Ok) {
    const TKrok z = k_.Program.PracKrok;
    const std::vector<int> ciele = CieloveKroky();
    for (int i : ciele) d.Kopiruj(z, k_.Program.Kroky[i]);
    if (d.Prepocitaj) PrepocitajKroky(k_.Program);
    for (int i : ciele) Posli_KrokParam(k_, i);
  }
  ZobrazParametre(k_.Program.AktKrok);
  kresba_.Invalidate();
}

void StepPanel::bRoDoClick() {
  TDialogParametra d;
  d.DruhParametra = 5;
  d.LenFarba = {&param_.pRozbeh, &param_.pDobeh};
  d.Kopiruj = [](const TKrok& z, TKrok& c) {
    c.Rozbeh = z.Rozbeh;
    c.Dobeh = z.Dobeh;
  };
  DialogParametra(d);
}

void StepPanel::bKrytClick() {
  TDialogParametra d;
  d.DruhParametra = 6;
  d.Rozsvietene = {&param_.pKryt};
  d.Kopiruj = [](const TKrok& z, TKrok& c) { c.Kryt = z.Kryt; };
  DialogParametra(d);
}

void StepPanel::bSOtacClick() {
  TDialogParametra d;
  d.DruhParametra = 9;
  d.Rozsvietene = {&param_.pSOtac};
  d.Kopiruj = [](const TKrok& z, TKrok& c) { c.SmerOtac = z.SmerOtac; };
  DialogParametra(d);
}

void StepPanel::bTypCykluClick() {
  TDialogParametra d;
  d.DruhParametra = 10;
  d.Rozsvietene = {&param_.rgTypCyklu};
  d.Kopiruj = [](const TKrok& z, TKrok& c) { c.TypCyklu = z.TypCyklu; };
  d.Prepocitaj = true;
  DialogParametra(d);
}

void StepPanel::bSNavClick() {
  TDialogParametra d;
  d.DruhParametra = 11;
  d.Rozsvietene = {&param_.pSNav};
  d.Kopiruj = [](const TKrok& z, TKrok& c) { c.SmerPosuvu = z.SmerPosuvu; };
  DialogParametra(d);
}

void StepPanel::lbSFClick() {
  TDialogParametra d;
  d.DruhParametra = 25;
  d.Rozsvietene = {&param_.pVS, &param_.pVE, &param_.pAMR, &param_.pAKP, &param_.rgTrapezoid};
  d.LenPovolene = {&param_.pLTRAP_hodnota, &param_.pLTRAP_sklon, &param_.pRTRAP_hodnota, &param_.pRTRAP_sklon};
  d.Kopiruj = [](const TKrok& z, TKrok& c) {
    c.VrstvaStop = z.VrstvaStop;
    c.VrstvaKoniec = z.VrstvaKoniec;
    c.AutManual = z.AutManual;
    c.AutKorekcia = z.AutKorekcia;
    c.TrapezL = z.TrapezL;
    c.TrapezLZnamienko = z.TrapezLZnamienko;
    c.TrapezP = z.TrapezP;
    c.TrapezPZnamienko = z.TrapezPZnamienko;
  };
  DialogParametra(d);
}

void StepPanel::ZmenPrevod() {
  const int a = k_.Program.AktKrok;
  k_.Dialogy.DruhEditacie = rezim::kPrevod;
  k_.Program.PracKrok = k_.Program.Kroky[a];
  param_.Inic();
  param_.ZobrazParametre();
  TParam::Rozsviet(param_.pPrevod);
  if (k_.Ui->ShowModal(param_) == TModalResult::Ok) {
    const int n = k_.Program.AktKrok;
    k_.Program.Kroky[n].Hodnota = param_.rbGear_2.Checked ? 0.02L : 0.01L;
    Posli_KrokParam(k_, n);
  }
  ZobrazParametre(k_.Program.AktKrok);
  kresba_.Invalidate();
}

}  // namespace kvr
