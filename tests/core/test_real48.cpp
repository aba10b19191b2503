#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "model/step.h"
#include "model/numeric.h"
#include "model/real48.h"

namespace kvr {
namespace {

std::string Hex(const Real48& r) {
  static const char* d = "0123456789abcdef";
  std::string s;
  for (uint8_t b : r.Bytes()) {
    if (!s.empty()) s += ' ';
    s += d[b >> 4];
    s += d[b & 15];
  }
  return s;
}

struct Case {
  long double value;
  const char* bytes;
};

TEST(Real48, StoresExactBytes) {
  const Case cases[] = {
      {0.0L, "00 00 00 00 00 00"},        {1.0L, "81 00 00 00 00 00"},     {-1.0L, "81 00 00 00 00 80"},
      {0.1L, "7d cd cc cc cc 4c"},        {0.01L, "7a 71 3d 0a d7 23"},    {99999.99L, "91 52 b8 fe 4f 43"},
      {1200.0L, "8b 00 00 00 00 16"},     {0.125L, "7e 00 00 00 00 00"},   {-2.5L, "82 00 00 00 00 a0"},
  };
  for (const Case& c : cases) {
    Real48 r = c.value;
    EXPECT_EQ(Hex(r), c.bytes) << static_cast<double>(c.value);
    // Reading the bytes back and storing again changes nothing.
    Real48 again = static_cast<long double>(r);
    EXPECT_EQ(again, r);
  }
}

TEST(Real48, RoundsTiesToEven) {
  // 1 + 2^-40 lies exactly between 1 and 1 + 2^-39: the even mantissa (1.0) wins.
  Real48 a = 1.0L + std::ldexp(1.0L, -40);
  EXPECT_EQ(static_cast<long double>(a), 1.0L);
  // 1 + 3 * 2^-40 lies between mantissas 1 and 2: 2 is even.
  Real48 b = 1.0L + 3.0L * std::ldexp(1.0L, -40);
  EXPECT_EQ(static_cast<long double>(b), 1.0L + std::ldexp(1.0L, -38));
  // Just above the tie rounds up.
  Real48 c = 1.0L + std::ldexp(1.0L, -40) + std::ldexp(1.0L, -60);
  EXPECT_EQ(static_cast<long double>(c), 1.0L + std::ldexp(1.0L, -39));
  // A carry out of the mantissa moves to the next exponent.
  Real48 d = 2.0L - std::ldexp(1.0L, -41);
  EXPECT_EQ(Hex(d), "82 00 00 00 00 00");
}

TEST(Real48, OutOfRangeIsDefined) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(static_cast<long double>(Real48(1e300L)), Real48::Max());
  EXPECT_EQ(static_cast<long double>(Real48(-inf)), -Real48::Max());
  EXPECT_EQ(static_cast<long double>(Real48(std::nanl(""))), 0.0L);
  EXPECT_EQ(static_cast<long double>(Real48(1e-60L)), 0.0L);
  EXPECT_EQ(static_cast<long double>(Real48(Real48::MinPositive())), Real48::MinPositive());
  EXPECT_EQ(Hex(Real48(-0.0L)), "00 00 00 00 00 00");
}

TEST(Numeric, RoundIsTiesToEven) {
  const std::pair<long double, int64_t> cases[] = {
      {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {-0.5L, 0}, {-1.5L, -2}, {2.4999L, 2}, {2.5001L, 3}, {-2.6L, -3}};
  for (auto [x, r] : cases) EXPECT_EQ(Round(x), r) << static_cast<double>(x);
  EXPECT_EQ(Round(std::nanl("")), 0);
  EXPECT_EQ(Round(1e30L), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(Round32(4294967296.0L + 5.0L), 5);
}

TEST(Numeric, FormatFixedRoundsHalfAwayFromZero) {
  const struct {
    long double x;
    int dec;
    const char* text;
  } cases[] = {
      {0.125L, 2, "0.13"}, {-0.125L, 2, "-0.13"}, {2.5L, 0, "3"},        {1.0L, 2, "1.00"},
      {0.0L, 2, "0.00"},   {-0.001L, 2, "0.00"},  {99.995L, 2, "100.00"}, {1234.5L, 1, "1234.5"},
      {0.005L, 2, "0.01"}, {0.0049L, 2, "0.00"},  {12.0L, 0, "12"},       {999999.999L, 2, "1000000.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.x, c.dec), c.text) << static_cast<double>(c.x);
  // A 6-byte real of 0.145 lies just below the tie; its decimal form decides.
  EXPECT_EQ(FormatFixed(Real48(0.145L), 2), "0.14");
  EXPECT_EQ(FormatFixed(Real48(0.375L), 2), "0.38");
}

TEST(Krok, IsTheClearedRecordAndKeepsOutputsApart) {
  TKrok k;
  for (size_t i = 0; i < sizeof(TKrok); ++i) ASSERT_EQ(k.Bytes()[i], 0) << i;
  k.VystupStav(1) = 0xC0;
  k.VystupOneskorenie(1) = 0x1234;
  k.VystupStav(2) = 0x80;
  k.VystupOneskorenie(6) = 0xBEEF;
  k.PosuvImp = -2;
  EXPECT_EQ(k.Bytes()[53], 0xC0);
  EXPECT_EQ(k.Bytes()[56], 0x34);
  EXPECT_EQ(k.Bytes()[57], 0x12);
  EXPECT_EQ(k.Bytes()[60], 0x80);
  EXPECT_EQ(k.Bytes()[96], 0xEF);
  EXPECT_EQ(k.Bytes()[97], 0xBE);
  EXPECT_EQ(k.Bytes()[22], 0xFE);
  EXPECT_EQ(k.Bytes()[25], 0xFF);
  EXPECT_EQ(static_cast<int32_t>(k.PosuvImp), -2);
}

}  // namespace
}  // namespace kvr
