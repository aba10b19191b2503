#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kvr {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// "X:" alone or "X:" followed by a separator. "X:name" is relative to the drive's
// current folder, which has no meaning under a drive root, so it is not mapped.
bool HasDriveRoot(std::string_view p) {
  return p.size() >= 2 && IsAsciiLetter(p[0]) && p[1] == ':' && (p.size() == 2 || p[2] == '\\' || p[2] == '/');
}

void AppendWithSlashes(std::string& out, std::string_view s) {
  for (char c : s) out += (c == '\\') ? '/' : c;
}

}  // namespace

std::string MapWindowsPathUnder(std::string_view root, std::string_view windowsPath) {
  std::string out;
  if (!HasDriveRoot(windowsPath)) {
    AppendWithSlashes(out, windowsPath);
    return out;
  }
  // Exactly one "/" between root and drive letter, also for "/" or "drives/".
  while (!root.empty() && root.back() == '/') root.remove_suffix(1);
  out.reserve(root.size() + windowsPath.size() + 1);
  out.append(root);
  out += '/';
  out += ToUpperAscii(windowsPath[0]);
  AppendWithSlashes(out, windowsPath.substr(2));
  return out;
}

std::string WindowsPathFromUnder(std::string_view root, std::string_view path) {
  // No root, no drives (every absolute one-letter folder would be one).
  if (root.empty()) return std::string(path);
  while (!root.empty() && root.back() == '/') root.remove_suffix(1);
  // "<root>/" as MapWindowsPathUnder builds it, also for the root "/".
  if (path.size() < root.size() + 2 || path.substr(0, root.size()) != root || path[root.size()] != '/') {
    return std::string(path);
  }
  std::string_view rest = path.substr(root.size() + 1);
  const char drive = rest[0];
  if (drive < 'A' || drive > 'Z' || (rest.size() > 1 && rest[1] != '/')) return std::string(path);
  std::string out;
  out.reserve(rest.size() + 1);
  out += drive;
  out += ':';
  for (char c : rest.substr(1)) out += (c == '/') ? '\\' : c;
  return out;
}

}  // namespace kvr
