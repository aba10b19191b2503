// Numeric helpers shared by every subsystem: the machine's rounding rule and
// the one fixed-decimals formatter that all captions and listings go through.
#pragma once
#include <cstdint>
#include <string>

namespace kvr {

// Round to nearest, ties to even, on the extended intermediate. NaN gives 0;
// values beyond the 64-bit range saturate (never undefined behaviour).
int64_t Round(long double x);

// The low 32 bits of Round(x), as a Pascal longint assignment would keep them.
int32_t Round32(long double x);

// x with a fixed number of decimals, rounding half away from zero on the
// decimal digits (0.125 -> "0.13"). The value is first taken to 18 significant
// decimal digits, so binary noise below that does not decide a tie.
std::string FormatFixed(long double x, int decimals);

}  // namespace kvr
