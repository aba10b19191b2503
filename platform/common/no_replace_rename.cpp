#include "platform/no_replace_rename.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#endif

namespace kvr {

namespace fs = std::filesystem;

#if defined(_WIN32)

bool RenameNoReplace(const fs::path& from, const fs::path& to, std::error_code& ec) {
  ec.clear();
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
  if (MoveFileExW(from.c_str(), to.c_str(), 0) != 0) return true;
  const DWORD err = GetLastError();
  if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS)
    ec = std::make_error_code(std::errc::file_exists);
  else
    ec = std::error_code(static_cast<int>(err), std::system_category());
  return false;
}

#else

namespace {

bool Exists(const fs::path& p) {
  std::error_code e;
  return fs::symlink_status(p, e).type() != fs::file_type::not_found && !e;
}

// A second name for the file, then the old name removed: link() never
// replaces its target.
bool LinkAndUnlink(const fs::path& from, const fs::path& to, std::error_code& ec) {
  if (::link(from.c_str(), to.c_str()) != 0) {
    ec = std::error_code(errno, std::generic_category());
    return false;
  }
  if (::unlink(from.c_str()) != 0) {
    ec = std::error_code(errno, std::generic_category());
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

// The file system cannot rename without replacing / has no hard links.
bool NoReplaceUnsupported(int e) { return e == EINVAL || e == ENOSYS || e == ENOTSUP || e == EOPNOTSUPP; }
bool LinksUnsupported(int e) { return e == EPERM || e == ENOTSUP || e == EOPNOTSUPP || e == ENOSYS; }

}  // namespace

bool RenameNoReplace(const fs::path& from, const fs::path& to, std::error_code& ec) {
  ec.clear();
#if defined(__linux__) && defined(RENAME_NOREPLACE)
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (!NoReplaceUnsupported(errno)) {
    ec = std::error_code(errno, std::generic_category());
    return false;
  }
#endif
  if (LinkAndUnlink(from, to, ec)) return true;
  if (!LinksUnsupported(ec.value())) return false;
  // A file system with neither (FAT has no hard links): look, then rename.
  // Another process could create the target in between; nothing else here
  // writes into a program folder at the same moment.
  ec.clear();
  if (Exists(to)) {
    ec = std::make_error_code(std::errc::file_exists);
    return false;
  }
  fs::rename(from, to, ec);
  return !ec;
}

#endif

}  // namespace kvr
