#include "view/layers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "model/numeric.h"
#include "model/program.h"
#include "model/real48_round.h"
#include "form/canvas.h"
#include "model/context.h"
#include "form/ui_services.h"
#include "view/colours.h"
#include "view/scale.h"

namespace kvr {

namespace {

constexpr long double kRozostupVrstiev = 22.0L;  // layer pitch, drawing units
constexpr long double kPasVrstiev = 1.0L;        // compressed-layer step
constexpr int kZiadnyDruh = -1;                  // the place before entry 1

// A value as a 6-byte real holds it: every length of the walk is stored so.
long double R48(long double x) { return Real48Round(x); }
// Zaokruhli01 as the walk keeps it, in a 6-byte real.
long double Zaok01(long double x) { return R48(Zaokruhli01(x)); }

// 32-bit counters wrap, as the machine's longint counters do.
int32_t Plus(int32_t a, uint64_t n) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(n));
}

// Whether a pass of distance d is full, i.e. Zaok01(d) < z. IstePlny decides
// it without the rounding when the rest is clearly longer: Zaok01(d) is at
// most d + 0.05 plus a relative error far below 2^-30.
bool IstePlny(long double d, long double z) {
  return z > d + 0.0625L + std::fabs(d) * 0x1p-30L;
}
bool Plny(long double d, long double z) { return IstePlny(d, z) || !(Zaok01(d) >= z); }

// Previous kinds that start a new layer: 6, 4, 0 (pass to the left of a plain
// windings step) and 6, 4, 5, 0 (everywhere else).
bool Predosly640(int p) { return p == kDruhBandagieren || p == kDruhPause || p == kDruhLeer; }
bool Predosly6450(int p) { return Predosly640(p) || p == kDruhGetriebe; }

// Length to wind at the step's start: PosuvMM x Hodnota, or, counting on from
// the previous windings step, PosuvMM x (Hodnota - PredZavity).
long double Dlzka(const TKrok& krok, long double predZavity, bool celaDlzka) {
  const long double f = krok.PosuvMM;
  const long double h = krok.Hodnota;
  return celaDlzka ? f * h : f * (h - predZavity);
}

// How many passes after pass `prechod` can follow before one whose number
// does something besides moving: 1, 2, 3 (and 4 and the last pass pv when a
// step has more than 3 layers). Counted modulo 2^32 like the counter.
uint64_t DoOsobitnehoPrechodu(int32_t prechod, int32_t pv) {
  const uint32_t p = static_cast<uint32_t>(prechod);
  uint64_t najviac = uint64_t{1} << 32;
  auto zvaz = [&](int32_t s) {
    const uint32_t vzdialenost = static_cast<uint32_t>(s) - p;
    const uint64_t v = vzdialenost == 0 ? (uint64_t{1} << 32) : vzdialenost;
    najviac = std::min(najviac, v - 1);
  };
  zvaz(1);
  zvaz(2);
  zvaz(3);
  if (pv > 3) {
    zvaz(4);
    zvaz(pv);
  }
  return najviac;
}

// One walk: its state is k.Vrstvenie; the primitives draw on the canvas.
class TChod {
 public:
  TChod(TKontext& k, ICanvas& c, const TMierka& m, const WalkOptions& o)
      : k_(k), s_(k.Vrstvenie), c_(c), m_(m), o_(o), vrch_(int64_t{m.Posun} + m.Vyska) {
    // The caller moved the pen to the walk's start.
    peroP_ = s_.AktPoloha;
    peroBy_ = TMierka::BodY(s_.AktVyska);
  }

  void Krok(int i, long double predZavity);
  // The pen went above the view with StopAboveView: the walk ends.
  bool Zastavene() const { return zastavene_; }

