#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <climits>
#include <string>
#include <string_view>

#include "platform/win32/win32_text.h"

namespace kvr::win32 {

std::wstring Utf8ToWide(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > static_cast<size_t>(INT_MAX)) return {};
  const int inLen = static_cast<int>(utf8.size());
  // Without MB_ERR_INVALID_CHARS invalid input is replaced, not refused.
  const int outLen = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLen, nullptr, 0);
  if (outLen <= 0) return {};
  std::wstring wide(static_cast<size_t>(outLen), L'\0');
  const int written = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLen, wide.data(), outLen);
  if (written <= 0) return {};
  wide.resize(static_cast<size_t>(written));
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX)) return {};
  const int inLen = static_cast<int>(wide.size());
  const int outLen = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLen, nullptr, 0, nullptr, nullptr);
  if (outLen <= 0) return {};
  std::string utf8(static_cast<size_t>(outLen), '\0');
  const int written = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLen, utf8.data(), outLen, nullptr, nullptr);
  if (written <= 0) return {};
  utf8.resize(static_cast<size_t>(written));
  return utf8;
}

}  // namespace kvr::win32
