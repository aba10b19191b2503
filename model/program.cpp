#include "model/program.h"

#include <stdexcept>

#include "model/numeric.h"
#include "model/program_files.h"
#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

TKrok& TKrokyPole::operator[](int i) {
  if (i < 1 || i > kMaxKrokov) throw std::out_of_range("step index " + std::to_string(i) + " outside 1..350");
  return (*k_)[static_cast<size_t>(i - 1)];
}

const TKrok& TKrokyPole::operator[](int i) const {
  if (i < 1 || i > kMaxKrokov) throw std::out_of_range("step index " + std::to_string(i) + " outside 1..350");
  return (*k_)[static_cast<size_t>(i - 1)];
}

void PrepocitajKroky(TProgram& p) {
  p.PocetKrokov = 0;
  p.KrokEnde = 0;
  for (int i = 1; i <= kMaxKrokov; ++i) {
    const TKrok& k = p.Kroky[i];
    if (p.KrokEnde == 0 && k.TypCyklu == kCyklusEnde) p.KrokEnde = i;
    if (static_cast<uint8_t>(k.Druh - 1) < 6) p.PocetKrokov = i;
  }
}

uint8_t DruhKroku(const TKrok& k) {
  if (k.Druh == kDruhWicklung && static_cast<long double>(k.PosuvMM) == 0.0L) return kDruhBandagieren;
  return static_cast<uint8_t>(k.Druh & 0x0F);
}

std::string NazovDruhu(int druh) {
  static constexpr const char* kNazvy[] = {"SCHRITT LEER", "WICKLUNG", "VERSCHIEBUNG", "SPRUNG",
                                           "PAUSE",        "GETRIEBE", "BANDAGIEREN"};
  if (druh >= 0 && druh <= 6) return kNazvy[druh];
  if (druh == 7) return "";
  return kNazvy[0];
}

namespace {
uint8_t CisloPrevodu(const TKrok& k) {
  return static_cast<uint8_t>(static_cast<uint64_t>(Round(static_cast<long double>(k.Hodnota) * 100.0L)) & 0xFF);
}
}  // namespace

uint8_t PrevodKroku(const TStroj& s, const TKrokyPole& kroky, int i) {
  if (s.MeniPrevod == 0) return static_cast<uint8_t>(s.Prevod & 0xFF);
  if (i == 0) return 1;
  if ((kroky[i].Druh & 0x0F) == kDruhGetriebe) return CisloPrevodu(kroky[i]);
  for (int j = i - 1; j >= 1; --j)
    if ((kroky[j].Druh & 0x0F) == kDruhGetriebe) return CisloPrevodu(kroky[j]);
  return 1;
}

uint8_t GearInForce(const TStroj& s, const TKrok& krok, uint8_t predtym) {
  if (s.MeniPrevod == 0) return static_cast<uint8_t>(s.Prevod & 0xFF);
  return (krok.Druh & 0x0F) == kDruhGetriebe ? CisloPrevodu(krok) : predtym;
}

long double PosledneZavity(const TProgram& p, int n) {
  if (n > kMaxKrokov) n = kMaxKrokov;
  for (int i = n; i >= 1; --i) {
    const TKrok& k = p.Kroky[i];
    if ((k.Druh == kDruhWicklung || k.Druh == kDruhBandagieren) && static_cast<long double>(k.Hodnota) != 0.0L)
      return k.Hodnota;
  }
  return 0.0L;
}

void DopocitajZavity(const TKontext& kx, TKrok& k, int a) {
  // Without feed the guide does not travel, so no number of turns reaches the
  // reversal point: the step keeps the turns it has.
  const long double posuv = k.PosuvMM;
  if (posuv == 0.0L) return;
  const long double p = (a >= 1 && a <= kMaxKrokov) ? static_cast<long double>(kx.BodyKrokov[static_cast<size_t>(a)].Poloha) : 0.0L;
  const long double draha = k.SmerPosuvu == 1 ? p - static_cast<long double>(k.LRev) : static_cast<long double>(k.PRev) - p;
  long double zavity = draha / posuv;
  if (k.Nulovat == 0) zavity += PosledneZavity(kx.Program, a);
  k.Hodnota = zavity;
}

long double Zaokruhli01(long double x) { return static_cast<long double>(Round(x * 10.0L)) / 10.0L; }

std::string RealNaText(long double x) { return FormatFixed(x, 2); }

void NovyProgram(TKontext& k) {
  TProgram& p = k.Program;
  p.Online = 0;
  p.Kroky.Vymaz();
  for (TBodKroku& b : k.BodyKrokov) b = TBodKroku{};
  p.PocetKrokov = 0;
  p.AktKrok = 0;
  // The end step is recounted too, so no stale end of the previous program remains.
  PrepocitajKroky(p);
  p.MenoSuboru.clear();
  p.PoslednyOtvor.clear();
  p.PoslednySubor.clear();
  k.Kostricka.Popis[0] = 0;
  ProgInic(k);
}

void ProgInic(TKontext& k) {
  k.MainWindow().VypisProgCaption();
  // The block shrinks to the current step and is then dropped: no selection remains.
  k.Vyber.BlokOd = 0;
  k.Vyber.BlokDo = 0;
  k.Vyber.VybraneKroky.fill(0);
  k.AktKomora = 0;
  k.PosunHodnota = 0.0L;
  k.MainWindow().ZobrazParametre(k.Program.AktKrok);
  k.Program.KrokyZaloha = k.Program.Kroky;
  k.Program.PocetZaloha = k.Program.PocetKrokov;
  k.Pohlad.PevnaLava = 0.0L;
  k.Pohlad.PevnaPrava = 0.0L;
  k.MainWindow().RepaintLater();
}

}  // namespace kvr
