#include "model/real48.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace kvr {

namespace {
constexpr int kBias = 129;
constexpr uint64_t kMantBits = 39;
constexpr uint64_t kMantOne = uint64_t{1} << kMantBits;
}  // namespace

long double Real48::Get() const {
  if (b_[0] == 0) return 0.0L;
  uint64_t m = 0;
  for (int i = 5; i >= 1; --i) m = (m << 8) | b_[static_cast<size_t>(i)];
  const bool neg = (m >> kMantBits) & 1;
  m &= kMantOne - 1;
  if constexpr (std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384) {
    // Straight into the x87 extended layout (64-bit significand with its
    // leading 1, then sign and exponent biased by 16383): reading is on every
    // path of the layer walk, and ldexp was a tenth of a repaint.
    const uint64_t sig = (kMantOne | m) << (63 - kMantBits);
    const auto se = static_cast<uint16_t>((neg ? 0x8000 : 0) | (static_cast<int>(b_[0]) - kBias + 16383));
    long double r = 0.0L;
    std::memcpy(&r, &sig, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&r) + 8, &se, 2);
    return r;
  }
  long double v = std::ldexp(static_cast<long double>(kMantOne | m), static_cast<int>(b_[0]) - kBias - static_cast<int>(kMantBits));
  return neg ? -v : v;
}

void Real48::Set(long double v) {
  b_.fill(0);
  if (std::isnan(v) || v == 0.0L) return;
  const bool neg = std::signbit(v);
  long double a = std::fabs(v);
  uint64_t m = 0;
  int e = 0;
  if (std::isinf(a)) {
    e = 255;
    m = kMantOne - 1;
  } else {
    int ex = 0;
    const long double fr = std::frexp(a, &ex);  // a = fr * 2^ex, fr in [0.5, 1)
    // 1.f * 2^(ex-1): exponent byte ex - 1 + 129; mantissa (2fr - 1) * 2^39, exact in long double.
    long double scaled = std::ldexp(fr, static_cast<int>(kMantBits) + 1);  // in [2^39, 2^40)
    long double r = std::nearbyintl(scaled);                                // ties to even
    uint64_t full = static_cast<uint64_t>(r);
    e = ex + kBias - 1;
    if (full == (kMantOne << 1)) {  // rounded up to the next power of two
      full = kMantOne;
      ++e;
    }
    m = full - kMantOne;
    if (e > 255) {
      e = 255;
      m = kMantOne - 1;
    } else if (e < 1) {
      return;  // below the smallest normal: flushes to 0, the format has no denormals
    }
  }
  b_[0] = static_cast<uint8_t>(e);
  for (size_t i = 1; i <= 5; ++i) {
    b_[i] = static_cast<uint8_t>(m & 0xFF);
    m >>= 8;
  }
  if (neg) b_[5] |= 0x80;
}

Real48 Real48::FromBytes(const uint8_t* p) {
  Real48 r;
  std::memcpy(r.b_.data(), p, 6);
  return r;
}

void Real48::ToBytes(uint8_t* p) const { std::memcpy(p, b_.data(), 6); }

long double Real48::Max() { return std::ldexp(static_cast<long double>((kMantOne << 1) - 1), 255 - kBias - static_cast<int>(kMantBits)); }
long double Real48::MinPositive() { return std::ldexp(1.0L, 1 - kBias); }

}  // namespace kvr
