// The bobbin record: description, 20 chambers and the bobbin's offset from the
// machine's zero. Stored byte for byte in bobbin files, the desktop file and
// the trailer of program files.
#pragma once
#include <cstddef>
#include <cstdint>

#include "model/real48.h"

namespace kvr {

struct TKomora {
  Real48 KomoraL{};  // left reversal point, mm from the bobbin's left side
  Real48 KomoraP{};  // right reversal point
};
static_assert(sizeof(TKomora) == 12);

struct TKostricka {
  uint8_t Popis[256]{};  // short string: length byte, then up to 255 single-byte characters
  TKomora Komory[20]{};  // chambers 1..20 at index 0..19; all zeros = no chamber
  Real48 Abstand{};      // machine coordinate = chamber coordinate + Abstand

  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
  const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
};
static_assert(sizeof(TKostricka) == 502);
static_assert(offsetof(TKostricka, Komory) == 256);
static_assert(offsetof(TKostricka, Abstand) == 496);

}  // namespace kvr
