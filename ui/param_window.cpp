#include "ui/param_window.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "edit/layer_functions.h"
#include "edit/step_store.h"
#include "form/ui_services.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "model/desktop.h"
#include "model/machine.h"
#include "model/numeric.h"
#include "model/program.h"
#include "tools/keypad.h"

namespace kvr {

namespace {

constexpr const char* kMimoRozsahu = "WERT AUSSER BEREICH";
constexpr const char* kKrizoveBody = " : L.Wendepunkt > R.Wendepunkt ";
constexpr const char* kNenulovat = " NICH LÖSCHEN: Grössere Windungszahl wie im letzten Wicklung einzugeben!";
constexpr const char* kKoordinate = " KOORDINATE: ";
constexpr int kPosunTemplate = 6;  // "VERSCHIEBUNG"

std::string Dve(long double x) { return FormatFixed(x, 2); }

// Modes whose coordinate is where the new step starts.
bool SuradnicaZoZaciatku(int mode) {
  return mode == rezim::kVrstvaPosuvAut || mode == rezim::kVrstvaZavityAut || mode == rezim::kSpreadVinutie ||
         mode == rezim::kSpreadVrstva;
}

}  // namespace

TParam::TParam(TKontext& k, TVstup& vstup) : TForm("Param", "", {343, 57, 680, 682}), k_(k), vstup_(vstup) {
  BorderStyle = TBorderStyle::Single;
  for (TControl* c : {&pNulovatZavity, &pSNav, &pSOtac, &pKryt, &pRychPresun, &pPrevod})
    c->Alignment = TAlignment::Left;
  for (TControl* c : {&rbNulovat, &rbNenulovat, &rbPricitat}) c->Parent = pNulovatZavity.Name();
  SpinButtonPosuv.Parent = pPosuvMM.Name();
  SpinButtonPosuvUp.Parent = SpinButtonPosuv.Name();
  SpinButtonPosuvDown.Parent = SpinButtonPosuv.Name();
  rbDolava.Parent = rbDoprava.Parent = pSNav.Name();
  rbLavy.Parent = rbPravy.Parent = pSOtac.Name();
  rbSnimat.Parent = rbNesnimat.Parent = pKryt.Name();
  for (TControl* c : {&rb10, &rb25, &rb50, &rb100}) c->Parent = pRychPresun.Name();
  for (TControl* c : {&pLTRAP_hodnota, &pLTRAP_sklon, &pRTRAP_hodnota, &pRTRAP_sklon}) c->Parent = rgTrapezoid.Name();
  chbVE.Parent = pVE.Name();
  chbVS.Parent = pVS.Name();
  chbAMR.Parent = pAMR.Name();
  chbAKP.Parent = pAKP.Name();
  sbRozbehUp.Parent = sbRozbehDown.Parent = sbRozbeh.Name();
  sbDobehUp.Parent = sbDobehDown.Parent = sbDobeh.Name();
  rbGear_1.Parent = rbGear_2.Parent = pPrevod.Name();
  sbKrokUp.Parent = sbKrokDown.Parent = sbKrok.Name();
  for (int i = 1; i <= 20; ++i) {
    const int riadok = (i - 1) / 10;
    const int stlpec = (i - 1) % 10;
    auto c = std::make_unique<TControl>(*this, "kom" + std::to_string(i), TControlKind::RadioButton, std::to_string(i),
                                        TRect{6 + stlpec * 41, 16 + riadok * 22, 40, 20});
    c->Parent = gbKomorka.Name();
    c->Tag = i;
    c->Color = clLime;
    c->OnClick = [this, i] { KomorkaClick(i); };
    Komory.push_back(std::move(c));
  }

  pZavity.OnClick = [this] { pZavityClick(); };
  pPosuvMM.OnClick = [this] { pPosuvMMClick(); };
  SpinButtonPosuvDown.OnClick = [this] { SpinButtonPosuvDownClick(); };
  SpinButtonPosuvUp.OnClick = [this] { SpinButtonPosuvUpClick(); };
  pLRev.OnClick = [this] { pLRevClick(); };
  pPRev.OnClick = [this] { pPRevClick(); };
  pSuradnica.OnClick = [this] { pSuradnicaClick(); };
  pLReverz.OnClick = [this] { pLReverzClick(); };
  pPReverz.OnClick = [this] { pPReverzClick(); };
  pOtackyMin.OnClick = [this] { pOtackyMinClick(); };
  pVrstva.OnClick = [this] { pVrstvaClick(); };
  pKrok.OnClick = [this] { pKrokClick(); };
  sbKrokDown.OnClick = [this] { sbKrokDownClick(); };
  sbKrokUp.OnClick = [this] { sbKrokUpClick(); };
  sbRozbehDown.OnClick = [this] { sbRozbehDownClick(); };
  sbRozbehUp.OnClick = [this] { sbRozbehUpClick(); };
  sbDobehDown.OnClick = [this] { sbDobehDownClick(); };
  sbDobehUp.OnClick = [this] { sbDobehUpClick(); };
  pSpreadZav1.OnClick = [this] { pSpreadZav1Click(); };
  pSpreadZav2.OnClick = [this] { pSpreadZav1Click(); };
  rbLavy.OnClick = [this] { rbLavyClick(); };
  rbPravy.OnClick = [this] { rbPravyClick(); };
  rbDolava.OnClick = [this] { rbDolavaClick(); };
  rbDoprava.OnClick = [this] { rbDopravaClick(); };
  rbSnimat.OnClick = [this] { rbSnimatClick(); };
  rbNesnimat.OnClick = [this] { rbNesnimatClick(); };
  rbNulovat.OnClick = [this] { rbNulovatClick(); };
  rbNenulovat.OnClick = [this] { rbNenulovatClick(); };
  rbPricitat.OnClick = [this] { rbPricitatClick(); };
  rgTypCyklu.OnClick = [this] { rgTypCykluClick(); };
  chbVS.OnClick = [this] { chbVSClick(); };
  chbVE.OnClick = [this] { chbVEClick(); };
  chbAMR.OnClick = [this] { chbAMRClick(); };
  chbAKP.OnClick = [this] { chbAKPClick(); };
  pAKP_LRev.OnClick = [this] { pAKP_LRevClick(); };
  pAKP_PRev.OnClick = [this] { pAKP_PRevClick(); };
  pLTRAP_hodnota.OnClick = [this] { pLTRAP_hodnotaClick(); };
  pLTRAP_sklon.OnClick = [this] { pLTRAP_sklonClick(); };
  pRTRAP_hodnota.OnClick = [this] { pRTRAP_hodnotaClick(); };
  pRTRAP_sklon.OnClick = [this] { pRTRAP_sklonClick(); };
  rb10.OnClick = [this] { rb10Click(); };
  rb25.OnClick = [this] { rb25Click(); };
  rb50.OnClick = [this] { rb50Click(); };
  rb100.OnClick = [this] { rb100Click(); };
  rbGear_1.OnClick = [this] { rbGear_1Click(); };
  rbGear_2.OnClick = [this] { rbGear_2Click(); };
  pInOut.OnClick = [this] { pInOutClick(); };
  bOK.OnClick = [this] { bOKClick(); };
  bCANCEL.OnClick = [this] { bCANCELClick(); };
  bInsert.OnClick = [this] { bInsertClick(); };
  bReplace.OnClick = [this] { bReplaceClick(); };
}

void TParam::FormCreate() {
  Bounds = UmiestniOkno(k_.Desktop, kSlotParam, k_.Ui->ScreenSize(), Bounds);
  rgTypCyklu.Items = {"Ende", "Stop", "Aut.langsam", "Aut.schnell"};
  rgTypCyklu.ItemIndex = 0;
  gbKomorka.Caption = " Kammer: ";
  rbPricitat.Visible = false;
}

void TParam::FormShow() {
  k_.Dialogy.ParamKrok = k_.Program.AktKrok;
  VypisCisloKroku();
  pPrevod.Caption = "  GETRIEBE:";
  if (k_.Dialogy.ParamKrok == 0) {
    bReplace.Enabled = false;
    bInsert.Enabled = true;
  }
  rbGear_1.Caption = std::to_string(k_.Stroj.OtackyPrevodu[0]);
  rbGear_2.Caption = std::to_string(k_.Stroj.OtackyPrevodu[1]);
}

void TParam::Rozsviet(TControl& c) {
  c.Enabled = true;
  c.Color = clLime;
}

void TParam::Zhasni(TControl& c) {
  c.Enabled = false;
  c.Color = clBtnFace;
}

namespace {
// The panels every opener puts out before lighting its own.
constexpr const char* kPanely[] = {"pSNav",    "pSOtac",     "pKryt",   "pNulovatZavity", "rgTypCyklu", "pRozbeh",
                                   "pDobeh",   "pZavity",    "pPosuvMM", "pPRev",         "pLRev",      "pOtackyMin",
                                   "pVS",      "pVE",        "pAMR",    "pAKP",           "pVrstva",    "pInOut",
                                   "pRychPresun", "rgTrapezoid", "pPrevod"};
}  // namespace

void TParam::Inic() {
  Caption = " - leuchtende Parameter einzustellen ";
  bOK.Enabled = true;
  bCANCEL.Enabled = true;
  bInsert.Enabled = false;
  bReplace.Enabled = false;
  for (const char* n : kPanely) Zhasni(*FindControl(n));
  for (TControl* c : {&pLTRAP_hodnota, &pLTRAP_sklon, &pRTRAP_hodnota, &pRTRAP_sklon}) c->Enabled = false;
  for (TControl* c : {&pSuradnica, &pLReverz, &pPReverz, &pRychPresun, &pKrok, &sbKrok, &pSpreadZav1, &pSpreadZav2})
    c->Visible = false;
}

void TParam::InicFunc() {
  bOK.Enabled = false;
  bCANCEL.Enabled = true;
  bInsert.Enabled = k_.Program.PocetKrokov != 0;
  bReplace.Enabled = true;
  for (const char* n : kPanely) Zhasni(*FindControl(n));
  for (TControl* c : {&pLTRAP_hodnota, &pLTRAP_sklon, &pRTRAP_hodnota, &pRTRAP_sklon}) c->Enabled = false;
  for (TControl* c : {&pSuradnica, &pLReverz, &pPReverz}) c->Color = clBtnFace;
  for (TControl* c : {&pSuradnica, &pLReverz, &pPReverz, &pRychPresun, &pSpreadZav1, &pSpreadZav2}) c->Visible = false;
  pKrok.Visible = true;
  Rozsviet(pKrok);
  sbKrok.Visible = true;
  sbKrok.Enabled = true;
}

void TParam::ApplyParamSet(TParamSet s) {
  const TParamSetLighting& sada = ParamSetLighting(s);
  if (!sada.Caption.empty()) Caption = sada.Caption;
  for (const std::string& n : sada.Lit) Rozsviet(*FindControl(n));
  for (const std::string& n : sada.Dimmed) Zhasni(*FindControl(n));
  for (const std::string& n : sada.Disabled) FindControl(n)->Enabled = false;
  for (const std::string& n : sada.Shown) FindControl(n)->Visible = true;
  for (const std::string& n : sada.Hidden) FindControl(n)->Visible = false;
  if (sada.KoordinateCaption) pSuradnica.Caption = kKoordinate;
}

void TParam::ZobrazParametre() {
  TKrok& w = k_.Program.PracKrok;
  const int mode = k_.Dialogy.DruhEditacie;
  const long double posun = k_.KonstKroky[kPosunTemplate].Hodnota;

  // 1. The chamber selector.
  switch (k_.Dialogy.DruhParametra) {
    case 5:
    case 6:
    case 9:
    case 10:
    case 11:
    case 25:
      gbKomorka.Visible = false;
      k_.Dialogy.Suradnica = posun;
      break;
    default:
      if (mode == rezim::kDefZav || mode == rezim::kPresun)
        ZobrazKomorky();
      else
        gbKomorka.Visible = false;
      break;
  }
  // 2. The coordinate row.
  pSuradnica.Caption = Dve(k_.Dialogy.Suradnica);
  pLReverz.Caption = Dve(w.LRev) + "  |<--";
  pPReverz.Caption = "-->|  " + Dve(w.PRev);
  // 3. Layers and special functions.
  pVrstva.Caption = " LAGE: " + std::to_string(w.Vrstvy);
  chbVE.Checked = w.VrstvaKoniec != 0;
  chbVS.Checked = w.VrstvaStop != 0;
  chbAMR.Checked = w.AutManual != 0;
  // 4. Automatic correction.
  pAKP_PRev.Caption = " AUT.KORR. R : " + Dve(w.AutKorP);
  pAKP_LRev.Caption = " AUT.KORR. L : " + Dve(w.AutKorL);
  for (TControl* c : {&pAKP_LRev, &pAKP_PRev}) {
    if (w.AutKorekcia == 1) {
      c->Visible = true;
      Rozsviet(*c);
    } else {
      c->Visible = false;
    }
  }
  chbAKP.Checked = w.AutKorekcia != 0;
  // 5. By mode.
  switch (mode) {
    case rezim::kPresun:
    case rezim::kKonst + 6: {
      pZavity.Caption = TextZavitovParam(mode, w);
      for (TControl* c : {&rb10, &rb25, &rb50, &rb100}) c->Checked = false;
      const long double f = w.PosuvMM;
      if (f == 10.0L)
        rb10.Checked = true;
      else if (f == 25.0L)
        rb25.Checked = true;
      else if (f == 50.0L)
        rb50.Checked = true;
      else {
        w.PosuvMM = 100.0L;
        rb100.Checked = true;
      }
      break;
    }
    case rezim::kSkok:
    case rezim::kKonst + 7:
    case rezim::kDelay:
    case rezim::kKonst + 8:
      pZavity.Caption = TextZavitovParam(mode, w);
      break;
    case rezim::kPrevod: {
      const bool druhy = Round(static_cast<long double>(w.Hodnota) * 100.0L) == 2;
      rbGear_2.Checked = druhy;
      rbGear_1.Checked = !druhy;
      pZavity.Caption = TextZavitovParam(mode, w);
      break;
    }
    default:
      pPosuvMM.Caption = TextPosuvu(k_, w);
      pZavity.Caption = TextZavitovParam(mode, w);
      pLTRAP_hodnota.Caption = " LINKS  - Wert: " + Dve(w.TrapezL);
      pLTRAP_sklon.Caption = TextSklonu(w.TrapezLZnamienko);
      pRTRAP_hodnota.Caption = " RECHTS - Wert: " + Dve(w.TrapezP);
      pRTRAP_sklon.Caption = TextSklonu(w.TrapezPZnamienko);
      break;
  }
  // 6. Reversal points.
  pPRev.Caption = " R.WENDEPUNKT: " + Dve(w.PRev);
  pLRev.Caption = " L.WENDEPUNKT: " + Dve(w.LRev);
  // 7. Run-up and run-down.
  if (w.Rozbeh == 0) w.Rozbeh = 1;
  if (w.Dobeh == 0) w.Dobeh = 1;
  NastavRozbehDobeh(pRozbeh, "BESCHL: ", w.Rozbeh);
  NastavRozbehDobeh(pDobeh, "ABBREM: ", w.Dobeh);
  // 8. Speed.
  pOtackyMin.Caption = " DREHZAHL: " + std::to_string(static_cast<int32_t>(w.Otacky));
  // 9. Radio pairs.
  rbLavy.Checked = w.SmerOtac != 0;
  rbPravy.Checked = w.SmerOtac == 0;
  rbDolava.Checked = w.SmerPosuvu != 0;
  rbDoprava.Checked = w.SmerPosuvu == 0;
  rbSnimat.Checked = w.Kryt == 1;
  rbNesnimat.Checked = w.Kryt != 1;
  rbNulovat.Checked = w.Nulovat == 1;
  rbNenulovat.Checked = w.Nulovat != 1;
  rbPricitat.Checked = false;
  if (mode == rezim::kOlep || mode == rezim::kKonst + 5) {
    rbNulovat.Checked = true;
    rbNenulovat.Checked = false;
  }
  // 10. Cycle type.
  rgTypCyklu.ItemIndex = w.TypCyklu;
  // 11. Spread turns.
  pSpreadZav1.Caption = "SPREIZE Wind.";
  pSpreadZav2.Caption = Dve(k_.Dialogy.SpreadZavity);
  // 12. The coordinate panel.
  if (SuradnicaZoZaciatku(mode)) {
    const int a = k_.Program.AktKrok;
    const long double poloha = a >= 0 && a <= kMaxKrokov ? static_cast<long double>(k_.BodyKrokov[static_cast<size_t>(a)].Poloha) : 0.0L;
    pSuradnica.Caption = kKoordinate + Dve(poloha);
  } else {
    pSuradnica.Caption = kKoordinate + Dve(k_.Dialogy.Suradnica);
  }
  // 13. Step numbers.
  VypisCisloKroku();
}

void TParam::NastavRozbehDobeh(TControl& panel, const char* text, int tag) {
  panel.Caption = text + std::to_string(tag);
  panel.Tag = tag;
}

void TParam::VypisCisloKroku() {
  const std::string n = std::to_string(k_.Dialogy.ParamKrok);
  pKrok.Caption = "SCHRITT: " + n;
  bInsert.Caption = "LEGE HINTER SCHRITT EIN: " + n;
  bReplace.Caption = "UMSCHREIBE SCHRITT: " + n;
}

void TParam::ZobrazKomorky() {
  TKrok& w = k_.Program.PracKrok;
  const TKostricka& b = k_.Kostricka;
  gbKomorka.Visible = true;
  for (int i = 0; i < 20; ++i) {
    Komory[static_cast<size_t>(i)]->Visible = static_cast<long double>(b.Komory[i].KomoraP) != 0.0L;
    Komory[static_cast<size_t>(i)]->Checked = i + 1 == k_.AktKomora;
  }
  gbKomorka.Color = static_cast<long double>(b.Komory[0].KomoraP) != 0.0L ? clLime : clBtnShadow;
  const int a = k_.AktKomora;
  if (a >= 1 && a <= 20 && static_cast<long double>(b.Komory[a - 1].KomoraP) != 0.0L) {
    const long double posun = b.Abstand;
    w.LRev = static_cast<long double>(b.Komory[a - 1].KomoraL) + posun;
    w.PRev = static_cast<long double>(b.Komory[a - 1].KomoraP) + posun;
    const long double s = k_.Dialogy.Suradnica;
    if (s != static_cast<long double>(w.LRev) && s != static_cast<long double>(w.PRev)) k_.Dialogy.Suradnica = w.LRev;
  } else {
    k_.Dialogy.Suradnica = k_.KonstKroky[kPosunTemplate].Hodnota;
  }
}

void TParam::KomorkaClick(int komora) {
  if (komora < 1 || komora > 20) return;
  TKrok& w = k_.Program.PracKrok;
  const TKostricka& b = k_.Kostricka;
  k_.AktKomora = komora;
  w.LRev = static_cast<long double>(b.Komory[komora - 1].KomoraL) + static_cast<long double>(b.Abstand);
  k_.Dialogy.Suradnica = w.LRev;
  w.PRev = static_cast<long double>(b.Komory[komora - 1].KomoraP) + static_cast<long double>(b.Abstand);
  ZobrazParametre();
}

TModalResult TParam::Zobraz() {
  if (NonModalMode(k_.Dialogy.DruhEditacie)) {
    k_.Ui->Show(*this);
    return TModalResult::None;
  }
  return k_.Ui->ShowModal(*this);
}

void TParam::Zadaj(TParamPanel p) {
  const TKeypadRequest r = ParamKeypadRequest(k_, p);
  if (r.DruhParametra) k_.Dialogy.DruhParametra = *r.DruhParametra;
  if (r.Prompt) vstup_.Caption = *r.Prompt;
  vstup_.Panel1.Caption.clear();
  if (r.Bodka != TBodka::AsLeft) vstup_.ButtonBODKA.Enabled = r.Bodka == TBodka::On;
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return;
  const long double v = k_.Dialogy.VstupHodnota;
  if (!r.Accepts(v)) {
    k_.Ui->Message(TMsgKind::Error, kMimoRozsahu, TMsgButtons::Ok);
    return;
  }
  StoreParamValue(k_, p, v);
  ZobrazPanel(p);
}

void TParam::ZobrazPanel(TParamPanel p) {
  const TKrok& w = k_.Program.PracKrok;
  switch (p) {
    case TParamPanel::pKrok:
      bReplace.Enabled = k_.Dialogy.ParamKrok != 0;
      VypisCisloKroku();
      return;
    case TParamPanel::pSuradnica:
      // Only its own panel: a full display would put a chamber's edge back.
      pSuradnica.Caption = kKoordinate + Dve(k_.Dialogy.Suradnica);
      return;
    case TParamPanel::pSpreadZav:
    case TParamPanel::pAKP_LRev:
    case TParamPanel::pAKP_PRev:
      ZobrazParametre();
      return;
    default:
      break;
  }
  // A windings step shows just the panel, so a chamber's edges do not
  // overwrite a reversal point typed after choosing the chamber.
  if (w.Druh != kDruhWicklung) {
    ZobrazParametre();
    return;
  }
  switch (p) {
    case TParamPanel::pZavity:
      pZavity.Caption = TextZavitovParam(k_.Dialogy.DruhEditacie, w);
      break;
    case TParamPanel::pPosuvMM:
      pPosuvMM.Caption = TextPosuvu(k_, w);
      break;
    case TParamPanel::pLRev:
      pLRev.Caption = " L.WENDEPUNKT: " + Dve(w.LRev);
      break;
    case TParamPanel::pPRev:
      pPRev.Caption = " R.WENDEPUNKT: " + Dve(w.PRev);
      break;
    case TParamPanel::pOtackyMin:
      pOtackyMin.Caption = " DREHZAHL: " + std::to_string(static_cast<int32_t>(w.Otacky));
      break;
    case TParamPanel::pVrstva:
      pVrstva.Caption = " LAGE: " + std::to_string(w.Vrstvy);
      break;
    case TParamPanel::pLTRAP_hodnota:
      pLTRAP_hodnota.Caption = " LINKS  - Wert: " + Dve(w.TrapezL);
      break;
    case TParamPanel::pRTRAP_hodnota:
      pRTRAP_hodnota.Caption = " RECHTS - Wert: " + Dve(w.TrapezP);
      break;
    default:
      break;
  }
}

void TParam::pZavityClick() { Zadaj(TParamPanel::pZavity); }
void TParam::pPosuvMMClick() { Zadaj(TParamPanel::pPosuvMM); }
void TParam::pLRevClick() { Zadaj(TParamPanel::pLRev); }
void TParam::pPRevClick() { Zadaj(TParamPanel::pPRev); }
void TParam::pSuradnicaClick() { Zadaj(TParamPanel::pSuradnica); }
void TParam::pOtackyMinClick() { Zadaj(TParamPanel::pOtackyMin); }
void TParam::pVrstvaClick() { Zadaj(TParamPanel::pVrstva); }
void TParam::pKrokClick() { Zadaj(TParamPanel::pKrok); }
void TParam::pSpreadZav1Click() { Zadaj(TParamPanel::pSpreadZav); }
void TParam::pAKP_LRevClick() { Zadaj(TParamPanel::pAKP_LRev); }
void TParam::pAKP_PRevClick() { Zadaj(TParamPanel::pAKP_PRev); }
void TParam::pLTRAP_hodnotaClick() { Zadaj(TParamPanel::pLTRAP_hodnota); }
void TParam::pRTRAP_hodnotaClick() { Zadaj(TParamPanel::pRTRAP_hodnota); }

void TParam::SpinButtonPosuvDownClick() {
  TKrok& w = k_.Program.PracKrok;
  w.PosuvMM = PosuvNizsi(k_.Stroj, w.PosuvMM);
  ZobrazParametre();
}

void TParam::SpinButtonPosuvUpClick() {
  TKrok& w = k_.Program.PracKrok;
  w.PosuvMM = PosuvVyssi(k_.Stroj, w.PosuvMM);
  ZobrazParametre();
}

void TParam::pLReverzClick() {
  k_.Dialogy.Suradnica = k_.Program.PracKrok.LRev;
  pSuradnica.Caption = kKoordinate + Dve(k_.Dialogy.Suradnica);
}

void TParam::pPReverzClick() {
  k_.Dialogy.Suradnica = k_.Program.PracKrok.PRev;
  pSuradnica.Caption = kKoordinate + Dve(k_.Dialogy.Suradnica);
}

void TParam::PosunKrok(int o) {
  k_.Dialogy.ParamKrok = std::clamp(k_.Dialogy.ParamKrok + o, 0, kMaxKrokov);
  VypisCisloKroku();
  bReplace.Enabled = k_.Dialogy.ParamKrok > 0;
}

void TParam::sbKrokDownClick() { PosunKrok(-1); }
void TParam::sbKrokUpClick() { PosunKrok(1); }

// The level lives in the panel's tag, 1 to 8.
void TParam::PosunUroven(TControl& panel, const char* text, uint8_t& pole, int o) {
  panel.Tag = std::clamp(panel.Tag + o, 1, 8);
  NastavRozbehDobeh(panel, text, panel.Tag);
  pole = static_cast<uint8_t>(panel.Tag);
}

void TParam::sbRozbehDownClick() { PosunUroven(pRozbeh, "BESCHL: ", k_.Program.PracKrok.Rozbeh, -1); }
void TParam::sbRozbehUpClick() { PosunUroven(pRozbeh, "BESCHL: ", k_.Program.PracKrok.Rozbeh, 1); }
void TParam::sbDobehDownClick() { PosunUroven(pDobeh, "ABBREM: ", k_.Program.PracKrok.Dobeh, -1); }
void TParam::sbDobehUpClick() { PosunUroven(pDobeh, "ABBREM: ", k_.Program.PracKrok.Dobeh, 1); }

void TParam::rbLavyClick() { k_.Program.PracKrok.SmerOtac = 1; }
void TParam::rbPravyClick() { k_.Program.PracKrok.SmerOtac = 0; }
void TParam::rbDolavaClick() { k_.Program.PracKrok.SmerPosuvu = 1; }
void TParam::rbDopravaClick() { k_.Program.PracKrok.SmerPosuvu = 0; }
void TParam::rbSnimatClick() { k_.Program.PracKrok.Kryt = 1; }
void TParam::rbNesnimatClick() { k_.Program.PracKrok.Kryt = 0; }

// The three counter choices are one group: the clicked one is on, the
// others off; only " löschen " clears the counter.
void TParam::VyberPocitadlo(TControl& zapnuty) {
  for (TControl* c : {&rbNulovat, &rbNenulovat, &rbPricitat}) c->Checked = c == &zapnuty;
  k_.Program.PracKrok.Nulovat = &zapnuty == &rbNulovat ? 1 : 0;
}

void TParam::rbNulovatClick() { VyberPocitadlo(rbNulovat); }
void TParam::rbNenulovatClick() { VyberPocitadlo(rbNenulovat); }
void TParam::rbPricitatClick() { VyberPocitadlo(rbPricitat); }

void TParam::rgTypCykluClick() {
  if (rgTypCyklu.ItemIndex >= 0) k_.Program.PracKrok.TypCyklu = static_cast<uint8_t>(rgTypCyklu.ItemIndex);
}

void TParam::chbAMRClick() { k_.Program.PracKrok.AutManual = chbAMR.Checked ? 1 : 0; }

namespace {
void FarbaVrstiev(TControl& pVS, TControl& pVE, bool obe) {
  pVS.Color = obe ? clRed : clLime;
  pVE.Color = obe ? clRed : clLime;
}
}  // namespace

void TParam::chbVSClick() {
  k_.Program.PracKrok.VrstvaStop = chbVS.Checked ? 1 : 0;
  FarbaVrstiev(pVS, pVE, chbVS.Checked && chbVE.Checked);
}

void TParam::chbVEClick() {
  k_.Program.PracKrok.VrstvaKoniec = chbVE.Checked ? 1 : 0;
  FarbaVrstiev(pVS, pVE, chbVS.Checked && chbVE.Checked);
}

void TParam::chbAKPClick() {
  k_.Program.PracKrok.AutKorekcia = chbAKP.Checked ? 1 : 0;
  for (TControl* c : {&pAKP_LRev, &pAKP_PRev}) {
    c->Visible = chbAKP.Checked;
    if (chbAKP.Checked) Rozsviet(*c);
  }
  ZobrazParametre();
}

void TParam::pLTRAP_sklonClick() {
  uint8_t& z = k_.Program.PracKrok.TrapezLZnamienko;
  z = z == 1 ? 0 : 1;
  pLTRAP_sklon.Caption = TextSklonu(z);
}

void TParam::pRTRAP_sklonClick() {
  uint8_t& z = k_.Program.PracKrok.TrapezPZnamienko;
  z = z == 1 ? 0 : 1;
  pRTRAP_sklon.Caption = TextSklonu(z);
}

void TParam::rb10Click() { k_.Program.PracKrok.PosuvMM = 10.0L; }
void TParam::rb25Click() { k_.Program.PracKrok.PosuvMM = 25.0L; }
void TParam::rb50Click() { k_.Program.PracKrok.PosuvMM = 50.0L; }
void TParam::rb100Click() { k_.Program.PracKrok.PosuvMM = 100.0L; }

// The gear choices are read when the dialog stores.
void TParam::rbGear_1Click() {
  rbGear_1.Checked = true;
  rbGear_2.Checked = false;
}

void TParam::rbGear_2Click() {
  rbGear_2.Checked = true;
  rbGear_1.Checked = false;
}

void TParam::pInOutClick() {
  if (!UpravVstupyVystupy) return;
  UpravVstupyVystupy(k_.Program.PracKrok);
}

void TParam::bOKClick() {
  const int mode = k_.Dialogy.DruhEditacie;
  const std::optional<int> sablona = TemplateOfMode(mode);
  // The store has no step 0 and nothing beyond 350: such a number stores
  // nothing and the dialog stays open.
  const int n = k_.Dialogy.ParamKrok;
  if (!sablona && (n < 1 || n > kMaxKrokov)) {
    k_.Ui->Message(TMsgKind::Error, kMimoRozsahu, TMsgButtons::Ok);
    return;
  }
  TKrok& w = k_.Program.PracKrok;
  // 1.
  k_.Program.AktKrok = n;
  w.PrevodOtacok = PrevodKroku(k_.Stroj, k_.Program.Kroky, n >= 1 && n <= kMaxKrokov ? n : 0);
  // 2.
  w.Kryt = rbSnimat.Checked ? 1 : 0;
  w.SmerOtac = rbPravy.Checked ? 0 : 1;
  w.SmerPosuvu = rbDoprava.Checked ? 0 : 1;
  w.Rozbeh = static_cast<uint8_t>(pRozbeh.Tag == 0 ? 1 : pRozbeh.Tag);
  w.Dobeh = static_cast<uint8_t>(pDobeh.Tag == 0 ? 1 : pDobeh.Tag);
  w.TypCyklu = static_cast<uint8_t>(rgTypCyklu.ItemIndex < 0 ? 0 : rgTypCyklu.ItemIndex);
  // 3.
  if (w.Druh == kDruhVerschiebung) {
    if (rb10.Checked)
      w.RychPresun = 10;
    else if (rb25.Checked)
      w.RychPresun = 25;
    else if (rb50.Checked)
      w.RychPresun = 50;
    else {
      rb100.Checked = true;
      w.RychPresun = 100;
    }
  }
  // 4.
  if (chbVE.Checked && w.Druh == kDruhWicklung) DopocitajZavity(k_, w, n - 1);
  // 5.
  if (mode == rezim::kKonst + 5 || mode == rezim::kKonst + 7) w.PosuvMM = 0.0L;
  // 6.
  if (sablona) {
    if (mode == rezim::kKonst || mode == rezim::kKonst + 1) w.Druh = kDruhWicklung;
    if (mode == rezim::kKonst + 6) w.Hodnota = k_.Dialogy.Suradnica;
    k_.KonstKroky[static_cast<size_t>(*sablona)] = w;
    Close(TModalResult::Ok);
    return;
  }
  k_.Program.Zmeneny = 1;
  k_.Program.Kroky[n] = w;
  k_.MainWindow().ZobrazParametre(n);
  k_.MainWindow().RepaintLater();
  Close(TModalResult::Ok);
}

void TParam::bCANCELClick() { Close(TModalResult::Cancel); }

TModalResult TParam::Otvor(const TOtvorenie& o) {
  if (o.DruhParametra) k_.Dialogy.DruhParametra = *o.DruhParametra;
  k_.Dialogy.DruhEditacie = o.DruhEditacie;
  k_.Program.PracKrok = o.Zdroj;
  if (o.Druh) k_.Program.PracKrok.Druh = *o.Druh;
  if (o.Funkcia)
    InicFunc();
  else
    Inic();
  if (o.Sada) ApplyParamSet(*o.Sada);
  if (!o.Caption.empty()) Caption = o.Caption;
  if (o.PredZobrazenim) o.PredZobrazenim();
  ZobrazParametre();
  if (o.PredUkazanim) o.PredUkazanim();
  return Zobraz();
}

bool TParam::VlozKrok(const TKrok& r) { return kvr::VlozKrok(k_, r); }

void TParam::bInsertClick() { VlozAleboPrepis(true); }
void TParam::bReplaceClick() { VlozAleboPrepis(false); }

void TParam::VlozAleboPrepis(bool vloz) {
  TProgram& p = k_.Program;
  TKrok& w = p.PracKrok;
  const int mode = k_.Dialogy.DruhEditacie;
  // 1. The store has no step 0 to write over.
  if (!vloz && (k_.Dialogy.ParamKrok < 1 || k_.Dialogy.ParamKrok > kMaxKrokov)) return;
  p.AktKrok = k_.Dialogy.ParamKrok;
  const int b = vloz ? p.AktKrok : p.AktKrok - 1;
  // 2., 3.
  ZalohujProgram(k_);
  p.Zmeneny = 1;
  if (p.AktKrok > p.PocetKrokov) p.PocetKrokov = p.AktKrok;
  // 4.
  w.PrevodOtacok = PrevodKroku(k_.Stroj, p.Kroky, std::clamp(p.AktKrok, 0, kMaxKrokov));
  // 5.
  w.Kryt = rbSnimat.Checked ? 1 : 0;
  w.SmerOtac = rbPravy.Checked ? 0 : 1;
  w.SmerPosuvu = rbDoprava.Checked ? 0 : 1;
  w.Rozbeh = static_cast<uint8_t>(pRozbeh.Tag);
  w.Dobeh = static_cast<uint8_t>(pDobeh.Tag);
  w.TypCyklu = static_cast<uint8_t>(rgTypCyklu.ItemIndex < 0 ? 0 : rgTypCyklu.ItemIndex);
  w.Nulovat = rbNulovat.Checked ? 1 : 0;
  // 6.
  if (chbVE.Checked) DopocitajZavity(k_, w, b);
  // 7.
  switch (mode) {
    case rezim::kDefZav:
      if (static_cast<long double>(w.LRev) > static_cast<long double>(w.PRev)) {
        k_.Ui->Message(TMsgKind::Error, kKrizoveBody, TMsgButtons::Ok);
        return;
      }
      break;
    case rezim::kOlep:
    case rezim::kDelay:
      w.PosuvMM = 0.0L;
      w.LRev = 0.0L;
      w.PRev = 0.0L;
      break;
    case rezim::kPresun:
      w.Hodnota = k_.Dialogy.Suradnica;
      if (rb10.Checked)
        w.RychPresun = 10;
      else if (rb25.Checked)
        w.RychPresun = 25;
      else if (rb50.Checked)
        w.RychPresun = 50;
      else if (rb100.Checked)
        w.RychPresun = 100;
      break;
    case rezim::kSkok:
      w.PosuvMM = 10.0L;
      w.LRev = 0.0L;
      w.PRev = 0.0L;
      break;
    case rezim::kPrevod:
      w.PosuvMM = 0.0L;
      w.LRev = 0.0L;
      w.PRev = 0.0L;
      w.Hodnota = rbGear_2.Checked ? 0.02L : 0.01L;
      break;
    default:
      break;
  }
  // 8.
  if (mode == rezim::kDefZav) {
    const long double predtym = PosledneZavity(p, b);
    if (rbPricitat.Checked) w.Hodnota = static_cast<long double>(w.Hodnota) + predtym;
    if (rbNenulovat.Checked && predtym >= static_cast<long double>(w.Hodnota)) {
      k_.Ui->Message(TMsgKind::Error, kNenulovat, TMsgButtons::Ok);
      return;
    }
  }
  // 9. A computation without a result stores nothing and leaves the dialog
  // open for another value.
  auto uloz = [&] {
    if (vloz) {
      VlozKrok(w);
    } else {
      ZapisKrok(k_, w);
    }
  };
  auto bezVysledku = [&] { k_.Ui->Message(TMsgKind::Error, kDatenUnkorrekt, TMsgButtons::Ok); };
  switch (mode) {
    case rezim::kDefZav:
    case rezim::kOlep:
    case rezim::kPresun:
    case rezim::kSkok:
    case rezim::kDelay:
    case rezim::kPrevod:
      uloz();
      break;
    case rezim::kVrstvaPosuvAut:
      if (!PocitajPosuv(k_, w, b, rbNulovat.Checked)) return bezVysledku();
      uloz();
      break;
    case rezim::kVrstvaZavityAut:
      if (!PocitajZavity(k_, w, b, rbNulovat.Checked)) return bezVysledku();
      uloz();
      break;
    case rezim::kVrstvaStop:
      RozlozNaVrstvy(k_, vloz, rbNulovat.Checked);
      break;
    case rezim::kSpreadVinutie:
      if (!RozprestriVinutie(k_, w, b)) return bezVysledku();
      uloz();
      break;
    case rezim::kSpreadVrstva:
      if (!vloz && !RozprestriVrstvu(k_)) return;
      break;
    default:
      break;
  }
  // 10.
  Close(TModalResult::Cancel);
  // 11.
  PrepocitajKroky(p);
  k_.MainWindow().ZobrazParametre(p.AktKrok);
  k_.Vyber.ZrusBlok();
  k_.Vyber.ZrusVybraneKroky();
  // 12.
  if (vloz && mode != rezim::kVrstvaStop) {
    Posli_INSERT(k_, p.AktKrok - 1);
    Posli_KrokParam(k_, p.AktKrok);
  } else if (!vloz && mode != rezim::kVrstvaStop && mode != rezim::kSpreadVrstva) {
    Posli_KrokParam(k_, p.AktKrok);
  }
  // 13.
  k_.MainWindow().RepaintLater();
}

}  // namespace kvr
