#include "view/step_panel_view.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/context.h"
#include "model/machine.h"
#include "model/numeric.h"
#include "model/program.h"
#include "view/captions.h"

namespace kvr {

namespace {

constexpr char kCR = '\r';

std::string Riadky(int n) { return n > 0 ? std::string(static_cast<size_t>(n), kCR) : std::string(); }

std::string TextZavitov(const TKrok& k) {
  const long double h = k.Hodnota;
  switch (k.Druh) {
    case kDruhVerschiebung:
      return " KOORDINATE: " + RealNaText(h);
    case kDruhSprung:
      return "SPRUNGLÄNGE" + RealNaText(h);
    case kDruhPause:
      return "PAUSE [ms] :" + std::to_string(Round(h));
    case kDruhGetriebe:
      return "Getriebe: " + std::to_string(Round(h * 100.0L));
    default:
      return "WINDUNGSZAHL:" + FormatFixed(h, 2);
  }
}

uint8_t PrevodAktKroku(const TKontext& k) {
  const int a = k.Program.AktKrok;
  return a >= 1 && a <= kMaxKrokov ? PrevodKroku(k.Stroj, k.Program.Kroky, a) : PrevodKroku(k.Stroj, k.Program.Kroky, 0);
}

}  // namespace

// The speed as a whole number: truncated, held within the record's range (only
// the upper bound is checked, so a large negative entry must still convert).
int32_t CeleOtacky(long double v) {
  const long double t = std::trunc(v);
  if (!(t >= static_cast<long double>(std::numeric_limits<int32_t>::min()))) return std::numeric_limits<int32_t>::min();
  if (t > static_cast<long double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(t);
}

std::string TextTypuCyklu(uint8_t typCyklu) {
  static constexpr std::array<const char*, 4> kTexty{"Ende", "Stop", "Aut.langsam", "Aut.schnell"};
  return typCyklu < kTexty.size() ? kTexty[typCyklu] : "";
}

TStepPanelTexts StepPanelTexts(const TKontext& k, int n) {
  const TKrok& s = k.Program.Kroky[n];
  TStepPanelTexts t;
  t.gParam = StepCaption(k.Program.AktKrok) + " ";
  t.bVrstva = " LAGE: " + std::to_string(s.Vrstvy);
  t.SpinButtonPosuvVisible = s.Druh == kDruhWicklung;
  t.BZavity = TextZavitov(s);
  t.pOtackyWarning = s.Druh == kDruhWicklung && k.Stroj.MeniPrevod == 1 &&
                             s.PrevodOtacok != PrevodKroku(k.Stroj, k.Program.Kroky, n)
                         ? clRed
                         : clBtnFace;
  t.bPosuvMM = s.Druh == kDruhVerschiebung
                   ? "VORSCHUBGES. : " + std::to_string(s.RychPresun)
                   : "VORSCH.[mm]: " + FormatFixed(ZaokruhliPosuv(k.Stroj, s.PosuvMM), 3);
  t.bLRev = " L.WENDEPUNKT: " + RealNaText(s.LRev);
  t.bPRev = " R.WENDEPUNKT: " + RealNaText(s.PRev);
  t.bRoDo = " BESCHL/ABBREMS: " + std::to_string(s.Rozbeh * 10 + s.Dobeh);
  t.bOtacky = " DREHZAHL: " + std::to_string(static_cast<int32_t>(s.Otacky));
  t.bTypCyklu = " ZYKLUSART: " + TextTypuCyklu(s.TypCyklu);
  t.bNulovat = std::string(" WINDUNGEN: ") + (s.Nulovat == 1 ? " löschen " : "nicht löschen");
  t.bSOtac = std::string(" DREHRICHTUNG: ") + (s.SmerOtac != 0 ? "links" : "rechts");
  t.bSNav = std::string(" VORSCH. RICHT. : ") + (s.SmerPosuvu != 0 ? " <--" : " -->");
  t.bKryt = std::string(" SCHILD: ") + (s.Kryt == 1 ? "kippen" : "nicht kippen");
  return t;
}

TStepPanelEnabled StepPanelEnabled(int druh, const std::string& model) {
  TStepPanelEnabled e;
  const bool kryt = model != "KVR - 100";
  switch (druh) {
    case kDruhWicklung:
      e.BZavity = e.bNulovat = e.bOtacky = e.bRoDo = true;
      e.bKryt = kryt;
      e.bPosuvMM = e.bLRev = e.bPRev = e.bTypCyklu = e.bSNav = e.bSOtac = e.lbSF = true;
      break;
    case kDruhVerschiebung:
      e.bPosuvMM = e.BZavity = e.bTypCyklu = true;
      break;
    case kDruhSprung:
      e.bTypCyklu = e.BZavity = e.bSNav = true;
      break;
    case kDruhPause:
    case kDruhGetriebe:
      e.bTypCyklu = e.BZavity = true;
      break;
    case kDruhBandagieren:
      e.BZavity = e.bTypCyklu = e.bNulovat = e.bRoDo = e.bLRev = e.bPRev = e.bOtacky = true;
      e.bKryt = kryt;
      e.bSOtac = true;
      break;
    default:
      e.bVrstva = false;
      e.lbInOut = false;
      break;
  }
  return e;
}

std::string TextSF(const TKrok& k) {
  std::string riadky;
  int c = 0;
  auto pridaj = [&](bool ano, const char* text) {
    if (!ano) return;
    riadky += kCR;
    riadky += text;
    ++c;
  };
  pridaj(k.VrstvaKoniec == 1, "- Layer End");
  pridaj(k.VrstvaStop == 1, "-Layer Stop");
  pridaj(k.AutManual == 1, "- Aut. to Manual");
  pridaj(k.AutKorekcia == 1, "- Aut. Correction");
  pridaj(static_cast<long double>(k.TrapezL) != 0.0L, "- Trapezoid Left");
  pridaj(static_cast<long double>(k.TrapezP) != 0.0L, "- Trapezoid Right");
  return Riadky(c == 0 ? 3 : (7 - c) / 2) + "SPEZIELLE FUNKTIONEN" + riadky;
}

std::string TextIO(const TKrok& k) {
  static constexpr std::array<const char*, 4> kPodmienky{"NA", "I", "S", "SB"};
  std::string riadky;
  int vstupy = 0;
  for (int i = 1; i <= 4; ++i) {
    const uint8_t v = k.Vstup[i - 1];
    if (v > 3) continue;
    riadky += kCR;
    riadky += "IN_" + std::to_string(i) + ":  " + kPodmienky[v];
    ++vstupy;
  }
  for (int i = 1; i <= 4; ++i) {
    const uint8_t stav = k.VystupStav(i);
    riadky += kCR;
    riadky += "OUT_" + std::to_string(i) + ":  " + ((stav & 0x80) != 0 ? "H - " : "L - ") + ((stav & 0x40) != 0 ? "H" : "L");
  }
  const int c = vstupy + 4;
  return Riadky(7 - c > 1 ? 1 : 0) + " EINGÄNGE / AUSGÄNGE " + Riadky((7 - c) / 2) + riadky;
}

std::optional<TKeypadRequest> KeypadRequest(const TKontext& k, TKeypadButton b) {
  const int a = k.Program.AktKrok;
  const uint8_t druh = a >= 1 && a <= kMaxKrokov ? k.Program.Kroky[a].Druh : uint8_t{kDruhLeer};
  const std::string sirka = RealNaText(k.Stroj.MaxBreite);
  TKeypadRequest r;
  switch (b) {
    case TKeypadButton::BKrok:
      r.DruhParametra = 1;
      r.Prompt = "SCHRITT: [0 - 99]";
      r.Bodka = TBodka::Off;
      r.Min = 0.0L;
      r.Max = kMaxKrokov;
      return r;
    case TKeypadButton::BZavity:
      r.Max = 100000.0L;
      switch (druh) {
        case kDruhWicklung:
          r.DruhParametra = 2;
          r.Prompt = " WINDUNGEN:   [0 - 99999.99]";
          break;
        case kDruhVerschiebung:
          r.DruhParametra = 14;
          r.Prompt = "VERSCHIEBUNG [1..MaxBreite]";
          break;
        case kDruhSprung:
          r.Prompt = "SPRUNG [mm]";
          break;
        case kDruhPause:
          r.DruhParametra = 26;
          r.Prompt = "PAUSE  [1 - 60000]";
          r.Bodka = TBodka::Off;
          break;
        case kDruhGetriebe:
          return std::nullopt;  // the gear dialog takes a gear step's value
        default:
          break;
      }
      return r;
    case TKeypadButton::bLRev:
      r.DruhParametra = 3;
      r.Prompt = " L.WENDEPUNKT: [0 - " + sirka + " ]";
      r.Max = k.Stroj.MaxBreite;
      return r;
    case TKeypadButton::bPRev:
      r.DruhParametra = 4;
      r.Prompt = " R.WENDEPUNKT: [0 - " + sirka + " ]";
      r.Max = k.Stroj.MaxBreite;
      return r;
    case TKeypadButton::bPosuvMM:
      if (druh == kDruhVerschiebung) return std::nullopt;  // a shift step's speed is set in the step dialog
      r.DruhParametra = 15;
      r.Prompt = "VORSCH.[mm]: [0 - 40]";
      r.Bodka = TBodka::On;
      r.Max = 40.0L;
      return r;
    case TKeypadButton::bOtacky: {
      const int32_t max = MaxOtackyKroku(k.Stroj, PrevodAktKroku(k));
      r.DruhParametra = 8;
      r.Prompt = " DREHZAHL: [1 - " + std::to_string(max) + "]";
      r.Bodka = TBodka::Off;
      r.Max = max;
      return r;
    }
  }
  return std::nullopt;
}

void StoreKeypadValue(const TKontext& k, TKeypadButton b, int i, TKrok& krok, long double v) {
  bool koniec = false;  // the step's end moves: a layer-end windings step recounts its turns
  switch (b) {
    case TKeypadButton::BKrok:
      return;
    case TKeypadButton::BZavity:
      krok.Hodnota = v;
      koniec = true;
      break;
    case TKeypadButton::bLRev:
      krok.LRev = v;
      koniec = true;
      break;
    case TKeypadButton::bPRev:
      krok.PRev = v;
      koniec = true;
      break;
    case TKeypadButton::bPosuvMM:
      krok.PosuvMM = ZaokruhliPosuv(k.Stroj, static_cast<long double>(Round(v * 1000.0L)) / 1000.0L);
      koniec = true;
      break;
    case TKeypadButton::bOtacky: {
      const uint8_t g = PrevodKroku(k.Stroj, k.Program.Kroky, i);
      krok.Otacky = ZaokruhliOtacky(k.Stroj, g, CeleOtacky(v));
      krok.PrevodOtacok = g;
      break;
    }
  }
  if (koniec && krok.VrstvaKoniec == 1 && krok.Druh == kDruhWicklung) DopocitajZavity(k, krok, i - 1);
}

}  // namespace kvr
