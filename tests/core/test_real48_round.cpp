// The quick rounding to a 6-byte real's value must agree with storing into
// the record and reading back, for every kind of value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "model/numeric.h"
#include "model/real48.h"
#include "model/real48_round.h"

namespace kvr {
namespace {

void Same(long double x) {
  const long double cakane = Real48(x).Get();
  const long double r = Real48Round(x);
  if (std::isnan(cakane)) {
    EXPECT_TRUE(std::isnan(r)) << static_cast<double>(x);
    return;
  }
  EXPECT_EQ(r, cakane) << "x " << static_cast<double>(x);
  EXPECT_EQ(std::signbit(r), std::signbit(cakane)) << "x " << static_cast<double>(x);
}

TEST(Real48Round, EdgesOfTheFormat) {
  const long double one = 1.0L;
  const long double ulp = std::ldexp(1.0L, -39);  // of values in [1, 2)
  const long double cases[] = {
      0.0L, -0.0L, 1.0L, -1.0L, 0.1L, -0.1L, 0.01L, 40.01L, 99999.99L, 3999999.6L,
      one + ulp / 2,                                    // tie, down to even
      one + 3 * ulp / 2,                                // tie, up to even
      one + ulp / 2 + std::ldexp(1.0L, -63),            // just above the tie
      one + ulp / 2 - std::ldexp(1.0L, -63),            // just below the tie
      2.0L - ulp / 2,                                   // carries into the next exponent
      -(2.0L - ulp / 4),
      std::ldexp(1.0L, -128), std::ldexp(1.0L, -129), std::ldexp(1.5L, -129), std::ldexp(1.0L, -127),
      std::ldexp(2.0L - ulp / 2, -129),                 // rounds up into the smallest normal
      std::ldexp(1.0L, 125), std::ldexp(2.0L - ulp / 2, 125), std::ldexp(1.0L, 126),
      std::ldexp(2.0L - ulp / 2, 126),                  // rounds beyond the largest value
      std::ldexp(1.0L, 127), -std::ldexp(1.0L, 200),
      std::numeric_limits<long double>::infinity(), -std::numeric_limits<long double>::infinity(),
      std::numeric_limits<long double>::quiet_NaN(), std::numeric_limits<long double>::denorm_min(),
      std::numeric_limits<long double>::max(), std::numeric_limits<long double>::min(),
  };
  for (const long double x : cases) Same(x);
}

TEST(Real48Round, RandomValuesOverTheWholeRange) {
  std::mt19937_64 g(4801);
  std::uniform_int_distribution<int> exp(-140, 140);
  for (int i = 0; i < 200000; ++i) {
    const uint64_t mant = g() | (uint64_t{1} << 63);
    long double x = std::ldexp(static_cast<long double>(mant), exp(g) - 63);
    if (i % 2 == 1) x = -x;
    // Every fourth value sits on or next to a rounding tie.
    if (i % 4 == 2) {
      const long double u = std::ldexp(1.0L, std::ilogb(x) - 40);
      x = Real48(x).Get() + u * static_cast<long double>(static_cast<int>(g() % 3) - 1) / 1024.0L + u;
    }
    Same(x);
  }
}

TEST(Real48, ReadsEveryRecordAsItsFormulaSays) {
  // Byte 0 the exponent biased by 129, bytes 1..5 the mantissa after an
  // implied 1, the top bit of byte 5 the sign.
  std::mt19937_64 g(4803);
  for (int i = 0; i < 100000; ++i) {
    uint8_t b[6];
    const uint64_t v = g();
    for (int j = 0; j < 6; ++j) b[j] = static_cast<uint8_t>(v >> (8 * j));
    if (i < 256) b[0] = static_cast<uint8_t>(i);  // every exponent, 0 and 255 too
    uint64_t m = 0;
    for (int j = 5; j >= 1; --j) m = (m << 8) | b[j];
    const bool minus = (m >> 39) & 1;
    m &= (uint64_t{1} << 39) - 1;
    long double cakane = b[0] == 0 ? 0.0L : std::ldexp(static_cast<long double>((uint64_t{1} << 39) | m), b[0] - 129 - 39);
    if (minus && b[0] != 0) cakane = -cakane;
    ASSERT_EQ(Real48::FromBytes(b).Get(), cakane) << i;
  }
}

TEST(Numeric, RoundAgreesWithTheLibraryEverywhere) {
  std::mt19937_64 g(4804);
  std::uniform_int_distribution<int> exp(-5, 66);
  const long double ties[] = {0.5L, 1.5L, -2.5L, 4503599627370496.5L, -9007199254740993.5L, 4611686018427387903.5L,
                              -4611686018427387904.5L, 9223372036854775807.0L, -9223372036854775808.0L,
                              9223372036854775808.0L, 1.0e19L, -1.0e19L, 0.0L, -0.0L, 0.49999999999999999997L};
  for (const long double x : ties) EXPECT_EQ(Round(x), Round(std::nearbyintl(x))) << static_cast<double>(x);
  for (int i = 0; i < 100000; ++i) {
    long double x = std::ldexp(static_cast<long double>(g() | (uint64_t{1} << 63)), exp(g) - 63);
    if (i % 3 == 0) x = std::floor(x) + 0.5L;  // a tie where one exists
    if (i % 2 == 1) x = -x;
    const long double r = std::nearbyintl(x);
    const int64_t cakane = r >= 9223372036854775807.0L    ? std::numeric_limits<int64_t>::max()
                           : r <= -9223372036854775808.0L ? std::numeric_limits<int64_t>::min()
                                                          : static_cast<int64_t>(r);
    ASSERT_EQ(Round(x), cakane) << static_cast<double>(x);
  }
}

TEST(Real48Rounder, AgreesAlongRunsThatCrossExponents) {
  // Lengths wound down pass by pass, heights growing, points drifting: one
  // rounder per sequence, as the walk keeps them, across exponent changes,
  // sign changes, zero and values beyond the format.
  std::mt19937_64 g(4802);
  std::uniform_real_distribution<double> krok(-3.0, 3.0);
  for (int beh = 0; beh < 40; ++beh) {
    Real48Rounder r;
    long double x = std::ldexp(1.0L, beh * 7 - 140);
    const long double d = std::ldexp(static_cast<long double>(krok(g)), beh * 7 - 146);
    for (int i = 0; i < 3000; ++i) {
      const long double y = i % 500 == 499 ? -x : x;
      const long double cakane = Real48(y).Get();
      ASSERT_EQ(r(y), cakane) << "run " << beh << " value " << static_cast<double>(y);
      x = cakane - d;
    }
  }
  Real48Rounder r;
  const long double ulp = std::ldexp(1.0L, -39);
  const long double cases[] = {1.0L + ulp / 2, 1.0L + 3 * ulp / 2, 2.0L - ulp / 2, 0.0L, -1.5L,
                               std::ldexp(2.0L - ulp / 2, 126), std::numeric_limits<long double>::infinity(),
                               std::ldexp(1.0L, -130), 1.75L, std::numeric_limits<long double>::quiet_NaN()};
  for (const long double x : cases) {
    const long double cakane = Real48(x).Get();
    EXPECT_EQ(r(x), cakane) << static_cast<double>(x);
  }
}

}  // namespace
}  // namespace kvr
