// Little-endian integers stored as bytes, so records have alignment 1 and the
// same layout on every host; they read and assign like the integer they hold.
#pragma once
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace kvr {

template <typename T>
class LeInt {
  static_assert(std::is_integral_v<T>);

 public:
  constexpr LeInt() = default;
  LeInt(T v) { Set(v); }  // NOLINT
  LeInt& operator=(T v) {
    Set(v);
    return *this;
  }
  operator T() const { return Get(); }  // NOLINT
  T Get() const {
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (size_t i = sizeof(T); i-- > 0;) u = static_cast<U>((u << 8) | b_[i]);
    return static_cast<T>(u);
  }
  void Set(T v) {
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(v);
    for (size_t i = 0; i < sizeof(T); ++i) {
      b_[i] = static_cast<uint8_t>(u & 0xFF);
      u = static_cast<U>(u >> 8);
    }
  }

 private:
  uint8_t b_[sizeof(T)]{};
};

using LeU16 = LeInt<uint16_t>;
using LeI32 = LeInt<int32_t>;
using LeU32 = LeInt<uint32_t>;
static_assert(sizeof(LeU16) == 2 && alignof(LeU16) == 1);
static_assert(sizeof(LeI32) == 4 && alignof(LeI32) == 1);

// Reading and writing integers at a byte offset of a buffer.
inline uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
inline uint32_t GetU24(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
}
inline void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace kvr