 private:
  // The walk's drawing primitives.
  void Ciara() { CiaraNa(s_.AktPoloha, s_.AktVyska); }
  void CiaraNa(long double poloha, long double vyska);
  void Hlasenie(const std::string& text);
  void NovaVrstva() {
    s_.AktVyska = static_cast<long double>(s_.AktVyska) + kRozostupVrstiev;
    Ciara();
  }
  void Pas() {
    s_.AktVyska = static_cast<long double>(s_.AktVyska) + kPasVrstiev;
    Ciara();
  }
  void Zaznam(int i, uint8_t smer);
  void Ciarka();

  // One move of a windings pass towards a reversal point: partial when the
  // rounded distance covers the rest (false), else full (true).
  bool PrechodDolava();
  bool PrechodDoprava();

  void Winding(int i, const TKrok& krok, int predosly, long double predZavity);
  void Rovne(int i, const TKrok& krok, int predosly, long double predZavity);
  void Lichobeznik(int i, const TKrok& krok, int predosly, long double predZavity);
  void Uzke(int i, const TKrok& krok, int predosly, long double predZavity);
  void ZaciatokVinutia(int i, const TKrok& krok, long double predZavity);
  // The passes of a plain windings step that only move; false when the rest
  // stopped shrinking (the walk would never end).
  bool Beh(int32_t pv);

  TKontext& k_;
  TStavVrstvenia& s_;
  ICanvas& c_;
  const TMierka& m_;
  const WalkOptions& o_;
  // ClipToView: BodY above which nothing shows, and where the pen would be;
  // the canvas's pen is there too unless a hidden move left it behind.
  int64_t vrch_;
  long double peroP_ = 0.0L;
  int32_t peroBy_ = 0;
  bool peroNaPlatne_ = true;
  bool zastavene_ = false;
};

void TChod::CiaraNa(long double poloha, long double vyska) {
  if (!o_.Canvas) return;
  const int32_t by = TMierka::BodY(vyska);
  const bool ciara = k_.Kresba.KresliZapnute && by > m_.Posun;
  if (!o_.ClipToView) {
    const int32_t x = m_.X(poloha);
    const int32_t y = m_.Y(by);
    if (ciara)
      c_.LineTo(x, y);
    else
      c_.MoveTo(x, y);
    return;
  }
  if (ciara && !(by > vrch_ && peroBy_ > vrch_)) {
    if (!peroNaPlatne_) c_.MoveTo(m_.X(peroP_), m_.Y(peroBy_));
    c_.LineTo(m_.X(poloha), m_.Y(by));
    peroNaPlatne_ = true;
  } else {
    peroNaPlatne_ = false;
  }
  peroP_ = poloha;
  peroBy_ = by;
  // Heights only grow, and BodY with them below 2^31: once the pen is above
  // the view, so is everything the walk draws after it.
  if (o_.StopAboveView && by > vrch_ && vyska < 2147483647.0L) zastavene_ = true;
}

void TChod::Hlasenie(const std::string& text) {
  if (o_.Log != nullptr) o_.Log->Messages.push_back(text);
  if (o_.ShowMessages) k_.Ui->Error(text);
}

void TChod::Zaznam(int i, uint8_t smer) {
  TBodKroku& b = k_.BodyKrokov[static_cast<size_t>(i)];
  b.Smer = smer;
  b.Poloha = s_.AktPoloha;
  b.Vyska = s_.AktVyska;
  b.BodX = m_.X(s_.AktPoloha);
  b.BodY = TMierka::BodY(s_.AktVyska);
  if (o_.Log != nullptr) o_.Log->EndRecorded.set(static_cast<size_t>(i));
}

void TChod::Ciarka() {
  if (!o_.Canvas) return;
  const int32_t by = TMierka::BodY(s_.AktVyska);
  if (!k_.Kresba.KresliZapnute || by < m_.Posun) return;
  // Above the view it cannot show, and it leaves the pen where it was.
  if (o_.ClipToView && by > vrch_) return;
  const int32_t x = m_.X(s_.AktPoloha);
  const int32_t y = m_.Y(by);
  c_.MoveTo(x - 25, y);
  c_.LineTo(x + 25, y);
  c_.MoveTo(x, y);
  peroP_ = s_.AktPoloha;
  peroBy_ = by;
  peroNaPlatne_ = true;
}

