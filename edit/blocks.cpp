#include "edit/blocks.h"

#include <algorithm>

#include "model/context.h"
#include "model/program.h"
#include "view/coil_drawing.h"
#include "view/layers.h"

namespace kvr {

namespace {

bool JeKrok(int n) { return n >= 1 && n <= kMaxKrokov; }

// Kinds whose reversal points a block move leaves alone: a jump is relative
// by nature, a pause and a gear change have none.
bool BezReverzov(uint8_t druh) { return druh == kDruhSprung || druh == kDruhPause || druh == kDruhGetriebe; }

void PosunKrok(TKrok& krok, long double d) {
  if (BezReverzov(krok.Druh)) return;
  krok.LRev = static_cast<long double>(krok.LRev) + d;
  krok.PRev = static_cast<long double>(krok.PRev) + d;
  if (krok.Druh == kDruhVerschiebung) krok.Hodnota = static_cast<long double>(krok.Hodnota) + d;
}

}  // namespace

void KopirujKroky(const TKrokyPole& zdroj, TKrokyPole& ciel, int a, int b) {
  for (int i = std::max(a, 1); i <= std::min(b, kMaxKrokov); ++i) ciel[i] = zdroj[i];
}

void PripojKroky(const TKrokyPole& zdroj, TKrokyPole& ciel, int a, int b, int& k) {
  for (int i = std::max(a, 1); i <= b && i <= kMaxKrokov && k <= kMaxKrokov; ++i) {
    ciel[k] = zdroj[i];
    ++k;
  }
}

long double KomoraKroku(const TKontext& k, int n) {
  if (!JeKrok(n)) return 0.0L;
  const long double l = k.Program.Kroky[n].LRev;
  const long double abstand = k.Kostricka.Abstand;
  for (const TKomora& c : k.Kostricka.Komory) {
    const long double lava = c.KomoraL;
    const long double prava = c.KomoraP;
    if (lava == 0.0L && prava == 0.0L) continue;
    if (lava + abstand <= l && l <= prava + abstand) return lava;
  }
  return 0.0L;
}

void PosunSchranku(TSchranka& s, long double d) {
  if (s.Prazdna()) return;
  for (int i = std::max(s.SchrankaOd, 1); i <= std::min<int>(s.SchrankaDo, kMaxKrokov); ++i)
    PosunKrok(s.SchrankaKrokov[i], d);
}

TBlokVysledok KopirujBlok(TKontext& k, TSchranka& s) {
  const TVyber& v = k.Vyber;
  if (v.BlokOd == 0 || v.BlokDo == 0) return TBlokVysledok::ZiadnyBlok;
  s.SchrankaOd = v.BlokOd;
  s.SchrankaDo = v.BlokDo;
  s.SchrankaKrokov.Vymaz();
  KopirujKroky(k.Program.Kroky, s.SchrankaKrokov, s.SchrankaOd, s.SchrankaDo);
  s.Komora = KomoraKroku(k, v.BlokOd);
  PosunSchranku(s, -s.Komora);
  return TBlokVysledok::Hotovo;
}

TBlokVysledok VystrihniBlok(TKontext& k, TSchranka& s) {
  const TBlokVysledok r = KopirujBlok(k, s);
  if (r != TBlokVysledok::Hotovo) return r;
  TProgram& p = k.Program;
  TKrokyPole novy;
  int n = 1;
  PripojKroky(p.Kroky, novy, 1, s.SchrankaOd - 1, n);
  PripojKroky(p.Kroky, novy, s.SchrankaDo + 1, p.PocetKrokov, n);
  p.PocetKrokov = n - 1;
  p.Kroky = novy;
  p.AktKrok = k.Vyber.BlokOd >= 2 ? k.Vyber.BlokOd - 1 : 1;
  p.Zmeneny = 1;
  PrepocitajKroky(p);
  return TBlokVysledok::Hotovo;
}

TBlokVysledok VlozBlok(TKontext& k, const TSchranka& s) {
  if (s.Prazdna()) return TBlokVysledok::PrazdnaSchranka;
  TProgram& p = k.Program;
  if (p.PocetKrokov == 0) {
    // The block keeps its step numbers; the places before it stay empty.
    p.Kroky = s.SchrankaKrokov;
    for (int i = s.SchrankaOd; i <= s.SchrankaDo; ++i) PosunKrok(p.Kroky[i], s.Komora);
    p.PocetKrokov = s.SchrankaDo;
  } else {
    const int a = std::clamp(p.AktKrok, 0, kMaxKrokov);
    // Every step before the block, the block and the rest must fit: nothing
    // may be cut off at step 350.
    if (std::max(a, p.PocetKrokov) + s.Pocet() > kMaxKrokov) return TBlokVysledok::PrilisDlhy;
    const long double komora = KomoraKroku(k, a);
    TKrokyPole novy;
    int n = 1;
    PripojKroky(p.Kroky, novy, 1, a, n);
    PripojKroky(s.SchrankaKrokov, novy, s.SchrankaOd, s.SchrankaDo, n);
    PripojKroky(p.Kroky, novy, a + 1, p.PocetKrokov, n);
    p.PocetKrokov = n - 1;
    p.Kroky = novy;
    for (int q = a + 1; q <= a + s.Pocet(); ++q) PosunKrok(p.Kroky[q], komora);
  }
  p.Zmeneny = 1;
  PrepocitajKroky(p);
  return TBlokVysledok::Hotovo;
}

void Spat(TKontext& k) {
  TProgram& p = k.Program;
  p.Kroky = p.KrokyZaloha;
  p.PocetKrokov = p.PocetZaloha;
  // The end step of the restored program, not of the undone one.
  PrepocitajKroky(p);
}

int NajdiOdbocku(const TKontext& k, long double q) {
  const TProgram& p = k.Program;
  if (!JeKrok(p.AktKrok)) return 0;
  long double posledne = PredZavity(k, p.AktKrok);
  for (int i = p.AktKrok; i <= std::min(p.PocetKrokov, kMaxKrokov); ++i) {
    const TKrok& krok = p.Kroky[i];
    if (krok.Druh != kDruhWicklung) continue;
    const long double predtym = krok.Nulovat == 1 ? 0.0L : posledne;
    posledne = krok.Hodnota;
    if (predtym < q && q < posledne) return i;
  }
  return 0;
}

TOdbockaVysledok Odbocka(TKontext& k, long double q) {
  const int i = NajdiOdbocku(k, q);
  if (i == 0) return TOdbockaVysledok::Nenajdena;
  TProgram& p = k.Program;
  if (p.PocetKrokov >= kMaxKrokov) return TOdbockaVysledok::PlnyProgram;
  TKrok odbocka = p.Kroky[i];
  odbocka.Hodnota = q;
  odbocka.TypCyklu = kCyklusStop;
  p.PracKrok = odbocka;
  p.Kroky[i].Nulovat = 0;
  // The new step goes in before step i, which moves on by one.
  for (int j = p.PocetKrokov + 1; j > i; --j) p.Kroky[j] = p.Kroky[j - 1];
  p.Kroky[i] = odbocka;
  p.PocetKrokov += 1;
  p.AktKrok = i;
  p.Zmeneny = 1;
  PrepocitajKroky(p);
  PrepocitajVrstvy(k);
  p.Kroky[i + 1].SmerPosuvu = k.BodyKrokov[static_cast<size_t>(i)].Smer;
  return TOdbockaVysledok::Hotovo;
}

}  // namespace kvr
