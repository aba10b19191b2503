// The 6-byte real of the machine's records: byte 0 the binary exponent biased
// by 129 (0 = the value 0), bytes 1..5 a 39-bit mantissa, least significant
// byte first, with the leading 1 implied, and the sign in bit 7 of byte 5.
// Every store rounds to nearest, ties to even; values are read back exactly
// into long double, where all arithmetic runs.
#pragma once
#include <array>
#include <cstdint>

namespace kvr {

class Real48 {
 public:
  constexpr Real48() = default;
  Real48(long double v) { Set(v); }  // NOLINT: implicit, as the records use it
  Real48& operator=(long double v) {
    Set(v);
    return *this;
  }
  operator long double() const { return Get(); }  // NOLINT

  long double Get() const;
  // Out of range: magnitudes above the largest representable value saturate to
  // it (sign kept), below the smallest they become 0; NaN becomes 0.
  void Set(long double v);

  static Real48 FromBytes(const uint8_t* p);
  void ToBytes(uint8_t* p) const;
  const std::array<uint8_t, 6>& Bytes() const { return b_; }

  static long double Max();
  static long double MinPositive();

  friend bool operator==(const Real48&, const Real48&) = default;

 private:
  std::array<uint8_t, 6> b_{};
};
static_assert(sizeof(Real48) == 6 && alignof(Real48) == 1);

}  // namespace kvr