bool TChod::PrechodDolava() {
  const long double p = s_.AktPoloha;
  const long double d = p - static_cast<long double>(s_.AktLRev);
  const long double z = s_.Zvysok;
  if (!Plny(d, z)) {
    s_.AktPoloha = p - z;
    s_.Zvysok = 0.0L;
    return false;
  }
  s_.Zvysok = z - d;
  s_.AktPoloha = s_.AktLRev;
  return true;
}

bool TChod::PrechodDoprava() {
  const long double p = s_.AktPoloha;
  const long double d = static_cast<long double>(s_.AktPRev) - p;
  const long double z = s_.Zvysok;
  if (!Plny(d, z)) {
    s_.AktPoloha = p + z;
    s_.Zvysok = 0.0L;
    return false;
  }
  s_.Zvysok = z - d;
  s_.AktPoloha = s_.AktPRev;
  return true;
}

void TChod::ZaciatokVinutia(int i, const TKrok& krok, long double predZavity) {
  s_.Prechod = 0;
  s_.Zvysok = Dlzka(krok, predZavity, krok.Nulovat == 1 || i == 1);
  if (i == 1) s_.AktSmer = krok.SmerPosuvu;
}

bool TChod::Beh(int32_t pv) {
  const uint64_t najviac = DoOsobitnehoPrechodu(s_.Prechod, pv);
  if (najviac == 0) return true;
  const long double lrev = s_.AktLRev;
  const long double prev = s_.AktPRev;
  const long double d = prev - lrev;  // the same from either reversal point
  long double z = s_.Zvysok;
  const TPlnePrechody r = PlnePrechody(z, d, Zaok01(d), najviac);
  if (r.Pocet == 0) return true;
  s_.Zvysok = z;
  s_.Prechod = Plus(s_.Prechod, r.Pocet);
  // Each pass goes to the other reversal point and draws its line; the passes
  // after the second retrace the same segment, so only the last one of them
  // is drawn, where it ends somewhere else than the second.
  auto prechod = [this, prev] {
    if (static_cast<long double>(s_.AktPoloha) == prev) {
      s_.AktSmer = 1;
      s_.AktPoloha = s_.AktLRev;
    } else {
      s_.AktSmer = 0;
      s_.AktPoloha = s_.AktPRev;
    }
    Ciara();
  };
  prechod();
  if (r.Pocet >= 2) prechod();
  if (r.Pocet >= 3 && r.Pocet % 2 == 1) prechod();
  return !r.Zaseknute;
}

void TChod::Rovne(int i, const TKrok& krok, int predosly, long double predZavity) {
  ZaciatokVinutia(i, krok, predZavity);
  const int32_t pv = s_.PocetVrstiev;
  const long double lrev = s_.AktLRev;
  const long double prev = s_.AktPRev;
  bool prvyNovy = false;  // pass 1 started a new layer
  auto vrstvaPrechodu = [&](bool novaNaZaciatku) {
    const int32_t pr = s_.Prechod;
    if (pv <= 3) {
      if (pr == 1) {
        if (novaNaZaciatku) NovaVrstva();
      } else if (pr == 2 || pr == 3) {
        NovaVrstva();
      }
    } else if (pr == 1) {
      if (novaNaZaciatku) {
        NovaVrstva();
        prvyNovy = true;
      }
    } else if (pr == pv) {
      NovaVrstva();
    } else if (pr == 2) {
      if (!prvyNovy) NovaVrstva();
    } else if (pr == 3 || pr == 4) {
      Pas();
    }
  };
  while (static_cast<long double>(s_.Zvysok) > 0.0L) {
    if (zastavene_) return;
    s_.Prechod = Plus(s_.Prechod, 1);
    const long double p = s_.AktPoloha;
    bool plny = false;
    if (p >= prev) {
      vrstvaPrechodu(s_.AktSmer == 0 || Predosly640(predosly));
      s_.AktSmer = 1;
      plny = PrechodDolava();
    } else if (p <= lrev) {
      vrstvaPrechodu(s_.AktSmer == 1 || Predosly6450(predosly));
      s_.AktSmer = 0;
      plny = PrechodDoprava();
    } else {
      if (s_.Prechod == 1 && (krok.SmerPosuvu != s_.AktSmer || Predosly6450(predosly))) {
        NovaVrstva();
        prvyNovy = true;
      }
      s_.AktSmer = krok.SmerPosuvu;
      plny = krok.SmerPosuvu == 0 ? PrechodDoprava() : PrechodDolava();
    }
    Ciara();
    if (plny && static_cast<long double>(s_.Zvysok) > 0.0L && !Beh(pv)) break;
  }
  if (zastavene_) return;
  Zaznam(i, s_.AktSmer);
}

