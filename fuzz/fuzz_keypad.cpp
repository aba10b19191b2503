// The keypad's number parser and the trimming of an entry per parameter kind.
#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz/station.h"
#include "model/real48.h"
#include "tools/keypad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::optional<long double> v = kvr::ParseNumber(text);
  if (v && (!std::isfinite(*v) || std::fabs(*v) > kvr::Real48::Max()))
    kvr::fuzz::Fail("the keypad took a value no 6-byte real holds");
  (void)kvr::TrimEntry(text, data[0]);
  (void)kvr::DesatinneMiesta(data[0]);
  return 0;
}
