#include "model/codepage.h"

#include <algorithm>
#include <array>

namespace kvr {

namespace {

// Bytes 0x80..0x9F of Windows-1252; the undefined ones keep their own value.
constexpr std::array<uint16_t, 32> kHorne80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

uint32_t ZnakZCp1252(uint8_t b) {
  if (b >= 0x80 && b <= 0x9F) return kHorne80[b - 0x80u];
  return b;
}

// The Windows-1252 byte of a code point, or nothing.
int BajtCp1252(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (size_t i = 0; i < kHorne80.size(); ++i)
    if (kHorne80[i] == cp) return static_cast<int>(0x80 + i);
  return -1;
}

void PridajUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

// Decodes one UTF-8 character at s[i] and advances i. A malformed sequence
// (bad lead byte, missing continuation, overlong form, surrogate, beyond
// U+10FFFF) consumes a single byte and returns false.
bool DalsiZnakUtf8(std::string_view s, size_t& i, uint32_t& cp) {
  const auto b0 = static_cast<uint8_t>(s[i]);
  if (b0 < 0x80) {
    cp = b0;
    ++i;
    return true;
  }
  size_t n = 0;
  uint32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    n = 1;
    cp = b0 & 0x1Fu;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 2;
    cp = b0 & 0x0Fu;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 3;
    cp = b0 & 0x07u;
    min = 0x10000;
  } else {
    ++i;
    return false;
  }
  if (i + n >= s.size()) {
    ++i;
    return false;
  }
  for (size_t j = 1; j <= n; ++j) {
    const auto b = static_cast<uint8_t>(s[i + j]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return false;
    }
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return false;
  }
  i += n + 1;
  return true;
}

std::string Utf8NaCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    uint32_t cp = 0;
    const int b = DalsiZnakUtf8(utf8, i, cp) ? BajtCp1252(cp) : -1;
    out += b < 0 ? '?' : static_cast<char>(static_cast<uint8_t>(b));
  }
  return out;
}

std::string Cp1252NaUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() * 2);
  for (char c : cp1252) PridajUtf8(out, ZnakZCp1252(static_cast<uint8_t>(c)));
  return out;
}

size_t PocetZnakov(std::string_view utf8) {
  size_t n = 0;
  size_t i = 0;
  uint32_t cp = 0;
  while (i < utf8.size()) {
    DalsiZnakUtf8(utf8, i, cp);
    ++n;
  }
  return n;
}

std::string FirstChars(std::string_view utf8, size_t n) {
  size_t i = 0;
  uint32_t cp = 0;
  for (size_t z = 0; z < n && i < utf8.size(); ++z) DalsiZnakUtf8(utf8, i, cp);
  return std::string(utf8.substr(0, i));
}

std::string PoslednychZnakov(std::string_view utf8, size_t n) {
  const size_t spolu = PocetZnakov(utf8);
  if (spolu <= n) return std::string(utf8);
  size_t i = 0;
  uint32_t cp = 0;
  for (size_t z = 0; z < spolu - n; ++z) DalsiZnakUtf8(utf8, i, cp);
  return std::string(utf8.substr(i));
}

std::string ReadShortString(const uint8_t* pole, size_t maxDlzka) {
  const size_t n = std::min<size_t>(pole[0], maxDlzka);
  return Cp1252NaUtf8(std::string_view(reinterpret_cast<const char*>(pole + 1), n));
}

void WriteShortString(uint8_t* pole, std::string_view utf8, size_t maxDlzka) {
  std::string b = Utf8NaCp1252(utf8);
  const size_t n = std::min({b.size(), maxDlzka, size_t{255}});
  pole[0] = static_cast<uint8_t>(n);
  std::copy_n(reinterpret_cast<const uint8_t*>(b.data()), n, pole + 1);
}

}  // namespace kvr