void TChod::Lichobeznik(int i, const TKrok& krok, int predosly, long double predZavity) {
  ZaciatokVinutia(i, krok, predZavity);
  const long double tl = krok.TrapezLZnamienko == 1 ? -static_cast<long double>(krok.TrapezL) : static_cast<long double>(krok.TrapezL);
  const long double tp = krok.TrapezPZnamienko == 1 ? -static_cast<long double>(krok.TrapezP) : static_cast<long double>(krok.TrapezP);
  const bool novaPoPredoslom = Predosly6450(predosly);
  // Every pass has its own reversal points and line, so the passes run one by
  // one, on plain numbers: each value the walk state would store as a 6-byte
  // real is rounded so here, and the state is written back once.
  long double p = s_.AktPoloha;
  long double vyska = s_.AktVyska;
  long double z = s_.Zvysok;
  long double lrev = s_.AktLRev;
  long double prev = s_.AktPRev;
  uint8_t smer = s_.AktSmer;
  int32_t prechod = s_.Prechod;
  auto zapis = [&] {
    s_.AktPoloha = p;
    s_.AktVyska = vyska;
    s_.Zvysok = z;
    s_.AktLRev = lrev;
    s_.AktPRev = prev;
    s_.AktSmer = smer;
    s_.Prechod = prechod;
  };
  Real48Rounder r48Vyska, r48Zvysok, r48Lava, r48Prava;
  auto novaVrstva = [&] {
    vyska = r48Vyska(vyska + kRozostupVrstiev);
    CiaraNa(p, vyska);
  };
  while (z > 0.0L) {
    if (prechod >= kMaxPrechodovLichobeznika) break;
    prechod = Plus(prechod, 1);
    if (lrev > prev) {
      zapis();
      Hlasenie("SCHRITT: " + std::to_string(i) + " : L.Wendepunkt > R.Wendepunkt ");
      return;
    }
    const long double p0 = p;
    const long double z0 = z;
    const long double lrev0 = lrev;
    const long double prev0 = prev;
    const uint8_t smer0 = smer;
    const bool doprava = p >= prev ? false : (p <= lrev ? true : smer == 0);
    if (doprava) {
      if (prechod != 1 || smer == 1 || novaPoPredoslom) novaVrstva();
      const long double d = prev - p;
      if (Plny(d, z)) {
        z = r48Zvysok(z - d);
        p = prev;
        smer = 1;
        lrev = r48Lava(lrev + tl);
      } else {
        p = R48(p + z);
        z = 0.0L;
        smer = 0;
      }
    } else {
      if (prechod != 1 || smer == 0 || novaPoPredoslom) novaVrstva();
      const long double d = p - lrev;
      if (Plny(d, z)) {
        z = r48Zvysok(z - d);
        p = lrev;
        smer = 0;
        prev = r48Prava(prev + tp);
      } else {
        p = R48(p - z);
        z = 0.0L;
        smer = 1;
      }
    }
    CiaraNa(p, vyska);
    if (zastavene_) {
      zapis();
      return;
    }
    // A pass that changed nothing the next one depends on would repeat for ever.
    if (z == z0 && p == p0 && lrev == lrev0 && prev == prev0 && smer == smer0) break;
  }
  zapis();
  Zaznam(i, smer);
}

