// Writing one key into an INI text. Invariants: a refused key changes
// nothing; otherwise every line of the file but the key's is kept with its
// line end (the last line may gain one when a line goes after it), at most
// the key's line and its section's header are added, and the key reads back
// as the value.
// Input: section, key and value (each a string of FuzzedDataProvider), then
// the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/station.h"
#include "model/ini.h"
#include "model/io.h"

namespace {

std::string Shown(std::string_view s) {
  std::string r;
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && c != '\\') {
      r += c;
    } else {
      char h[5];
      std::snprintf(h, sizeof h, "\\x%02X", u);
      r += h;
    }
  }
  return r;
}

// The case is printed with the failure, so a finding reads without a debugger.
std::string g_case;

[[noreturn]] void Fail(const std::string& why) { kvr::fuzz::Fail(why + "\n" + g_case); }

struct Line {
  std::string_view text;
  std::string_view end;  // "", "\n", "\r\n" or "\r"
};

// Split on its own, independently of the implementation under test.
std::vector<Line> Lines(std::string_view s) {
  std::vector<Line> r;
  size_t i = 0;
  while (i < s.size()) {
    const size_t b = i;
    while (i < s.size() && s[i] != '\n' && s[i] != '\r') ++i;
    const size_t e = i;
    if (i < s.size()) i += (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
    r.push_back({s.substr(b, e - b), s.substr(e, i - e)});
  }
  return r;
}

bool SameLine(const Line& before, const Line& after, bool mayGainEnd) {
  if (before.text != after.text) return false;
  return before.end == after.end || (mayGainEnd && before.end.empty());
}

bool IsKeyLine(std::string_view text, std::string_view key, std::string_view value) {
  if (text.size() != key.size() + 1 + value.size() || text[key.size()] != '=') return false;
  if (text.substr(key.size() + 1) != value) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    const auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (low(text[i]) != low(key[i])) return false;
  }
  return true;
}

std::string ExpectedValue(std::string_view v) {
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
  if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(64);
  const std::string before = in.ConsumeRemainingBytesAsString();
  std::string after;
  g_case = "section \"" + Shown(section) + "\" key \"" + Shown(key) + "\" value \"" + Shown(value) + "\"\nbefore \"" +
           Shown(before) + "\"";
  try {
    after = kvr::IniSetValue(before, section, key, value);
  } catch (const kvr::TIoError&) {
    return 0;
  }
  g_case += "\nafter  \"" + Shown(after) + "\"";
  constexpr std::string_view kSignature = "\xEF\xBB\xBF";
  const bool signature = std::string_view(before).starts_with(kSignature);
  if (std::string_view(after).starts_with(kSignature) != signature) Fail("the UTF-8 signature changed");
  const std::vector<Line> a = Lines(std::string_view(before).substr(signature ? kSignature.size() : 0));
  const std::vector<Line> b = Lines(std::string_view(after).substr(signature ? kSignature.size() : 0));
  const std::string header = "[" + section + "]";
  // Find the one changed or added key line, and an added header before it.
  size_t i = 0;
  while (i < a.size() && i < b.size() && SameLine(a[i], b[i], false)) ++i;
  if (i == a.size() && i == b.size()) {
    // Nothing changed: only when the key's line already read "key=value".
  } else if (b.size() == a.size()) {
    if (!IsKeyLine(b[i].text, key, value) || b[i].end != a[i].end) Fail("a changed line is not the key's");
    for (size_t j = i + 1; j < a.size(); ++j)
      if (!SameLine(a[j], b[j], false)) Fail("more than the key's line changed");
  } else if (b.size() == a.size() + 1 || b.size() == a.size() + 2) {
    // The file's last line gains a line end when a line goes after it.
    if (i < a.size() && SameLine(a[i], b[i], true)) {
      if (i + 1 != a.size()) Fail("a line end changed");
      ++i;
    }
    const size_t added = b.size() - a.size();
    if (added == 2) {
      if (b[i].text != header) Fail("an added line is neither the section nor the key");
      ++i;
    }
    if (!IsKeyLine(b[i].text, key, value)) Fail("an added line is not the key's");
    for (size_t j = i; j < a.size(); ++j)
      if (!SameLine(a[j], b[j + added], false)) Fail("a line after the added key changed");
  } else {
    Fail("lines were lost or more than two added");
  }
  if (kvr::IniFindValue(after, section, key) != std::optional<std::string>(ExpectedValue(value)))
    Fail("the key does not read back as the value");
  return 0;
}
