// The step record decoders (KVR-T, KVR-G/C, old 11-byte records) and the
// encoders on what they decoded. Input: a configuration byte (model and gear),
// a byte choosing the decoder and the step index, then the record.
#include <algorithm>
#include <cstdint>

#include "fuzz/station.h"
#include "model/step.h"
#include "model/program.h"
#include "model/step_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvr::fuzz::Station st;
  if (size < 2) return 0;
  st.Reset();
  st.SetModel(data[0]);
  kvr::TKontext& k = *st.k;
  const int kind = data[1] % 4;
  const int i = 1 + (data[1] / 4) % 3;  // record 1..3 of the buffer
  const size_t len = kind == 0 || kind == 3 ? kvr::kZaznamT : kind == 1 ? kvr::kZaznamGC : kvr::kZaznamStary;
  const size_t n = std::min(len, size - 2);
  std::vector<uint8_t>& buf = k.Subory.SuborBuf;
  const size_t at = kind == 2 ? len * static_cast<size_t>(i - 1) : len * static_cast<size_t>(i);
  std::copy(data + 2, data + 2 + n, buf.begin() + static_cast<std::ptrdiff_t>(at));
  kvr::TKrok krok{};
  // Any gear may be in force before the step: the configuration byte's high bits.
  const auto pred = static_cast<uint8_t>(data[0] >> 6);
  const kvr::TStroj& s = k.Stroj;
  switch (kind) {
    case 0:
      kvr::KrokZT(s, pred, buf, i, krok);
      kvr::KrokDoT(s, kvr::GearInForce(s, krok, pred), krok, buf, i);
      break;
    case 1:
      kvr::KrokZGC(s, buf, i, krok);
      kvr::KrokDoGC(s, krok, buf, i);
      break;
    case 2:
      if (!kvr::KrokZGC11(s, buf, i, krok)) kvr::KrokDoT(s, pred, krok, buf, i);
      break;
    default: {
      std::vector<uint8_t> own(data + 2, data + 2 + n);
      own.resize(kvr::kZaznamT);
      kvr::KrokZTBuf(s, pred, own, 0, krok);
      kvr::KrokDoTBuf(s, kvr::GearInForce(s, krok, pred), pred, krok, own, 0);
      break;
    }
  }
  return 0;
}
