#include "model/numeric.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <limits>

namespace kvr {

int64_t Round(long double x) {
  if (std::isnan(x)) return 0;
  long double r;  // x rounded in the default mode: ties to even
  if constexpr (std::numeric_limits<long double>::digits == 64) {
    // With a 64-bit significand, adding and taking away 2^63 leaves the
    // integer nearest to x; nearbyintl saves and restores the whole
    // floating-point environment and cost the coil drawing most of its time.
    constexpr long double k2na63 = 9223372036854775808.0L;
    if (std::fabs(x) < k2na63)
      r = x >= 0.0L ? (x + k2na63) - k2na63 : (x - k2na63) + k2na63;
    else
      r = x;  // integral already, or infinite
  } else {
    r = std::nearbyintl(x);
  }
  if (r >= 9223372036854775807.0L) return std::numeric_limits<int64_t>::max();
  if (r <= -9223372036854775808.0L) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(r);
}

int32_t Round32(long double x) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(Round(x))));
}

std::string FormatFixed(long double x, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  // 18 significant digits, "d.ddddddddddddddddde+XX".
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17Le", x);
  const bool neg = buf[0] == '-';
  const char* p = buf + (neg ? 1 : 0);
  std::vector<int> dig;  // significant digits, most significant first
  for (const char* q = p; *q && *q != 'e'; ++q)
    if (*q >= '0' && *q <= '9') dig.push_back(*q - '0');
  const int exp10 = std::atoi(std::strchr(p, 'e') + 1);
  // Digit j has weight 10^(exp10 - j). Build the integer value * 10^decimals as
  // a digit string with one leading guard digit for the carry.
  const int keep = exp10 + 1 + decimals;  // digits at or above 10^-decimals
  std::vector<int> out(static_cast<size_t>(std::max(keep, 0)) + 1, 0);
  for (int j = 0; j < keep; ++j) out[static_cast<size_t>(j) + 1] = j < static_cast<int>(dig.size()) ? dig[static_cast<size_t>(j)] : 0;
  const int next = (keep >= 0 && keep < static_cast<int>(dig.size())) ? dig[static_cast<size_t>(keep)] : 0;
  if (next >= 5) {  // half away from zero on the decimal digits
    size_t i = out.size();
    while (i-- > 0) {
      if (out[i] == 9) {
        out[i] = 0;
      } else {
        ++out[i];
        break;
      }
    }
  }
  // Integer part: all but the last `decimals` digits.
  while (static_cast<int>(out.size()) < decimals + 1) out.insert(out.begin(), 0);
  const size_t split = out.size() - static_cast<size_t>(decimals);
  std::string ip, fp;
  for (size_t i = 0; i < split; ++i)
    if (!ip.empty() || out[i] != 0) ip.push_back(static_cast<char>('0' + out[i]));
  if (ip.empty()) ip.push_back('0');
  bool zero = ip == "0";
  for (size_t i = split; i < out.size(); ++i) {
    fp.push_back(static_cast<char>('0' + out[i]));
    if (out[i] != 0) zero = false;
  }
  std::string res;
  if (neg && !zero) res.push_back('-');
  res.append(ip);
  if (decimals > 0) {
    res.push_back('.');
    res.append(fp);
  }
  return res;
}

}  // namespace kvr
