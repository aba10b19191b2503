// kvrtool rename PATH... [--keep-extension] [--dry-run] [--json]: renames
// KVR-G/C program files after their coil names, as the station's conversion
// window does, without asking anything.
#pragma once
#include <string_view>
#include <vector>

namespace kvr::tool {

inline constexpr int kRenameFailed = 6;

// The arguments after "rename". Returns the exit status: 0 when no rename
// failed, 6 otherwise, 1 for a usage error.
int RenameCommand(const std::vector<std::string_view>& args);

}  // namespace kvr::tool