void TChod::Uzke(int i, const TKrok& krok, int predosly, long double predZavity) {
  ZaciatokVinutia(i, krok, predZavity);
  // One move, whatever the length: a step with nothing to wind still starts
  // its layer and takes its direction. A negative length (fewer turns than
  // the step before, counting on) moves nothing rather than backwards.
  const long double z = std::max(static_cast<long double>(s_.Zvysok), 0.0L);
  const long double p = s_.AktPoloha;
  const long double lrev = s_.AktLRev;
  const long double prev = s_.AktPRev;
  if (p > prev) {
    if (s_.AktSmer == 0 || Predosly6450(predosly)) NovaVrstva();
    s_.AktSmer = 1;
    if (Zaok01(p - lrev) < z)
      s_.AktPoloha = s_.AktLRev;
    else
      s_.AktPoloha = p - z;
    Ciara();
  } else if (p < lrev) {
    if (s_.AktSmer == 1 || Predosly6450(predosly)) NovaVrstva();
    s_.AktSmer = 0;
    if (Zaok01(prev - p) < z)
      s_.AktPoloha = s_.AktPRev;
    else
      s_.AktPoloha = p + z;
    Ciara();
  } else {
    NovaVrstva();
    s_.AktSmer = krok.SmerPosuvu;
  }
  if (zastavene_) return;
  Zaznam(i, s_.AktSmer);
}

void TChod::Winding(int i, const TKrok& krok, int predosly, long double predZavity) {
  s_.AktLRev = static_cast<long double>(krok.LRev);
  s_.AktPRev = static_cast<long double>(krok.PRev);
  if (static_cast<long double>(s_.AktLRev) > static_cast<long double>(s_.AktPRev)) s_.AktLRev = s_.AktPRev;
  s_.PredZavity = predZavity;
  if (o_.Log != nullptr) o_.Log->WindingsStep = true;
  Vrstvuj(k_, krok, s_.AktPoloha);
  if (static_cast<long double>(s_.AktLRev) == static_cast<long double>(s_.AktPRev)) {
    Uzke(i, krok, predosly, predZavity);
  } else if (static_cast<long double>(krok.TrapezL) + static_cast<long double>(krok.TrapezP) == 0.0L) {
    Rovne(i, krok, predosly, predZavity);
  } else {
    Lichobeznik(i, krok, predosly, predZavity);
  }
  k_.BodyKrokov[static_cast<size_t>(i)].PocetVrstiev = s_.PocetVrstiev;
}

