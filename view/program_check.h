// The program check: every step of the program in the store against the
// rules of a runnable program. The result is the listing's error column (one
// cell per step, the codes in the order the checks run) and the error boxes
// of unknown step kinds. It changes nothing; the station, the tests and the
// command-line tool share it.
#pragma once
#include <string>
#include <vector>

namespace kvr {

struct TProgram;
struct TStroj;

inline constexpr const char* kKontrolaBezChyby = " Kontrolle beendet ohne Fehler ! ";

struct ProgramCheckResult {
  // Errors[i] is step i's error cell, for i = 1..PocetKrokov (entry 0 unused).
  std::vector<std::string> Errors;
  // The error boxes the check shows, in order.
  std::vector<std::string> Messages;
  // A code was appended or an unknown kind reported: the listing opens.
  bool ErrorFound = false;
};

// The feed limits are rounded as the machine limits s (its divisor) allow.
// An empty program passes: no step breaks a rule and there is no row to mark.
ProgramCheckResult CheckProgram(const TProgram& p, const TStroj& s);

}  // namespace kvr
