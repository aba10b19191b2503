// kvrtool run SCRIPT [FILE] [--model NAME] [--gear N] [--bobbin FILE]
//   [--templates FILE] [--save OUT --to gc|t|tw] [--json]:
// the station's windows created headless as at start-up, FILE opened as the
// open command does, the script's lines played as the operator's actions,
// then the program saved as convert would and the state printed.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kvr::tool {

inline constexpr int kScriptFailed = 4;

// The arguments after "run"; driveRoot is a fresh folder the run may fill.
// Returns the exit status: 0 done, 1 usage error, 2 an input refused or
// unreadable, 3 the output not written, 4 the script failed.
int RunCommand(const std::vector<std::string_view>& args, const std::string& driveRoot);

}  // namespace kvr::tool
