// Captions of the main window that are built from values: each text has its
// one place here.
#pragma once
#include <string>

namespace kvr {

struct TProgram;
struct TStroj;
class IPlatform;

// pStav: the model and the link's mode (always offline in this version).
std::string StateCaption(const std::string& model);
// pPrevodNav: the maximum speed of the gear in force.
std::string GearCaption(const TStroj& s);

// The program line and the bobbin and constants captions.
struct ProgramCaptions {
  std::string Program;
  std::string Kostricka;
  std::string Konstanty;
};
// Paths read as the operator knows them from the panel PC ("D:\\...").
ProgramCaptions ProgramCaptionsOf(const TProgram& p, const IPlatform& pl);

// BKrok: the current step's number.
std::string StepCaption(int n);

}  // namespace kvr
