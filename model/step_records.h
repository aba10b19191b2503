// Step record encodings: the 68-byte KVR-T record, the 64-byte KVR-G/C record
// and the 11-byte record of old files (read only).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/step.h"

namespace kvr {

struct TStroj;

constexpr size_t kZaznamT = 68;
constexpr size_t kZaznamGC = 64;
constexpr size_t kZaznamStary = 11;

// 3-byte BCD coordinate, 0 to 9999.9 in tenths.
void ZapisBcdSuradnicu(uint8_t* p, long double x);
long double CitajBcdSuradnicu(const uint8_t* p);
uint8_t Bcd(int a);  // 0..99 -> two decimal digits

// Record i of a file image buffer, under the machine limits s. The encoders
// clear the record first; the decoders clear the step first. KVR-T speeds are
// scaled to the gear in force at the step: the encoder takes it (prevod, see
// PrevodKroku), the decoder takes the gear in force before the step
// (prevodPred) and applies a gear step's own gear itself, so a program
// decodes in ascending order with a running gear. KVR-G/C speeds are scaled to
// the selected gear. A record that would lie beyond the buffer throws
// std::out_of_range.
void KrokDoT(const TStroj& s, uint8_t prevod, const TKrok& krok, std::span<uint8_t> buf, int i);
void KrokZT(const TStroj& s, uint8_t prevodPred, std::span<const uint8_t> buf, int i, TKrok& krok);
void KrokDoGC(const TStroj& s, const TKrok& krok, std::span<uint8_t> buf, int i);
void KrokZGC(const TStroj& s, std::span<const uint8_t> buf, int i, TKrok& krok);
// Old records (record i counts from 1) without a defined decoding are refused:
// the result is the operator's message, and the step is left cleared.
std::optional<std::string> KrokZGC11(const TStroj& s, std::span<const uint8_t> buf, int i, TKrok& krok);

// A KVR-T record whose speed code (bytes 16, 17) is above 1023, the most the
// machine takes, would give its step more than the gear's maximum speed: the
// operator's message naming step i, or nothing for a sound record.
std::optional<std::string> CheckKvrTSpeedCode(std::span<const uint8_t> zaznam, int i);

// KVR-T encoding into / out of a caller's buffer at offset, for online
// sending: the gear bits carry prevodAkt, the gear of the current step.
void KrokDoTBuf(const TStroj& s, uint8_t prevod, uint8_t prevodAkt, const TKrok& krok, std::span<uint8_t> buf,
                size_t offset);
void KrokZTBuf(const TStroj& s, uint8_t prevodPred, std::span<const uint8_t> buf, size_t offset, TKrok& krok);

// Feed of an old record: code f (0..104) with correction v (-15..15); nothing
// when the entry is undefined (code above 104, zero or negative divisor, no
// table for the model).
std::optional<long double> PosuvZKodu(const TStroj& s, int f, int v);

}  // namespace kvr
