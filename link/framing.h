// The byte framing of the machine link: DLE EOT, the payload with every DLE
// doubled, the XOR check byte (doubled when it is a DLE), DLE ETX.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "model/link_state.h"

namespace kvr {

constexpr uint8_t kDLE = 16;
constexpr uint8_t kEOT = 4;
constexpr uint8_t kETX = 3;

// Appends one payload byte to out: the byte, doubled when it is a DLE, and
// folds it into the running check byte.
void Posli_Znak(std::vector<uint8_t>& out, uint8_t znak, uint8_t& kontrola);
// The whole frame of a payload.
std::vector<uint8_t> Ramec(std::span<const uint8_t> payload);

enum class TPrijatyBajt {
  Nic,          // nothing ended
  Sprava,       // a sound frame ended; its payload is in sprava
  ZlaKontrola,  // a frame ended with a wrong check byte: dropped
  PrilisDlha,   // a frame ended that outgrew the receive buffer or a queue block: dropped
  Prazdna,      // a frame ended without a message code: dropped
};

// One step of the receive state machine. A frame may begin again inside a
// broken one (DLE EOT); bytes outside frames are ignored. Nothing is stored
// beyond the receive buffer: a longer frame is dropped at its end.
TPrijatyBajt PrijmiBajt(TPrijemStav& s, uint8_t b, std::vector<uint8_t>& sprava);

}  // namespace kvr
