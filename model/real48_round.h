// The value a 6-byte real would hold for x, i.e. Real48(x).Get(), computed
// without packing the record: the layer walk rounds millions of intermediate
// lengths per repaint, and the packing's frexp/ldexp dominated its time.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "model/real48.h"

namespace kvr {

inline long double Real48Round(long double x) {
  if constexpr (std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384 &&
                sizeof(long double) >= 10) {
    // x87 extended: 64-bit significand with its leading 1 explicit, then sign
    // and a 15-bit exponent biased by 16383.
    uint64_t m = 0;
    uint16_t se = 0;
    std::memcpy(&m, &x, 8);
    std::memcpy(&se, reinterpret_cast<const unsigned char*>(&x) + 8, 2);
    const int e = static_cast<int>(se & 0x7FFF) - 16383;
    // Exponents a 6-byte real holds even after a carry, normal values only;
    // zero, denormals, infinities, NaN and the range's edges take the exact
    // path of the record itself.
    if (e >= -128 && e <= 125 && (m >> 63) != 0) {
      constexpr int kDrop = 64 - 40;  // 40 significant bits remain
      constexpr uint64_t kHalf = uint64_t{1} << (kDrop - 1);
      const uint64_t low = m & ((uint64_t{1} << kDrop) - 1);
      uint64_t hi = m >> kDrop;
      if (low > kHalf || (low == kHalf && (hi & 1) != 0)) ++hi;  // ties to even
      int exp = se & 0x7FFF;
      if (hi == (uint64_t{1} << 40)) {
        hi >>= 1;
        ++exp;
      }
      m = hi << kDrop;
      se = static_cast<uint16_t>((se & 0x8000) | exp);
      long double r = 0.0L;
      std::memcpy(&r, &m, 8);
      std::memcpy(reinterpret_cast<unsigned char*>(&r) + 8, &se, 2);
      return r;
    }
  }
  return Real48(x).Get();
}

// Real48Round for a value that changes a little at a time, as a length wound
// pass by pass: it remembers the binary exponent of the last value and
// rounds within it by one addition and one subtraction of a constant, which
// leaves exactly 40 significant bits (ties to even, as the x87 rounds); a
// value in another exponent sets it up anew.
class Real48Rounder {
 public:
  long double operator()(long double x) {
    if constexpr (std::numeric_limits<long double>::digits == 64) {
      const long double a = std::fabs(x);
      if (a >= dolu_ && a < hore_) {
        // Adding 1.5 x 2^(e + 24) leaves a last bit worth 2^(e - 39).
        const long double t = x + posun_;
        return t - posun_;
      }
      if (std::isnormal(x)) {
        const int e = std::ilogb(x);
        if (e >= -128 && e <= 125) {
          dolu_ = std::ldexp(1.0L, e);
          hore_ = std::ldexp(1.0L, e + 1);
          posun_ = std::ldexp(1.5L, e + 24);
          const long double t = x + posun_;
          return t - posun_;
        }
      }
    }
    return Real48Round(x);
  }

 private:
  // [dolu_, hore_): the exponent set up; empty at first.
  long double dolu_ = 1.0L;
  long double hore_ = 0.0L;
  long double posun_ = 0.0L;
};

}  // namespace kvr
