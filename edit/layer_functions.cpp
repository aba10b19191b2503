#include "edit/layer_functions.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "edit/step_store.h"
#include "form/ui_services.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/program.h"
#include "view/layers.h"

namespace kvr {

namespace {

long double Poloha(const TKontext& k, int b) {
  return b >= 0 && b <= kMaxKrokov ? static_cast<long double>(k.BodyKrokov[static_cast<size_t>(b)].Poloha) : 0.0L;
}

long double R(const Real48& x) { return x; }

void Odmietni(TKontext& k) { k.Ui->Message(TMsgKind::Error, kDatenUnkorrekt, TMsgButtons::Ok); }

}  // namespace

long double NajvacsiPosuvNeVacsi(const TStroj& s, long double f) {
  long double u = ZaokruhliPosuv(s, f);
  // Each step goes down; a feed that stops going down ends the search.
  for (int i = 0; u > f && i < 1000000; ++i) {
    const long double nizsi = PosuvNizsi(s, u);
    if (!(nizsi < u)) break;
    u = nizsi;
  }
  return u;
}

bool PocitajPosuv(TKontext& k, TKrok& w, int b, bool nulovat) {
  const long double n = w.Hodnota;
  if (n == 0.0L) return false;
  const long double p = Poloha(k, b);
  const long double s = k.Dialogy.Suradnica;
  w.SmerPosuvu = p > s ? 1 : 0;
  w.PosuvMM = NajvacsiPosuvNeVacsi(k.Stroj, std::fabs(s - p) / n);
  if (!nulovat) w.Hodnota = n + PosledneZavity(k.Program, b);
  return true;
}

bool PocitajZavity(TKontext& k, TKrok& w, int b, bool nulovat) {
  const long double f = w.PosuvMM;
  if (f == 0.0L) return false;
  const long double p = Poloha(k, b);
  const long double s = k.Dialogy.Suradnica;
  w.SmerPosuvu = p > s ? 1 : 0;
  long double n = std::fabs(s - p) / f;
  if (!nulovat) n += PosledneZavity(k.Program, b);
  w.Hodnota = n;
  return true;
}

bool RozprestriVinutie(TKontext& k, TKrok& w, int b) {
  const long double f = w.PosuvMM;
  const long double predtym = b >= 1 && b <= kMaxKrokov ? R(k.Program.Kroky[b].Hodnota) : 0.0L;
  const long double n = w.Nulovat != 0 ? R(w.Hodnota) : R(w.Hodnota) - predtym;
  if (f == 0.0L || n == 0.0L) return false;
  long double d = n * f;
  Vrstvuj(k, w, Poloha(k, b));
  const long double e = k.Vrstvenie.VrstvujPoloha;
  const uint8_t smer = k.Vrstvenie.VrstvujSmer;
  const long double l = w.LRev;
  const long double p = w.PRev;
  const Real48 ciel = k.Dialogy.Suradnica;
  if (ciel == w.LRev) d += smer == 1 ? e - l : (p - e) + (p - l);
  if (ciel == w.PRev) d += smer == 0 ? p - e : (e - l) + (p - l);
  w.PosuvMM = NajvacsiPosuvNeVacsi(k.Stroj, d / n);
  return true;
}

void RozlozNaVrstvy(TKontext& k, bool vloz, bool nulovat) {
  TProgram& pr = k.Program;
  TKrok& w = pr.PracKrok;
  const int b = vloz ? pr.AktKrok : pr.AktKrok - 1;
  const long double p = Poloha(k, b);
  long double c = 0.0L;
  if (nulovat) {
    w.Nulovat = 1;
  } else {
    c = PosledneZavity(pr, b);
    w.Nulovat = 0;
  }
  long double t = w.Hodnota;
  const long double f = w.PosuvMM;
  if (f == 0.0L) {
    Odmietni(k);
    return;
  }
  const long double lRev = w.LRev;
  const long double pRev = w.PRev;
  long double sirka = 0.0L;
  if (lRev < p && p < pRev) {
    sirka = w.SmerPosuvu == 0 ? pRev - p : p - lRev;
  } else if (p <= lRev) {
    sirka = pRev - p;
    w.SmerPosuvu = 0;
  } else {
    sirka = p - lRev;
    w.SmerPosuvu = 1;
  }
  long double l = sirka / f;
  c += std::min(l, t);
  w.Hodnota = c;
  // No more steps than fit behind step b: a longer expansion fails anyway.
  const int volne = std::max(0, kMaxKrokov - std::max(b, 0));
  std::vector<TKrok> buf;
  buf.push_back(w);
  bool zlyhanie = false;
  if (t > l) {
    long double dL = w.TrapezL;
    long double dP = w.TrapezP;
    if (w.TrapezLZnamienko == 1) dL = -dL;
    if (w.TrapezPZnamienko == 1) dP = -dP;
    if (R(w.TrapezL) + R(w.TrapezP) == 0.0L) dL = dP = 0.0L;
    long double cL = lRev;
    long double cP = pRev;
    t -= l;
    w.Nulovat = 0;
    while (t > 0.0L && !zlyhanie) {
      if (static_cast<int>(buf.size()) >= volne) {
        zlyhanie = true;
        break;
      }
      w.SmerPosuvu = w.SmerPosuvu == 1 ? 0 : 1;
      if (w.SmerPosuvu == 1)
        cL += dL;
      else
        cP += dP;
      if (cL >= cP || cL < 0.0L || cP > R(k.Stroj.MaxBreite)) {
        zlyhanie = true;
        break;
      }
      w.LRev = cL;
      w.PRev = cP;
      l = (cP - cL) / f;
      c += std::min(l, t);
      w.Hodnota = c;
      buf.push_back(w);
      t -= l;
    }
  } else {
    t -= l;
  }
  w.TrapezL = 0.0L;
  w.TrapezP = 0.0L;
  const int pocet = static_cast<int>(buf.size());
  // Steps inserted inside the program push the rest along: all of them must
  // still fit, or the last ones would be lost.
  const int novych = vloz ? pocet : pocet - 1;
  const int koniec = std::max(pr.PocetKrokov, vloz ? b : pr.AktKrok);
  if (b + pocet > kMaxKrokov || koniec + novych > kMaxKrokov || zlyhanie) {
    Odmietni(k);
    return;
  }
  for (int j = 1; j <= pocet; ++j) {
    const TKrok& r = buf[static_cast<size_t>(j - 1)];
    if (j == 1 && !vloz) {
      ZapisKrok(k, r);
      Posli_KrokParam(k, pr.AktKrok);
    } else if (j == 1) {
      if (!VlozKrok(k, r)) return;
      Posli_INSERT(k, pr.AktKrok - 1);
      Posli_KrokParam(k, pr.AktKrok);
    } else {
      Posli_INSERT(k, pr.AktKrok);
      if (!VlozKrok(k, r)) return;
      Posli_KrokParam(k, pr.AktKrok);
    }
    if (pr.AktKrok > pr.PocetKrokov) pr.PocetKrokov = pr.AktKrok;
  }
  k.MainWindow().RepaintLater();
}

bool RozprestriVrstvu(TKontext& k) {
  TProgram& pr = k.Program;
  const TKrok& w = pr.PracKrok;
  const long double h = w.Hodnota;
  const long double f = w.PosuvMM;
  const long double x = k.Dialogy.SpreadDraha;
  const long double e = k.Dialogy.SpreadPoloha;
  const long double s = k.Dialogy.SpreadZavity;
  const long double tc = k.Dialogy.Suradnica;
  // The second step needs a place after the first.
  const bool miesto = pr.AktKrok >= 1 && pr.AktKrok < kMaxKrokov &&
                      !(pr.AktKrok < pr.PocetKrokov && pr.PocetKrokov >= kMaxKrokov);
  if (f == 0.0L || s == 0.0L || !miesto) {
    Odmietni(k);
    return false;
  }
  TKrok a = w;
  TKrok bk = w;
  const long double n1 = std::trunc(10.0L * (x / f)) / 10.0L;
  const long double h1 = h - n1;
  long double m = n1 - s;
  const long double t = s * f;
  const long double wp = tc <= e ? e + t : e - t;
  const long double dist = std::fabs(tc - wp);
  long double u = 0.0L;
  if (dist >= t) {
    bk.SmerPosuvu = wp >= tc ? 1 : 0;
    u = NajvacsiPosuvNeVacsi(k.Stroj, dist / s);
  } else {
    m += std::fabs(t - dist) / 2.0L / f;
    if ((tc <= e && wp > tc) || (tc > e && wp < tc)) m += dist / f;
    bk.SmerPosuvu = tc <= e ? 0 : 1;
    u = f;
  }
  a.Hodnota = h1 + m;
  if (tc > R(bk.PRev)) bk.PRev = tc;
  if (tc < R(bk.LRev)) bk.LRev = tc;
  bk.PosuvMM = u;
  a.TypCyklu = kCyklusAutLangsam;
  ZapisKrok(k, a);
  Posli_KrokParam(k, pr.AktKrok);
  bk.Hodnota = h;
  bk.Nulovat = 0;
  VlozKrok(k, bk);
  Posli_INSERT(k, pr.AktKrok - 1);
  Posli_KrokParam(k, pr.AktKrok);
  return true;
}

}  // namespace kvr
