#include "ui/function_window.h"

#include <cmath>

#include "edit/step_dialog.h"
#include "form/ui_services.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "model/program.h"
#include "tools/keypad.h"
#include "ui/edit_menu.h"
#include "ui/param_window.h"
#include "ui/wait_window.h"
#include "view/layers.h"

namespace kvr {

namespace {

constexpr const char* kMimoRozsahu = "HODNOTA MIMO ROZSAH";
constexpr int kMaxKomora = 20;

// Templates of the functions (KonstKroky).
constexpr int kSablonaVrstvaPosuvAut = 2;
constexpr int kSablonaVrstvaZavityAut = 3;
constexpr int kSablonaVrstvaStop = 4;
constexpr int kSablonaOlep = 5;
constexpr int kSablonaPresun = 6;

bool JeKrok(int n) { return n >= 1 && n <= kMaxKrokov; }

}  // namespace

TfFunction::TfFunction(TKontext& k, TParam& param, TVstup& vstup, TfWait& cakanie, EditMenu& upravy)
    : TForm("fFunction", "", {0, 0, 252, 560}), k_(k), param_(param), vstup_(vstup), cakanie_(cakanie), upravy_(upravy) {
  Position = TPosition::MainFormCenter;
  gFunkcie.Color = clMaroon;
  gFunkcie.FontColor = clWhite;
  for (TControl* c : {&bFunkcia1, &bFunkcia2, &bFunkcia3, &bFunkcia4, &bFunkcia5, &bFunkcia6, &bFunkcia7, &bOdbocka})
    c->Parent = gFunkcie.Name();
  bFunkcia1.OnClick = [this] { bFunkcia1Click(); };
  bFunkcia2.OnClick = [this] { bFunkcia2Click(); };
  bFunkcia3.OnClick = [this] { bFunkcia3Click(); };
  bFunkcia4.OnClick = [this] { bFunkcia4Click(); };
  bFunkcia5.OnClick = [this] { bFunkcia5Click(); };
  bFunkcia6.OnClick = [this] { bFunkcia6Click(); };
  bFunkcia7.OnClick = [this] { bFunkcia7Click(); };
  bOdbocka.OnClick = [this] { bOdbockaClick(); };
  bClose.OnClick = [this] { bCloseClick(); };
}

void TfFunction::Otvor() { k_.Ui->ShowModal(*this); }

void TfFunction::Priprav(int rezim, int sablona, int druh) {
  k_.Dialogy.DruhEditacie = rezim;
  k_.Program.PracKrok = k_.KonstKroky[static_cast<size_t>(sablona)];
  if (druh != 0) k_.Program.PracKrok.Druh = static_cast<uint8_t>(druh);
  param_.InicFunc();
}

void TfFunction::CakajNaStroj() {
  SendProgramChanged(k_);
  k_.MainWindow().RepaintLater();
}

void TfFunction::bFunkcia1Click() {
  Priprav(rezim::kOlep, kSablonaOlep, kDruhBandagieren);
  param_.ParamOlep();
  param_.ZobrazParametre();
  param_.Zobraz();
  Posli_KrokParam(k_, k_.Program.AktKrok);
  Close();
}

void TfFunction::bFunkcia2Click() {
  Priprav(rezim::kVrstvaStop, kSablonaVrstvaStop, 0);
  param_.ParamVrstvaStop();
  param_.ZobrazParametre();
  param_.Zobraz();
  Close();
  if (k_.Program.Online != 0) {
    CakajNaStroj();
    param_.rbNenulovat.Visible = true;
    cakanie_.Cakaj();
    return;
  }
  k_.MainWindow().RepaintLater();
}

void TfFunction::bFunkcia3Click() {
  Priprav(rezim::kVrstvaZavityAut, kSablonaVrstvaZavityAut, kDruhWicklung);
  param_.ParamVrstvaZavityAut();
  param_.ZobrazParametre();
  param_.Zobraz();
  Posli_KrokParam(k_, k_.Program.AktKrok);
  Close();
}

void TfFunction::bFunkcia4Click() {
  Priprav(rezim::kVrstvaPosuvAut, kSablonaVrstvaPosuvAut, kDruhWicklung);
  param_.ParamVrstvaPosuvAut();
  param_.ZobrazParametre();
  param_.Zobraz();
  Posli_KrokParam(k_, k_.Program.AktKrok);
  Close();
}

void TfFunction::bFunkcia5Click() {
  const int n = k_.Program.AktKrok;
  if (JeKrok(n) && k_.BodyKrokov[static_cast<size_t>(n)].Druh == kDruhWicklung) {
    k_.Program.PracKrok = k_.Program.Kroky[n];
    k_.Dialogy.DruhEditacie = rezim::kSpreadVinutie;
    param_.InicFunc();
    param_.ParamSpreadVinutie();
    param_.ZobrazParametre();
    param_.Zobraz();
    Posli_KrokParam(k_, k_.Program.AktKrok);
  }
  Close();
}

void TfFunction::bFunkcia6Click() {
  const int n = k_.Program.AktKrok;
  if (!JeKrok(n)) {
    Close();
    return;
  }
  const TBodKroku& bod = k_.BodyKrokov[static_cast<size_t>(n)];
  const long double e = bod.Poloha;
  TKrok& w = k_.Program.PracKrok;
  w = k_.Program.Kroky[n];
  const long double lRev = w.LRev;
  const long double pRev = w.PRev;
  const long double posuv = w.PosuvMM;
  // Only a windings step that ends inside its layer; a step without feed is
  // shown as taping, so the feed below is never 0.
  if (!(lRev < e && e < pRev) || bod.Druh != kDruhWicklung || posuv == 0.0L) {
    Close();
    return;
  }
  TDialogy& d = k_.Dialogy;
  Vrstvuj(k_, w, k_.BodyKrokov[static_cast<size_t>(n - 1)].Poloha);
  d.SpreadPoloha = k_.Vrstvenie.VrstvujPoloha;
  const long double poloha = d.SpreadPoloha;
  d.SpreadDraha = bod.Smer == 1 ? pRev - poloha : poloha - lRev;
  d.SpreadZavity = std::trunc(static_cast<long double>(d.SpreadDraha) / posuv * 10.0L) / 10.0L;
  d.DruhEditacie = rezim::kSpreadVrstva;
  d.Suradnica = Zaokruhli01(poloha);
  param_.InicFunc();
  param_.ParamSpreadVrstva();
  param_.ZobrazParametre();
  param_.Zobraz();
  Posli_KrokParam(k_, n - 1);
  Posli_KrokParam(k_, n);
  Close();
}

void TfFunction::bFunkcia7Click() {
  vstup_.Caption = "GEBE KAMMERNR EIN";
  vstup_.ButtonBODKA.Enabled = false;
  k_.Dialogy.DruhParametra = 20;
  if (k_.Ui->ShowModal(vstup_) == TModalResult::Ok) {
    const long double v = k_.Dialogy.VstupHodnota;
    if (v > kMaxKomora) {
      k_.Ui->Message(TMsgKind::Error, kMimoRozsahu, TMsgButtons::Ok);
    } else {
      k_.AktKomora = static_cast<int32_t>(std::trunc(v));
      Priprav(rezim::kPresun, kSablonaPresun, kDruhVerschiebung);
      param_.ParamPresun();
      param_.ZobrazParametre();
      param_.Zobraz();
      Posli_KrokParam(k_, k_.Program.AktKrok);
    }
  }
  vstup_.ButtonBODKA.Enabled = true;
  Close();
}

void TfFunction::bOdbockaClick() {
  upravy_.Tap();
  Close();
  if (k_.Program.Online != 0) {
    for (int i = 1; i <= k_.Program.PocetKrokov; ++i) Posli_KrokParam(k_, i);
    Posli_Krok(k_, k_.Program.AktKrok);
    CakajNaStroj();
    cakanie_.Cakaj();
    return;
  }
  k_.MainWindow().RepaintLater();
}

void TfFunction::bCloseClick() { Close(); }

}  // namespace kvr
