#include "view/coil_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "model/numeric.h"
#include "model/program.h"
#include "model/machine.h"
#include "form/canvas.h"
#include "form/ui_services.h"
#include "model/context.h"
#include "view/colours.h"
#include "view/scale.h"
#include "view/layers.h"
#include "view/walk_cache.h"

namespace kvr {

namespace {

constexpr long double kStartovaVyska = 20.0L;
const char* const kPismo = "Small Fonts";
// How far above the paint box a marker's centre may lie and still touch it
// (arrow, step number and gear text reach less than 20 pixels down).
constexpr int64_t kPresahZnacky = 64;

int PocetKrokov(const TKontext& k) { return std::clamp(k.Program.PocetKrokov, 0, kMaxKrokov); }

bool Okruhly(uint8_t druh) { return druh == kDruhLeer || druh == kDruhPause || druh == kDruhBandagieren; }
bool Nepohyblivy(uint8_t druh) { return Okruhly(druh) || druh == kDruhGetriebe; }

// The step highlighted online: the stopped step while the machine stands in a
// stop, else the current step.
int KrokZvyraznenia(const TKontext& k) {
  switch (k.Kresba.StavStroja) {
    case '2':
    case '5':
    case '6':
    case '=':
    case 'B':
      return k.Kresba.KrokStop;
    default:
      return k.Program.AktKrok;
  }
}

bool JeKrok(int n) { return n >= 0 && n <= kMaxKrokov; }

void Znacka(TKontext& k, ICanvas& c, const TMierka& m, int i, int n, bool odtlac, bool lenViditelne, TColor panel) {
  TBodKroku& b = k.BodyKrokov[static_cast<size_t>(i)];
  const uint8_t druh = b.Druh;
  const bool kruh = Okruhly(druh);
  const bool stvorec = druh == kDruhGetriebe;
  const bool sipka = !kruh && !stvorec;
  if (sipka && odtlac && i < n) {
    const TBodKroku& dalsi = k.BodyKrokov[static_cast<size_t>(i + 1)];
    const int32_t x = b.BodX;
    const int32_t xd = dalsi.BodX;
    if (static_cast<int32_t>(dalsi.BodY) == static_cast<int32_t>(b.BodY)) {
      if (b.Smer == 0 && int64_t{xd} - x < 16)
        b.BodX = xd - 16;
      else if (b.Smer != 0 && int64_t{x} - xd < 16)
        b.BodX = xd + 16;
    }
  }
  const int32_t bodY = b.BodY;
  bool kresli = k.Kresba.KresliZapnute && int64_t{bodY} > int64_t{m.Posun} + 5;
  if (lenViditelne && int64_t{m.Y(bodY)} < -kPresahZnacky) kresli = false;
  int64_t prevod = 0;
  if (stvorec) prevod = Round(static_cast<long double>(k.Program.Kroky[i].Hodnota) * 100.0L);
  if (kresli) {
    TColor farba;
    if (k.Vyber.BlokOd <= i && i <= k.Vyber.BlokDo)
      farba = clLime;
    else if (k.Vyber.Oznaceny(i))
      farba = clBlack;
    else
      farba = StepColour(k, i, druh);
    c.SetPen(farba, TPenStyle::Solid, 1, TPenMode::Copy);
    c.SetBrush(farba);
    const int x = b.BodX;
    const int y = m.Y(bodY);
    const std::string cislo = std::to_string(i);
    if (sipka) {
      std::vector<TPoint>& t = k.Kresba.Trojuholnik;
      t.resize(3);
      const int hrot = b.Smer == 0 ? -16 : 16;
      t[0] = {x + hrot, y + 4};
      t[1] = {x, y};
      t[2] = {x + hrot, y - 4};
      c.Polygon(t);
      c.TextOut(b.Smer == 0 ? x - 10 : x + 2, y - 14, cislo, panel);
    } else {
      if (kruh)
        c.Ellipse(x - 10, y - 10, x + 10, y + 10);
      else
        c.Rectangle(x - 8, y - 8, x + 8, y + 8);
      c.TextOut(x - 6, y - 6, cislo, farba);
      if (stvorec && prevod >= 1 && prevod <= 3)
        c.TextOut(x + 12, y - 6, " " + std::to_string(k.Stroj.OtackyPrevodu[static_cast<size_t>(prevod - 1)]),
                  panel);
      c.MoveTo(x, y);
    }
  }
  if (stvorec && prevod > 3) k.Ui->Error("Gear: " + std::to_string(prevod) + " is out of range 1-2");
}

void Znacky(TKontext& k, ICanvas& c, const TMierka& m, bool lenViditelne, TColor panel) {
  const int n = PocetKrokov(k);
  if (k.Kresba.KresliZapnute) c.SetFont(kPismo, k.Kresba.VyskaPisma, true);
  if (k.Kresba.Prehlad == 0) {
    for (int i = n; i >= 1; --i) Znacka(k, c, m, i, n, true, lenViditelne, panel);
  } else if (n >= 1) {
    Znacka(k, c, m, n, n, false, lenViditelne, panel);
  }
}

// One walk with its markers, as Vykresli, with the walk given; lenViditelne
// leaves out the markers that lie wholly above the paint box.
template <class Chod>
void DrawWalk(TKontext& k, ICanvas& c, const TMierka& m, Chod chod, bool lenViditelne, TColor panel) {
  TStavVrstvenia& s = k.Vrstvenie;
  s.AktPoloha = k.Pohlad.OknoLava;
  s.AktVyska = kStartovaVyska;
  s.AktSmer = 0;
  c.MoveTo(m.X(s.AktPoloha), m.Y(TMierka::BodY(s.AktVyska)));
  const bool online = k.Program.Online != 0;
  const int zvyrazneny = KrokZvyraznenia(k);
  if (online && k.Kresba.KresliZapnute && JeKrok(zvyrazneny)) {
    const TBodKroku& b = k.BodyKrokov[static_cast<size_t>(zvyrazneny)];
    const int x = m.X(b.Poloha);
    const int y = m.Y(TMierka::BodY(b.Vyska));
    c.SetPen(clBlack, TPenStyle::Solid, 1, TPenMode::Copy);
    c.SetBrush(clBlack);
    c.Ellipse(x - 31, y - 31, x + 31, y + 31);
    c.SetBrush(clKremova);
    c.Ellipse(x - 30, y - 30, x + 30, y + 30);
    c.MoveTo(m.X(s.AktPoloha), m.Y(TMierka::BodY(s.AktVyska)));
  }
  chod();
  Znacky(k, c, m, lenViditelne, panel);
  if (online && JeKrok(zvyrazneny)) {
    const TBodKroku& b = k.BodyKrokov[static_cast<size_t>(zvyrazneny)];
    if (b.Druh != kDruhBandagieren && b.Druh != kDruhPause && b.Druh != kDruhGetriebe) {
      const int x = b.BodX;
      const int y = m.Y(b.BodY);
      // A line of the silent walk is only a pen move, as in the walk itself.
      c.SetPen(clBlack, TPenStyle::Solid, 3, TPenMode::Copy);
      c.MoveTo(x, y + 5);
      if (k.Kresba.KresliZapnute)
        c.LineTo(x, y - 5);
      else
        c.MoveTo(x, y - 5);
      c.SetPen(clBlack, TPenStyle::Solid, 1, TPenMode::Copy);
    }
  }
}

// The walk of a repaint: the silent one takes the last complete walk's
// results when the steps and the start are the same, else walks without a
// canvas call and keeps what it found; the drawing one draws only what is in
// view and stops once the pen is above it, the rest coming from the kept
// results. Messages are shown as often as a walk raises them.
void RepaintWalk(TKontext& k, ICanvas& c, const TMierka& m, WalkCache& w) {
  const int n = PocetKrokov(k);
  const Real48 start = k.Pohlad.OknoLava;
  auto ukaz = [&k, &w] {
    for (const std::string& text : w.Messages()) k.Ui->Error(text);
  };
  const bool zhoda = w.Matches(k.Program.Kroky, n, start);
  const bool vyrez = c.Height() == m.Vyska && c.Height() > 0;
  if (zhoda && (!k.Kresba.KresliZapnute || vyrez)) {
    if (k.Kresba.KresliZapnute) {
      WalkOptions o;
      o.ClipToView = true;
      o.StopAboveView = true;
      o.ShowMessages = false;
      WalkProgram(k, c, m, o);
    }
    w.Apply(k.BodyKrokov, k.Vrstvenie, m);
    ukaz();
    return;
  }
  WalkLog zaznam;
  WalkOptions o;
  o.Canvas = k.Kresba.KresliZapnute;
  o.ClipToView = vyrez;
  o.Log = &zaznam;
  WalkProgram(k, c, m, o);
  w.Store(k.Program.Kroky, n, start, k.BodyKrokov, k.Vrstvenie, std::move(zaznam));
}

}  // namespace

std::string FieldText(long double x, int sirka, int desatinne) {
  std::string s = FormatFixed(x, desatinne);
  if (static_cast<int>(s.size()) < sirka) s.insert(0, static_cast<size_t>(sirka) - s.size(), ' ');
  return s;
}

TColor StepColour(const TKontext& k, int i, uint8_t druh) {
  const int32_t ende = k.Program.KrokEnde;
  if (ende == 0 || i > ende) return clSiva;
  switch (druh) {
    case kDruhLeer: return clSiva;
    case kDruhWicklung: {
      const TKrok& krok = k.Program.Kroky[i];
      return static_cast<long double>(krok.LRev) > static_cast<long double>(krok.PRev) ? clYellow : clRed;
    }
    case kDruhVerschiebung: return clModra;
    case kDruhSprung: return clZelena;
    case kDruhPause: return clTyrkys;
    case kDruhGetriebe: return clNebeska;
    case kDruhBandagieren: return clFuchsia;
    default: return clYellow;
  }
}

void SirkaOkna(TKontext& k) {
  TPohlad& v = k.Pohlad;
  const long double maxBreite = k.Stroj.MaxBreite;
  long double l0 = 0.0L;
  long double h0 = 0.0L;
  if (!k.Program.MenoKostricky.empty() && k.Kresba.RezimMysi == 1) {
    const long double abstand = k.Kostricka.Abstand;
    l0 = abstand;
    for (const TKomora& komora : k.Kostricka.Komory)
      if (static_cast<long double>(komora.KomoraP) > 0.0L) h0 = static_cast<long double>(komora.KomoraP) + abstand;
  }
  const int n = PocetKrokov(k);
  if (n == 0) {
    if (h0 > 0.0L) {
      v.OknoLava = l0 > 10.0L ? l0 - 10.0L : 0.0L;
      v.OknoPrava = h0 + 10.0L < maxBreite ? h0 + 10.0L : maxBreite;
    } else {
      v.OknoLava = 0.0L;
      v.OknoPrava = maxBreite;
    }
    return;
  }
  long double lo = maxBreite;
  long double hi = 0.0L;
  for (int i = 1; i <= n; ++i) {
    const TKrok& krok = k.Program.Kroky[i];
    switch (DruhKroku(krok)) {
      case kDruhWicklung:
      case kDruhBandagieren:
        lo = std::min(lo, static_cast<long double>(krok.LRev));
        hi = std::max(hi, static_cast<long double>(krok.PRev));
        break;
      case kDruhVerschiebung:
        lo = std::min(lo, static_cast<long double>(krok.Hodnota));
        hi = std::max(hi, static_cast<long double>(krok.Hodnota));
        break;
      case kDruhSprung: {
        // From where the last walk ended the step before (entry 0: 0).
        long double ciel = k.BodyKrokov[static_cast<size_t>(i - 1)].Poloha;
        if (krok.SmerPosuvu == 0)
          ciel += static_cast<long double>(krok.Hodnota);
        else if (krok.SmerPosuvu == 1)
          ciel -= static_cast<long double>(krok.Hodnota);
        lo = std::min(lo, ciel);
        hi = std::max(hi, ciel);
        break;
      }
      default:
        break;
    }
  }
  lo = std::min(lo, l0);
  hi = std::max(hi, h0);
  v.OknoLava = lo > 10.0L ? lo - 10.0L : 0.0L;
  long double okraj = static_cast<long double>(Round(hi * 0.05L));
  if (okraj < 10.0L) okraj = 10.0L;
  v.OknoPrava = hi + okraj;
}

void Vykresli(TKontext& k, ICanvas& c, const TMierka& m) {
  DrawWalk(k, c, m, [&] { WalkSteps(k, c, m); }, false, clWhite);
}

void PaintCoil(TKontext& k, ICanvas& c, int sirka, int vyska, int32_t posun, TColor panel, WalkCache& pamat) {
  TPohlad& v = k.Pohlad;
  const long double pevnaLava = v.PevnaLava;
  const long double pevnaPrava = v.PevnaPrava;
  if (pevnaLava == 0.0L && pevnaPrava == 0.0L) {
    SirkaOkna(k);
  } else {
    if (pevnaPrava > 0.0L) v.OknoPrava = pevnaPrava;
    if (pevnaLava > 0.0L) v.OknoLava = pevnaLava;
  }
  const TMierka m = Mierka(v, sirka, vyska, posun);
  c.SetPen(clLime, TPenStyle::Dot, 1, TPenMode::Copy);
  const long double abstand = k.Kostricka.Abstand;
  for (const TKomora& komora : k.Kostricka.Komory) {
    const long double l = komora.KomoraL;
    const long double p = komora.KomoraP;
    if (l == 0.0L && p == 0.0L) continue;
    for (const long double stena : {l, p}) {
      const int x = m.X(stena + abstand);
      c.MoveTo(x, 0);
      c.LineTo(x, m.Vyska);
    }
  }
  c.SetPen(clLime, TPenStyle::Solid, 1, TPenMode::Copy);
  k.Kresba.KresliZapnute = false;
  DrawWalk(k, c, m, [&] { RepaintWalk(k, c, m, pamat); }, true, panel);
  k.Kresba.KresliZapnute = true;
  DrawWalk(k, c, m, [&] { RepaintWalk(k, c, m, pamat); }, true, panel);
}

void PaintCoil(TKontext& k, ICanvas& c) {
  const bool maRozmer = c.Width() > 0 && c.Height() > 0;
  WalkCache pamat;
  PaintCoil(k, c, maRozmer ? c.Width() : kSirkaBoxuNavrh, maRozmer ? c.Height() : kVyskaBoxuNavrh, 0, clWhite,
               pamat);
}

void PrepocitajVrstvy(TKontext& k) {
  TPohlad& v = k.Pohlad;
  const long double pevnaLava = v.PevnaLava;
  const long double pevnaPrava = v.PevnaPrava;
  if (pevnaLava == 0.0L && pevnaPrava == 0.0L) {
    SirkaOkna(k);
  } else {
    if (pevnaPrava > 0.0L) v.OknoPrava = pevnaPrava;
    if (pevnaLava > 0.0L) v.OknoLava = pevnaLava;
  }
  const TMierka m = Mierka(v, kSirkaBoxuNavrh, kVyskaBoxuNavrh, 0);
  TStavVrstvenia& s = k.Vrstvenie;
  s.AktPoloha = v.OknoLava;
  s.AktVyska = kStartovaVyska;
  s.AktSmer = 0;
  const bool kresli = k.Kresba.KresliZapnute;
  k.Kresba.KresliZapnute = false;
  NullCanvas c(kSirkaBoxuNavrh, kVyskaBoxuNavrh);
  WalkOptions o;
  o.Canvas = false;
  o.ShowMessages = false;
  WalkProgram(k, c, m, o);
  k.Kresba.KresliZapnute = kresli;
}

int ScrollPositionFor(const TKontext& k, int n, int min, int max, int vyska) {
  const auto drz = [&](int64_t p) { return static_cast<int>(std::clamp<int64_t>(p, min, max)); };
  if (n < 1 || n > kMaxKrokov) return drz(max);
  const int h = vyska / 2;
  // The current step's end point decides, as the scroll always did.
  const int akt = k.Program.AktKrok;
  const int32_t bodY = JeKrok(akt) ? static_cast<int32_t>(k.BodyKrokov[static_cast<size_t>(akt)].BodY) : 0;
  if (bodY > h) return drz(int64_t{max} - bodY + h);
  return drz(max);
}

int StepAt(const TKontext& k, const TMierka& m, int x, int y) {
  const int n = PocetKrokov(k);
  int najdeny = 0;
  for (int i = 1; i <= n; ++i) {
    const TBodKroku& b = k.BodyKrokov[static_cast<size_t>(i)];
    int64_t bx = static_cast<int32_t>(b.BodX);
    const int64_t by = m.Y(b.BodY);
    if (!Nepohyblivy(b.Druh)) bx += b.Smer == 0 ? -8 : 8;
    if (std::llabs(x - bx) <= 10 && std::llabs(y - by) <= 10) najdeny = i;
  }
  return najdeny;
}

StepPanelsCaptions StepCaptionsBelow(const TKontext& k, int n, bool druhZKroku) {
  if (n < 1 || n > kMaxKrokov) return {};
  const TBodKroku& b = k.BodyKrokov[static_cast<size_t>(n)];
  return {"POSITION =" + FieldText(b.Poloha, 3, 1) + " [mm]",
          "LAGEN = " + std::to_string(static_cast<int32_t>(b.PocetVrstiev)),
          NazovDruhu(druhZKroku ? DruhKroku(k.Program.Kroky[n]) : b.Druh)};
}

std::string OverviewCaption(uint8_t prehlad) { return prehlad == 1 ? "SCHRITTE" : "UEBERSICHT"; }

bool TestujCiNavijame(const TKontext& k, uint8_t c) {
  if (k.Program.Online == 0) return false;
  switch (c) {
    case '1':
    case '3':
    case '4':
    case '7':
    case '<':
    case 'A':
      return true;
    default:
      return false;
  }
}

bool TestujCiNavijame(const TKontext& k) { return TestujCiNavijame(k, static_cast<uint8_t>(k.Kresba.StavStroja)); }

}  // namespace kvr
