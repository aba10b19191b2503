// "Errors.de": the lines as the error list window reads them, and written
// back. What the window wrote must read back as the same lines, unless the
// written Windows-1252 bytes happen to form UTF-8 with characters beyond
// ASCII ("Ã¤"): the reader takes such a file as an editor's UTF-8, by design.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/station.h"
#include "model/codepage.h"
#include "ui/errors_window.h"

namespace {

bool Utf8BeyondAscii(std::string_view s) {
  bool beyond = false;
  for (size_t i = 0; i < s.size();) {
    uint32_t cp = 0;
    if (!kvr::DalsiZnakUtf8(s, i, cp)) return false;
    beyond = beyond || cp > 0x7F;
  }
  return beyond;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = kvr::RiadkyTextu(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string text = kvr::TextZRiadkov(lines);
  if (Utf8BeyondAscii(text)) return 0;
  if (kvr::TextZRiadkov(kvr::RiadkyTextu(text)) != text) kvr::fuzz::Fail("Errors.de does not read back as it was written");
  return 0;
}