void TChod::Krok(int i, long double predZavity) {
  const TKrok& krok = k_.Program.Kroky[i];
  TBodKroku& bod = k_.BodyKrokov[static_cast<size_t>(i)];
  const uint8_t druh = DruhKroku(krok);
  bod.Druh = druh;
  if (o_.Canvas) c_.SetPen(StepColour(k_, i, druh), TPenStyle::Solid, 1, TPenMode::Copy);
  const int predosly = i > 1 ? k_.BodyKrokov[static_cast<size_t>(i - 1)].Druh : kZiadnyDruh;
  switch (druh) {
    case kDruhWicklung:
      Winding(i, krok, predosly, predZavity);
      break;
    case kDruhVerschiebung: {
      const long double t = krok.Hodnota;
      const long double p = s_.AktPoloha;
      if (i > 1 && Predosly6450(predosly)) {
        NovaVrstva();
      } else {
        if (s_.AktSmer == 1 && t >= p) NovaVrstva();
        if (s_.AktSmer == 0 && t <= p && i > 1) NovaVrstva();
      }
      s_.AktSmer = p > t ? 1 : 0;
      s_.AktPoloha = t;
      Ciara();
      Zaznam(i, s_.AktSmer);
      bod.PocetVrstiev = 0;
      break;
    }
    case kDruhSprung: {
      if (i > 1 && Predosly6450(predosly))
        NovaVrstva();
      else if (krok.SmerPosuvu != s_.AktSmer)
        NovaVrstva();
      s_.AktSmer = krok.SmerPosuvu;
      const long double h = krok.Hodnota;
      if (krok.SmerPosuvu == 0)
        s_.AktPoloha = static_cast<long double>(s_.AktPoloha) + h;
      else if (krok.SmerPosuvu == 1)
        s_.AktPoloha = static_cast<long double>(s_.AktPoloha) - h;
      Ciara();
      Zaznam(i, s_.AktSmer);
      bod.PocetVrstiev = 0;
      break;
    }
    case kDruhLeer:
    case kDruhPause:
    case kDruhGetriebe:
    case kDruhBandagieren:
      NovaVrstva();
      Zaznam(i, 0);
      Ciarka();
      bod.PocetVrstiev = 0;
      break;
    default:  // unknown: recorded, nothing else
      break;
  }
}

}  // namespace

TPlnePrechody PlnePrechody(long double& z, long double d, long double prah, uint64_t max) {
  constexpr int kBity = 39;  // mantissa bits of a 6-byte real besides the leading 1
  constexpr int64_t kJedna = int64_t{1} << kBity;
  TPlnePrechody r;
  // Pass by pass, a run within one exponent e of z subtracts a fixed number of
  // units u = 2^(e - 39): the extended subtraction rounds d to the fine grid of
  // that exponent the same way each time, and the store to 6 bytes then takes
  // q or q + 1 units, which one being fixed from the second pass in the
  // exponent on (a tie goes to the even result, which stays even). So once two
  // passes ran inside the exponent, the run until z nears the exponent's
  // bottom or the threshold is one multiplication.
  int vExponente = 0;  // passes in a row that started and ended in the exponent of z
  const bool skratka = d > 0.0L && std::isfinite(d);
  while (r.Pocet < max && z > prah) {
    const long double z0 = z;
    const long double z1 = Real48Round(z0 - d);
    ++r.Pocet;
    if (z1 == z0) {
      r.Zaseknute = true;
      return r;
    }
    z = z1;
    if (!(z1 > 0.0L) || !std::isfinite(z1) || std::ilogb(z1) != std::ilogb(z0)) {
      vExponente = 0;
      continue;
    }
    ++vExponente;
    if (!skratka || vExponente < 2 || r.Pocet >= max || !(z > prah)) continue;
    const int e = std::ilogb(z1);
    const long double u = std::ldexp(1.0L, e - kBity);
    const int64_t m = static_cast<int64_t>(z1 / u);  // exact: z1 has 40 significant bits
    if (m <= kJedna) continue;
    const int64_t delta = static_cast<int64_t>((z0 - z1) / u);
    // Pass j of the run starts at m - j x delta; it must stay clear of the
    // exponent's bottom (so that its exact difference lies in the exponent)
    // and above the threshold.
    int64_t hranica = kJedna + delta + 2;
    const long double t = prah / u;  // below m, since z > prah
    if (t >= static_cast<long double>(hranica)) hranica = static_cast<int64_t>(std::floor(t)) + 1;
    if (m < hranica) continue;
    const uint64_t beh = std::min(static_cast<uint64_t>((m - hranica) / delta) + 1, max - r.Pocet);
    z = std::ldexp(static_cast<long double>(m - static_cast<int64_t>(beh) * delta), e - kBity);
    r.Pocet += beh;
    vExponente = 0;
  }
  return r;
}

