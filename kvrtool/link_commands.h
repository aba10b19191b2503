// kvrtool send / receive / simulate: programs to and from a machine controller
// through the station's own link code, and a simulated controller to talk to.
//
//   kvrtool send FILE --port DEVICE [--model NAME] [--gear N] [--trace DIR]
//   kvrtool receive OUT.kvr --port DEVICE [--model NAME] [--gear N] [--trace DIR]
//   kvrtool simulate [--program FILE]
#pragma once
#include <string_view>
#include <vector>

namespace kvr::tool {

inline constexpr int kTransferFailed = 5;

inline constexpr std::string_view kLinkUsage =
    "       kvrtool send FILE --port DEVICE [--model NAME] [--gear N] [--trace DIR]\n"
    "       kvrtool receive OUT.kvr --port DEVICE [--model NAME] [--gear N] [--trace DIR]\n"
    "       kvrtool simulate [--program FILE]\n";

bool IsLinkCommand(std::string_view command);
// The whole argument list, the command first. Returns the exit status: 0 when
// the link reported " Übertragung OK ", 5 for a failed transfer, 1 for a usage
// error, 2 when FILE was refused, 3 when OUT could not be written.
int LinkCommand(const std::vector<std::string_view>& args);

}  // namespace kvr::tool
