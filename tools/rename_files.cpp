#include "tools/rename_files.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/codepage.h"
#include "model/little_endian.h"
#include "model/program_files.h"
#include "platform/no_replace_rename.h"

namespace kvr {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDropped = "\"*,/:;<=>?[\\]|";

std::string Utf8(const fs::path& p) {
  const std::u8string s = p.u8string();
  return {s.begin(), s.end()};
}

enum class TCheck { Ok, CannotOpen, NotAProgram };

// The KVR-G/C checks of one file; on Ok, head holds its first 256 bytes.
TCheck CheckProgram(const fs::path& p, std::array<uint8_t, kDlzkaZaciatku>& head) {
  std::error_code ec;
  // A folder, a pipe or a device is no file to open: reading a pipe would wait
  // for a writer that never comes.
  if (!fs::is_regular_file(fs::status(p, ec)) || ec) return TCheck::CannotOpen;
  std::ifstream in(p, std::ios::binary);
  if (!in) return TCheck::CannotOpen;
  const uintmax_t size = fs::file_size(p, ec);
  if (ec) return TCheck::CannotOpen;
  if (size < kMinDlzkaPredpisu) return TCheck::NotAProgram;
  uint8_t marker[kDlzkaZnacky];
  in.seekg(static_cast<std::streamoff>(size - kDlzkaZnacky));
  in.read(reinterpret_cast<char*>(marker), sizeof marker);
  if (!in) return TCheck::CannotOpen;
  if (GetU32(marker) != kZnackaGC) return TCheck::NotAProgram;
  in.seekg(0);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  if (!in) return TCheck::CannotOpen;
  return TCheck::Ok;
}

// The name the file system keeps: Windows drops trailing blanks and points
// from a file name, so the station does so everywhere and files get the same
// names on every machine.
std::string StoredName(std::string name) {
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  return name;
}

bool Occupied(const fs::path& target, const TDryRun* dry) {
  const std::string t = Utf8(target);
  if (dry != nullptr && dry->Taken.count(t) != 0) return true;
  if (dry != nullptr && dry->Freed.count(t) != 0) return false;
  std::error_code ec;
  return fs::symlink_status(target, ec).type() != fs::file_type::not_found;
}

}  // namespace

std::string NameFromHeader(std::span<const uint8_t> header) {
  std::string raw;
  const size_t end = std::min(header.size(), kHlavOffNazov + kHlavDlzkaNazvu);
  for (size_t i = kHlavOffNazov; i < end; ++i) {
    const char c = static_cast<char>(header[i]);
    if (c == '\0' || kDropped.find(c) != std::string_view::npos) continue;
    raw += c;
  }
  return Cp1252NaUtf8(raw);
}

std::string FileExtension(std::string_view path) {
  const std::string_view name = path.substr(path.find_last_of("\\/") + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

TRenameOutcome RenameAfterCoilName(const std::string& path, bool keepExtension, TDryRun* dryRun) {
  TRenameOutcome o;
  const fs::path from = NativePath(path);
  std::array<uint8_t, kDlzkaZaciatku> head{};
  switch (CheckProgram(from, head)) {
    case TCheck::CannotOpen:
      o.Why = TRenameWhy::CannotOpen;
      return o;
    case TCheck::NotAProgram:
      o.Why = TRenameWhy::NotAProgram;
      return o;
    case TCheck::Ok:
      break;
  }
  o.NewName = NameFromHeader(head);
  if (o.NewName.empty()) {
    o.Why = TRenameWhy::EmptyName;
    return o;
  }
  if (keepExtension) o.NewName += FileExtension(path);
  const std::string stored = StoredName(o.NewName);
  const std::string folder = FolderOf(path);
  o.NewPath = folder + (stored.empty() ? o.NewName : stored);
  o.Result = TRenameResult::Failed;
  if (stored.empty()) {
    o.Why = TRenameWhy::UnusableName;
    return o;
  }
  o.Result = TRenameResult::Renamed;
  if (stored == NazovSuboru(path)) return o;  // it has its name already

  const fs::path to = NativePath(o.NewPath);
  if (dryRun != nullptr) {
    if (Occupied(to, dryRun)) {
      o.Result = TRenameResult::Failed;
      o.Why = TRenameWhy::TargetExists;
      return o;
    }
    dryRun->Taken.insert(Utf8(to));
    dryRun->Taken.erase(Utf8(from));
    dryRun->Freed.insert(Utf8(from));
    dryRun->Freed.erase(Utf8(to));
    return o;
  }
  std::error_code ec;
  if (!RenameNoReplace(from, to, ec)) {
    o.Result = TRenameResult::Failed;
    if (ec == std::errc::file_exists) {
      o.Why = TRenameWhy::TargetExists;
    } else {
      o.Why = TRenameWhy::SystemError;
      o.Detail = ec.message();
    }
  }
  return o;
}

std::optional<std::vector<std::string>> OrdinaryFilesOf(const std::string& folder) {
  std::error_code ec;
  fs::directory_iterator it(NativePath(folder.empty() ? std::string(".") : folder), ec);
  if (ec) return std::nullopt;
  std::vector<std::string> names;
  // The whole listing is taken before anything is renamed: a renamed file must
  // not come round again under its new name.
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code e;
    if (it->symlink_status(e).type() == fs::file_type::regular) names.push_back(Utf8(it->path().filename()));
  }
  if (ec) return std::nullopt;
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kvr
