#include "kvrtool/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/codepage.h"

namespace kvr::tool {

// Malformed UTF-8 (a path given in another encoding) becomes U+FFFD.
TJson& TJson::Text(std::string_view s) {
  PredHodnotou();
  out_ += '"';
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<uint8_t>(s[i]);
    if (c >= 0x80) {
      size_t j = i;
      uint32_t cp = 0;
      if (DalsiZnakUtf8(s, j, cp))
        out_.append(s.substr(i, j - i));
      else
        out_ += "\xEF\xBF\xBD";
      i = j;
      continue;
    }
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out_ += buf;
        } else {
          out_ += static_cast<char>(c);
        }
    }
    ++i;
  }
  out_ += '"';
  return *this;
}

// Every 6-byte real is exactly a double (40-bit mantissa, small exponent
// range), so the shortest form that reads back as that double names the
// stored value exactly.
std::string FormatujRealne(long double x) {
  const auto d = static_cast<double>(x);
  if (!std::isfinite(d)) return "0";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, r.ptr);
}

TJson& TJson::Realne(long double x) {
  PredHodnotou();
  out_ += FormatujRealne(x);
  return *this;
}

std::string Hex(const uint8_t* p, size_t n) {
  static constexpr char kCifry[] = "0123456789abcdef";
  std::string s;
  s.reserve(2 * n);
  for (size_t i = 0; i < n; ++i) {
    s += kCifry[p[i] >> 4];
    s += kCifry[p[i] & 15];
  }
  return s;
}


}  // namespace kvr::tool
