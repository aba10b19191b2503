#include "model/sample_program.h"

#include <algorithm>
#include <cstring>

#include "model/codepage.h"
#include "model/bobbin_files.h"
#include "model/program.h"
#include "model/context.h"

namespace kvr {

void SampleProgram(TKontext& k, int pocet) {
  pocet = std::clamp(pocet, 1, kMaxKrokov);
  TKostricka& b = k.Kostricka;
  b = TKostricka{};
  WriteShortString(b.Popis, "Spulenkörper 2 Kammern", 255);
  b.Komory[0].KomoraL = 5.0L;
  b.Komory[0].KomoraP = 60.0L;
  b.Komory[1].KomoraL = 65.0L;
  b.Komory[1].KomoraP = 120.0L;
  b.Abstand = 20.0L;
  k.KostrickaNavrh = b;
  k.AktKomora = 1;
  k.Program.MenoKostricky = "D:\\CONST_BOBBIN\\Korper\\ukazka.kor";

  k.Program.Kroky.Vymaz();
  int i = 0;
  auto pridaj = [&](const TKrok& krok) {
    if (i < pocet) k.Program.Kroky[++i] = krok;
  };
  for (int kolo = 0; i < pocet; ++kolo) {
    const int c = kolo % 2;
    const long double l = static_cast<long double>(b.Komory[c].KomoraL) + static_cast<long double>(b.Abstand);
    const long double r = static_cast<long double>(b.Komory[c].KomoraP) + static_cast<long double>(b.Abstand);
    TKrok presun = DefaultStep(TPredvolba::Presun);
    presun.Hodnota = l;
    pridaj(presun);
    // Three windings steps of different wire: the feed and the turns change.
    for (int v = 0; v < 3; ++v) {
      TKrok z = DefaultStep(TPredvolba::Navijanie);
      z.LRev = l;
      z.PRev = r;
      z.PosuvMM = 0.4L + 0.1L * v;
      z.Hodnota = 200.0L + 60.0L * v + 10.0L * (kolo % 5);
      z.Otacky = 800;
      z.SmerPosuvu = static_cast<uint8_t>(v % 2);
      pridaj(z);
    }
    pridaj(DefaultStep(TPredvolba::Bandaz));
    pridaj(DefaultStep(TPredvolba::Pauza));
    TKrok skok = DefaultStep(TPredvolba::Skok);
    skok.SmerPosuvu = 1;
    pridaj(skok);
  }
  for (int j = 1; j < i; ++j) k.Program.Kroky[j].TypCyklu = 1;
  k.Program.Kroky[i].TypCyklu = 0;
  PrepocitajKroky(k.Program);
}

}  // namespace kvr