void Vrstvuj(TKontext& k, const TKrok& krok, Real48 start) {
  TStavVrstvenia& s = k.Vrstvenie;
  const long double h = krok.Hodnota;
  const long double f = krok.PosuvMM;
  // A step that does not move the wire guide ends where it starts, in its own
  // feed direction.
  s.PocetVrstiev = 0;
  s.VrstvujPoloha = start;
  s.VrstvujSmer = krok.SmerPosuvu;
  if (h == 0.0L || f == 0.0L) return;
  long double zvysok = R48(Dlzka(krok, s.PredZavity, krok.Nulovat == 1));
  long double p = start;
  const long double lrev = krok.LRev;
  const long double prev = krok.PRev;
  if (lrev == prev) {
    s.PocetVrstiev = 1;
    if (p < lrev) p = zvysok > prev - p ? prev : R48(p + zvysok);
    if (p > prev) p = zvysok > p - lrev ? lrev : R48(p - zvysok);
    s.VrstvujPoloha = p;
    return;
  }
  if (lrev > prev) return;
  uint8_t smer = krok.SmerPosuvu;  // of the last pass
  int32_t pocet = 0;
  // One move towards a reversal point: full (true) or the last, partial one.
  auto dolava = [&] {
    smer = 1;
    const long double d = p - lrev;
    if (zvysok > d) {
      zvysok = R48(zvysok - d);
      p = lrev;
      return true;
    }
    p = R48(p - zvysok);
    zvysok = 0.0L;
    return false;
  };
  auto doprava = [&] {
    smer = 0;
    const long double d = prev - p;
    if (zvysok > d) {
      zvysok = R48(zvysok - d);
      p = prev;
      return true;
    }
    p = R48(p + zvysok);
    zvysok = 0.0L;
    return false;
  };
  while (zvysok > 0.0L) {
    pocet = Plus(pocet, 1);
    bool plny;
    if (p >= prev)
      plny = dolava();
    else if (p <= lrev)
      plny = doprava();
    else
      plny = krok.SmerPosuvu == 0 ? doprava() : dolava();
    if (plny && zvysok > 0.0L) {
      // Full passes from one reversal point to the other, all of length
      // prev - lrev, while the rest exceeds that length.
      const TPlnePrechody r = PlnePrechody(zvysok, prev - lrev, prev - lrev, std::numeric_limits<uint64_t>::max());
      pocet = Plus(pocet, r.Pocet);
      if (r.Pocet % 2 == 1) {
        p = p == prev ? lrev : prev;
        smer = p == lrev ? 1 : 0;
      }
      if (r.Zaseknute) break;
    }
  }
  s.PocetVrstiev = pocet;
  s.VrstvujPoloha = p;
  s.VrstvujSmer = smer;
}

Real48 PredZavity(const TKontext& k, int i) {
  Real48 z = 0.0L;
  const int po = std::min(i - 1, kMaxKrokov);
  for (int j = 1; j <= po; ++j) {
    const TKrok& krok = k.Program.Kroky[j];
    if (krok.Druh == kDruhWicklung) z = krok.Hodnota;
  }
  return z;
}

void WalkSteps(TKontext& k, ICanvas& c, const TMierka& m) { WalkProgram(k, c, m, WalkOptions{}); }

bool WalkProgram(TKontext& k, ICanvas& c, const TMierka& m, const WalkOptions& o) {
  TChod chod(k, c, m, o);
  const int n = std::clamp(k.Program.PocetKrokov, 0, kMaxKrokov);
  long double predZavity = 0.0L;  // PredZavity of the step walked next
  for (int i = 1; i <= n; ++i) {
    chod.Krok(i, predZavity);
    if (chod.Zastavene()) return false;
    const TKrok& krok = k.Program.Kroky[i];
    if (krok.Druh == kDruhWicklung) predZavity = krok.Hodnota;
  }
  return true;
}

}  // namespace kvr
