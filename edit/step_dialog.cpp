#include "edit/step_dialog.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/context.h"
#include "model/machine.h"
#include "model/numeric.h"
#include "model/program.h"

namespace kvr {

namespace {

const std::vector<std::string> kDefZav{
    "pInOut",    "pVS",        "pVE",        "pAMR",         "pAKP",        "pVrstva",       "pSNav",
    "pSOtac",    "pKryt",      "pNulovatZavity", "rgTypCyklu", "pRozbeh",   "pDobeh",        "pZavity",
    "pPosuvMM",  "pPRev",      "pLRev",      "pOtackyMin",   "rgTrapezoid", "pLTRAP_hodnota", "pLTRAP_sklon",
    "pRTRAP_hodnota", "pRTRAP_sklon"};
const std::vector<std::string> kSuradnice{"pSuradnica", "pLReverz", "pPReverz"};

std::vector<std::string> Bez(std::vector<std::string> v, const std::vector<std::string>& bez) {
  std::erase_if(v, [&](const std::string& s) { return std::find(bez.begin(), bez.end(), s) != bez.end(); });
  return v;
}
std::vector<std::string> Plus(std::vector<std::string> v, const std::vector<std::string>& plus) {
  v.insert(v.end(), plus.begin(), plus.end());
  return v;
}

const std::vector<std::string> kTrapez{"rgTrapezoid", "pLTRAP_hodnota", "pLTRAP_sklon", "pRTRAP_hodnota", "pRTRAP_sklon"};

TParamSetLighting VrstvaPosuvAut() {
  TParamSetLighting s;
  s.Caption = "LAGE WIND.AUT. - leuchtende Parameter einzustellen ";
  s.Lit = Plus(Bez(Bez(kDefZav, {"pPosuvMM"}), kTrapez), kSuradnice);
  s.Shown = kSuradnice;
  s.Hidden = {"rbNenulovat"};
  return s;
}

TParamSetLighting SpreadVinutie() {
  TParamSetLighting s;
  s.Caption = "SPREIZEN ALLES - leuchtende Parameter einzustellen ";
  s.Lit = kSuradnice;
  s.Dimmed = {"pKrok"};
  s.Disabled = {"bInsert", "sbKrok"};
  s.Shown = Plus(kSuradnice, {"pKrok"});
  s.KoordinateCaption = true;
  return s;
}

const std::vector<TParamSetLighting>& Sady() {
  static const std::vector<TParamSetLighting> sady = [] {
    std::vector<TParamSetLighting> v(11);
    v[static_cast<int>(TParamSet::ParamDefZav)].Lit = kDefZav;

    v[static_cast<int>(TParamSet::ParamVrstvaPosuvAut)] = VrstvaPosuvAut();

    TParamSetLighting& zav = v[static_cast<int>(TParamSet::ParamVrstvaZavityAut)];
    zav = VrstvaPosuvAut();
    zav.Caption = "LAGE VORSCH.AUT. - leuchtende Parameter einzustellen ";
    std::replace(zav.Lit.begin(), zav.Lit.end(), std::string("pZavity"), std::string("pPosuvMM"));

    TParamSetLighting& stop = v[static_cast<int>(TParamSet::ParamVrstvaStop)];
    stop.Caption = "LAGE STOP - leuchtende Parameter einzustellen ";
    stop.Lit = kDefZav;
    stop.Hidden = {"rbNenulovat"};

    TParamSetLighting& olep = v[static_cast<int>(TParamSet::ParamOlep)];
    olep.Caption = "BANDAGIEREN - leuchtende Parameter einzustellen ";
    olep.Lit = {"pInOut",  "pVE",    "pVS",     "pAMR",   "pAKP",       "pVrstva", "pZavity",
                "pOtackyMin", "pSOtac", "pRozbeh", "pDobeh", "rgTypCyklu", "pKryt"};

    TParamSetLighting& presun = v[static_cast<int>(TParamSet::ParamPresun)];
    presun.Caption = "VERSCHIEBUNG - leuchtende Parameter einzustellen ";
    presun.Lit = Plus({"pInOut", "pRychPresun", "pVrstva", "rgTypCyklu"}, kSuradnice);
    presun.Dimmed = {"rgTrapezoid"};
    presun.Shown = Plus({"pRychPresun"}, kSuradnice);

    TParamSetLighting& skok = v[static_cast<int>(TParamSet::ParamSkok)];
    skok.Caption = "SPRUNG - leuchtende Parameter einzustellen ";
    skok.Lit = {"pInOut", "pVrstva", "pSNav", "pZavity", "rgTypCyklu"};

    TParamSetLighting& delay = v[static_cast<int>(TParamSet::ParamDelay)];
    delay.Caption = "PAUSE - leuchtende Parameter einzustellen ";
    delay.Lit = {"pInOut", "pVrstva", "pZavity", "rgTypCyklu"};

    TParamSetLighting& prevod = v[static_cast<int>(TParamSet::ParamPrevod)];
    prevod.Caption = "GETRIEBE - leuchtende Parameter einzustellen ";
    prevod.Lit = {"pInOut", "pPrevod"};

    v[static_cast<int>(TParamSet::ParamSpreadVinutie)] = SpreadVinutie();

    TParamSetLighting& vrstva = v[static_cast<int>(TParamSet::ParamSpreadVrstva)];
    vrstva = SpreadVinutie();
    vrstva.Caption = "SPREIZEN LAGE - leuchtende Parameter einzustellen ";
    vrstva.Lit = Plus(vrstva.Lit, {"pSpreadZav1", "pSpreadZav2"});
    vrstva.Shown = Plus(vrstva.Shown, {"pSpreadZav1", "pSpreadZav2"});
    return v;
  }();
  return sady;
}

std::string Dve(long double x) { return FormatFixed(x, 2); }

uint8_t PrevodAktKroku(const TKontext& k) {
  const int a = k.Program.AktKrok;
  return PrevodKroku(k.Stroj, k.Program.Kroky, a >= 1 && a <= kMaxKrokov ? a : 0);
}

}  // namespace

std::optional<int> TemplateOfMode(int mode) {
  if (mode >= rezim::kKonst && mode <= rezim::kKonstPosledny) return mode - rezim::kKonst;
  return std::nullopt;
}

bool NonModalMode(int mode) {
  switch (mode) {
    case rezim::kVrstvaPosuvAut:
    case rezim::kVrstvaZavityAut:
    case rezim::kPresun:
    case rezim::kKonst + 2:
    case rezim::kKonst + 3:
    case rezim::kKonst + 6:
      return true;
    default:
      return false;
  }
}

const TParamSetLighting& ParamSetLighting(TParamSet s) { return Sady()[static_cast<size_t>(s)]; }

TKeypadRequest ParamKeypadRequest(const TKontext& k, TParamPanel p) {
  const TKrok& w = k.Program.PracKrok;
  const long double maxBreite = k.Stroj.MaxBreite;
  const std::string sirka = Dve(maxBreite);
  TKeypadRequest r;
  switch (p) {
    case TParamPanel::pZavity:
      r.Max = 100000.0L;
      if (w.Druh == kDruhSprung || k.Dialogy.DruhEditacie == rezim::kKonst + 7) {
        r.DruhParametra = 14;
        r.Prompt = "SPRUNG [mm]";
      } else if (w.Druh == kDruhVerschiebung) {
        r.DruhParametra = 14;
        r.Prompt = "VERSCHIEBUNG [1..MaxBreite]";
      } else if (w.Druh == kDruhPause) {
        r.DruhParametra = 26;
        r.Prompt = "PAUSE  [1 - 60000]";
        r.Bodka = TBodka::Off;
      } else {
        // Windings and taping; a template without a kind asks as windings do.
        r.DruhParametra = 2;
        r.Prompt = "WINDUNGSZAHL:  [0 - 99999.99]";
      }
      return r;
    case TParamPanel::pPosuvMM:
      r.DruhParametra = 15;
      r.Prompt = "VORSCH.[mm]: [0 - 40]";
      r.Bodka = TBodka::On;
      r.Max = 40.0L;
      return r;
    case TParamPanel::pLRev:
    case TParamPanel::pAKP_LRev:
      r.DruhParametra = 3;
      r.Prompt = " L.WENDEPUNKT: [0 - " + sirka + " ]";
      r.Max = maxBreite;
      return r;
    case TParamPanel::pPRev:
    case TParamPanel::pAKP_PRev:
      r.DruhParametra = 4;
      r.Prompt = " R.WENDEPUNKT: [0 - " + sirka + " ]";
      r.Max = maxBreite;
      return r;
    case TParamPanel::pSuradnica:
      r.DruhParametra = 14;
      r.Prompt = " KOORDINATE: [0 - " + sirka + " ]";
      r.Max = maxBreite;
      return r;
    case TParamPanel::pOtackyMin: {
      const int32_t max = MaxOtackyKroku(k.Stroj, PrevodAktKroku(k));
      r.DruhParametra = 23;
      r.Prompt = " DREHZAHL: 0 - " + std::to_string(max);
      r.Bodka = TBodka::Off;
      r.Max = max;
      return r;
    }
    case TParamPanel::pVrstva:
      r.DruhParametra = 1;
      r.Prompt = " LAGE: [1 - 250]";
      r.Bodka = TBodka::Off;
      r.Max = 250.0L;
      return r;
    case TParamPanel::pKrok:
      r.DruhParametra = 1;
      r.Prompt = "SCHRITT: [0 - 99]";
      r.Bodka = TBodka::Off;
      r.Max = kMaxKrokov;
      return r;
    case TParamPanel::pSpreadZav:
      r.DruhParametra = 19;
      r.Prompt = "SPREIZE Wind.";
      r.Bodka = TBodka::On;
      r.Max = 100000.0L;
      return r;
    case TParamPanel::pLTRAP_hodnota:
      r.DruhParametra = 3;
      r.Prompt = " LINKS  - Wert: [0 - " + Dve(100.0L) + " ]";
      r.Max = 100.0L;
      return r;
    case TParamPanel::pRTRAP_hodnota:
      r.DruhParametra = 3;
      r.Prompt = " RECHTS - Wert: [0 - " + Dve(100.0L) + " ]";
      r.Max = 100.0L;
      return r;
  }
  return r;
}

void StoreParamValue(TKontext& k, TParamPanel p, long double v) {
  TKrok& w = k.Program.PracKrok;
  switch (p) {
    case TParamPanel::pZavity:
      w.Hodnota = v;
      return;
    case TParamPanel::pPosuvMM:
      w.PosuvMM = static_cast<long double>(Round(v * 1000.0L)) / 1000.0L;
      return;
    case TParamPanel::pLRev:
      w.LRev = v;
      return;
    case TParamPanel::pPRev:
      w.PRev = v;
      return;
    case TParamPanel::pSuradnica:
      k.Dialogy.Suradnica = v;
      return;
    case TParamPanel::pOtackyMin:
      w.Otacky = ZaokruhliOtacky(k.Stroj, PrevodAktKroku(k), CeleOtacky(v));
      return;
    case TParamPanel::pVrstva:
      w.Vrstvy = static_cast<uint8_t>(std::trunc(v));
      return;
    case TParamPanel::pKrok:
      k.Dialogy.ParamKrok = static_cast<int32_t>(std::trunc(v));
      return;
    case TParamPanel::pSpreadZav:
      k.Dialogy.SpreadZavity = v;
      return;
    case TParamPanel::pAKP_LRev:
      w.AutKorL = v;
      return;
    case TParamPanel::pAKP_PRev:
      w.AutKorP = v;
      return;
    case TParamPanel::pLTRAP_hodnota:
      w.TrapezL = v;
      return;
    case TParamPanel::pRTRAP_hodnota:
      w.TrapezP = v;
      return;
  }
}

std::string TextPosuvu(const TKontext& k, const TKrok& krok) {
  return "VORSCH.[mm]: " + FormatFixed(ZaokruhliPosuv(k.Stroj, krok.PosuvMM), 3);
}

std::string TextZavitovParam(int mode, const TKrok& krok) {
  switch (mode) {
    case rezim::kSkok:
    case rezim::kKonst + 7:
      return "SPRUNGLÄNGE" + Dve(krok.Hodnota);
    case rezim::kDelay:
    case rezim::kKonst + 8:
      return "PAUSE [ms] :" + std::to_string(Round(krok.Hodnota));
    case rezim::kPrevod:
      return "WINDUNGSZAHL:0.00";
    default:
      return "WINDUNGSZAHL:" + Dve(krok.Hodnota);
  }
}

std::string TextSklonu(uint8_t znamienko) { return znamienko == 1 ? " Neigung: \\" : " Neigung: /"; }

}  // namespace kvr
