// kvrtool check, list and print: the program check, the listing and its
// printed report of a program that was opened as the station opens it.
//
//   kvrtool check FILE [--json] [--model NAME] [--gear N]
//   kvrtool list FILE [--json] [--model NAME] [--gear N]
//   kvrtool print FILE OUT.pdf [--model NAME] [--gear N]
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kvr {
struct TKontext;
class HeadlessUi;
}  // namespace kvr

namespace kvr::tool {

bool IsListingCommand(std::string_view command);

// Runs the command on the program just opened into k; ui holds the messages
// of the open. files are the command's file arguments (FILE, and OUT.pdf for
// print). Returns the exit status: 0 done (errors the check finds are a
// result, not a failure), 3 the output could not be written.
int ListingCommand(TKontext& k, HeadlessUi& ui, std::string_view command, const std::vector<std::string>& files,
                   bool json);

}  // namespace kvr::tool
