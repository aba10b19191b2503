// UTF-8 (the station's strings) to and from UTF-16 (the Win32 API).
#pragma once
#include <string>
#include <string_view>

namespace kvr::win32 {

// Invalid UTF-8 sequences become U+FFFD rather than losing the whole text.
std::wstring Utf8ToWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace kvr::win32
