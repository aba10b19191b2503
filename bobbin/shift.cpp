#include "bobbin/shift.h"

#include <algorithm>
#include <optional>

#include "bobbin/bobbin_design.h"
#include "form/ui_services.h"
#include "model/context.h"
#include "tools/keypad.h"

namespace kvr {

namespace {

constexpr uint8_t kVinutie = 1;
constexpr uint8_t kPresun = 2;

// 6-byte reals carry binary noise (209.7 + 0.3 is not quite 210.0); a
// coordinate within this of a limit counts as on it. Far below the 0.01 mm
// the keypad can enter.
constexpr long double kTolerancia = 1e-6L;

bool VRozsahu(long double x, long double maxBreite) { return x >= -kTolerancia && x <= maxBreite + kTolerancia; }

uint8_t Druh(const TKontext& k, int i) { return k.BodyKrokov[static_cast<std::size_t>(i)].Druh; }

}  // namespace

long double LavaPoloha(const TKontext& k, int od, int po) {
  long double m = k.Stroj.MaxBreite;
  for (int i = od; i <= po; ++i) {
    const TKrok& s = k.Program.Kroky[i];
    if (Druh(k, i) == kVinutie) m = std::min(m, static_cast<long double>(s.LRev));
    if (Druh(k, i) == kPresun) m = std::min(m, static_cast<long double>(s.Hodnota));
  }
  return m;
}

long double PravaPoloha(const TKontext& k, int od, int po) {
  long double m = 0.0L;
  for (int i = od; i <= po; ++i) {
    const TKrok& s = k.Program.Kroky[i];
    if (Druh(k, i) == kVinutie) m = std::max(m, static_cast<long double>(s.PRev));
    if (Druh(k, i) == kPresun) m = std::max(m, static_cast<long double>(s.Hodnota));
  }
  return m;
}

bool KontrolPosun(const TKontext& k, int od, int po, long double posun, TSuradnicePosunu s) {
  const long double maxBreite = k.Stroj.MaxBreite;
  for (int i = od; i <= po; ++i) {
    const TKrok& krok = k.Program.Kroky[i];
    if (Druh(k, i) == kVinutie) {
      if (s.Lave && !VRozsahu(krok.LRev + posun, maxBreite)) return false;
      if (s.Prave && !VRozsahu(krok.PRev + posun, maxBreite)) return false;
    } else if (Druh(k, i) == kPresun) {
      if (!VRozsahu(krok.Hodnota + posun, maxBreite)) return false;
    }
  }
  return true;
}

std::string TextPosunu(const std::string& panel) { return TrimEntry(panel, kDruhKoordinataKostricky); }

TVysledokPosunu PosunReverzov(TKontext& k, const std::string& panel, bool doprava, bool celyProgram,
                              TSuradnicePosunu s) {
  TDialogy& d = k.Dialogy;
  d.VstupText = TextPosunu(panel);
  const std::optional<long double> x = ParseNumber(d.VstupText);
  if (!x || *x > static_cast<long double>(k.Stroj.MaxBreite)) {
    k.Ui->Error(!x ? kTextDatyNekorektne : kTextMimoBereich);
    d.VstupText.clear();
    return TVysledokPosunu::Odmietnute;
  }
  k.PosunHodnota = doprava ? *x : -*x;
  const long double posun = k.PosunHodnota;

  if (k.Program.PocetKrokov == 0) return TVysledokPosunu::BezZmeny;
  int od = 1;
  int po = k.Program.PocetKrokov;
  if (!celyProgram) {
    od = k.Vyber.BlokOd;
    po = k.Vyber.BlokDo;
    if (od == 0 || po == 0) return TVysledokPosunu::BezZmeny;
  }

  if (!KontrolPosun(k, od, po, posun, s)) {
    k.Ui->Error(kTextMimoOkna);
    d.VstupText.clear();
    return TVysledokPosunu::Odmietnute;
  }

  // The block's extent before anything moves decides which chambers follow.
  const long double vlavo = LavaPoloha(k, od, po);
  const long double vpravo = PravaPoloha(k, od, po);
  for (int i = od; i <= po; ++i) {
    TKrok& krok = k.Program.Kroky[i];
    if (Druh(k, i) == kVinutie) {
      if (s.Lave) krok.LRev = krok.LRev + posun;
      if (s.Prave) krok.PRev = krok.PRev + posun;
    } else if (Druh(k, i) == kPresun) {
      krok.Hodnota = krok.Hodnota + posun;
    }
  }

  if (!k.Program.MenoKostricky.empty()) {
    TKostricka& b = k.Kostricka;
    if (celyProgram) {
      b.Abstand = b.Abstand + posun;
    } else {
      const long double abstand = b.Abstand;
      for (TKomora& c : b.Komory) {
        const long double l = c.KomoraL;
        const long double p = c.KomoraP;
        if (l == 0.0L && p == 0.0L) continue;
        if (l + abstand < vlavo - kTolerancia || p + abstand > vpravo + kTolerancia) continue;
        if (s.Lave) c.KomoraL = l + posun;
        if (s.Prave) c.KomoraP = p + posun;
      }
    }
  }
  return TVysledokPosunu::Posunute;
}

void ZarovnajKostricku(TKontext& k) {
  if (k.Program.MenoKostricky.empty()) {
    k.Ui->Error(kTextBezKostricky);
    return;
  }
  long double m = k.Stroj.MaxBreite;
  bool okraj = false;
  for (int i = 1; i <= k.Program.PocetKrokov; ++i) {
    const TKrok& s = k.Program.Kroky[i];
    if (Druh(k, i) == kVinutie) {
      okraj = true;
      m = std::min(m, static_cast<long double>(s.LRev));
    } else if (Druh(k, i) == kPresun) {
      okraj = true;
      m = std::min(m, static_cast<long double>(s.PRev));
    }
  }
  // Without a windings or shift step there is no edge to align to: the bobbin
  // would otherwise be put at the machine's far right.
  if (!okraj) {
    k.Ui->Error(kTextBezLavehoOkraja);
    return;
  }
  k.Kostricka.Abstand = m;
  k.MainWindow().RepaintLater();
}

}  // namespace kvr
