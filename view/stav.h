// State of the layer walk and of the coil drawing, kept between walks and
// events in the context.
#pragma once
#include <cstdint>

#include "model/real48.h"

namespace kvr {

// The walk over the program (shared with the single-step layer computation).
struct TStavVrstvenia {
  Real48 AktPoloha{};
  Real48 AktVyska{};
  uint8_t AktSmer = 0;
  Real48 AktLRev{};
  Real48 AktPRev{};
  Real48 Zvysok{};
  int32_t Prechod = 0;
  int32_t PocetVrstiev = 0;
  Real48 PredZavity{};
  Real48 VrstvujPoloha{};
  uint8_t VrstvujSmer = 0;
};

// The coil drawing and the mouse on it.
struct TStavKresby {
  bool KresliZapnute = false;  // drawing output on
  uint8_t Prehlad = 0;         // overview
  uint8_t Prekreslit = 1;      // redrawing allowed
  int32_t TahOd = 0;
  int32_t TahDo = 0;
  uint8_t RezimMysi = 1;       // 1 idle, 7 dragging
  uint8_t SmerRolovania = 0;   // 0 none, 1 up, 2 down
};

}  // namespace kvr
