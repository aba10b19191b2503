// One entry of the layer list: where a step ends and how many layers it lays.
#pragma once
#include <cstddef>
#include <cstdint>

#include "model/little_endian.h"
#include "model/real48.h"

namespace kvr {

struct TBodKroku {
  uint8_t Druh{};      // displayed kind of the step
  uint8_t Smer{};      // direction at the step's end: 0 right, 1 left
  Real48 Poloha{};     // wire-guide position at the end, mm
  Real48 Vyska{};      // height in drawing units
  LeI32 BodX{};        // end point in pixels from the paint box's left edge
  LeI32 BodY{};        // Vyska rounded, before scrolling
  LeI32 PocetVrstiev{};  // layers of a windings step, else 0
};
static_assert(sizeof(TBodKroku) == 26);
static_assert(offsetof(TBodKroku, Poloha) == 2);
static_assert(offsetof(TBodKroku, Vyska) == 8);
static_assert(offsetof(TBodKroku, BodX) == 14);
static_assert(offsetof(TBodKroku, PocetVrstiev) == 22);

}  // namespace kvr
