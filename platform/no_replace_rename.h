// Renaming a file without ever replacing another one. The standard library's
// rename replaces an existing target on POSIX (and, as implemented, on
// Windows), which would silently destroy the file of that name.
#pragma once
#include <filesystem>
#include <system_error>

namespace kvr {

// Renames from to to. When to exists (a file, a folder, a link), nothing
// changes and ec is std::errc::file_exists. Other failures leave ec set by the
// operating system. True when renamed.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);

}  // namespace kvr
