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

struct TKontext;

constexpr size_t kZaznamT = 68;
constexpr size_t kZaznamGC = 64;
constexpr size_t kZaznamStary = 11;

// 3-byte BCD coordinate, 0 to 9999.9 in tenths.
void ZapisBcdSuradnicu(uint8_t* p, long double x);
long double CitajBcdSuradnicu(const uint8_t* p);
uint8_t Bcd(int a);  // 0..99 -> two decimal digits

// Record i of the file image buffer (Subory.SuborBuf). The encoders clear the
// record first; the decoders clear the step first. The decoders look up the
// speed limit of step i in the program store, so NacitajProgram decodes
// straight into Kroky in ascending order. A record that would lie beyond the
// buffer throws std::out_of_range.
void KrokDoT(TKontext& k, const TKrok& krok, int i);
void KrokZT(TKontext& k, TKrok& krok, int i);
void KrokDoGC(TKontext& k, const TKrok& krok, int i);
void KrokZGC(TKontext& k, TKrok& krok, int i);
// Old records without a defined decoding are refused: the result is the
// operator's message, and the step is left cleared.
std::optional<std::string> KrokZGC11(TKontext& k, TKrok& krok, int i);

// A KVR-T record whose speed code (bytes 16, 17) is above 1023, the most the
// machine takes, would give its step more than the gear's maximum speed: the
// operator's message naming step i, or nothing for a sound record.
std::optional<std::string> CheckKvrTSpeedCode(std::span<const uint8_t> zaznam, int i);

// KVR-T encoding into / out of a caller's buffer, for online sending.
void KrokDoTBuf(const TKontext& k, const TKrok& krok, std::span<uint8_t> buf, size_t offset, int i);
void KrokZTBuf(const TKontext& k, std::span<const uint8_t> buf, size_t offset, TKrok& krok, int i);

// Feed of an old record: code f (0..104) with correction v (-15..15); nothing
// when the entry is undefined (code above 104, zero or negative divisor, no
// table for the model).
std::optional<long double> PosuvZKodu(const TKontext& k, int f, int v);

}  // namespace kvr
