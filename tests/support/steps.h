// Steps for tests, each with only the fields its kind uses set.
#pragma once
#include <cstdint>

#include "model/step.h"
#include "model/program.h"

namespace kvr::test {

inline TKrok Winding(long double zavity, long double posuv, long double l, long double p, uint8_t smer = 0,
                     uint8_t nulovat = 1) {
  TKrok k;
  k.Druh = kDruhWicklung;
  k.TypCyklu = kCyklusStop;
  k.Hodnota = zavity;
  k.PosuvMM = posuv;
  k.LRev = l;
  k.PRev = p;
  k.SmerPosuvu = smer;
  k.Nulovat = nulovat;
  return k;
}

inline TKrok Shift(long double ciel) {
  TKrok k;
  k.Druh = kDruhVerschiebung;
  k.TypCyklu = kCyklusStop;
  k.Hodnota = ciel;
  k.PosuvMM = 50.0L;  // the shift's speed
  return k;
}

inline TKrok Jump(long double dlzka, uint8_t smer) {
  TKrok k;
  k.Druh = kDruhSprung;
  k.TypCyklu = kCyklusStop;
  k.Hodnota = dlzka;
  k.SmerPosuvu = smer;
  return k;
}

// An empty step, a pause, a gear change or taping: kinds that do not move.
inline TKrok Still(uint8_t druh, long double hodnota = 0.0L) {
  TKrok k;
  k.Druh = druh;
  k.TypCyklu = kCyklusStop;
  k.Hodnota = hodnota;
  return k;
}

}  // namespace kvr::test
