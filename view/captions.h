// Captions of the main window that are built from values: each text has its
// one place here.
#pragma once
#include <string>

namespace kvr {

struct TProgram;
struct TStroj;
class IPlatform;

// pStav: the model and the link's mode (always offline in this version).
std::string TextStavu(const std::string& model);
// pPrevodNav: the maximum speed of the gear in force.
std::string TextPrevodu(const TStroj& s);

// The program line and the bobbin and constants captions.
struct TProgCaption {
  std::string Program;
  std::string Kostricka;
  std::string Konstanty;
};
// Paths read as the operator knows them from the panel PC ("D:\\...").
TProgCaption ProgCaption(const TProgram& p, const IPlatform& pl);

// BKrok: the current step's number.
std::string TextKroku(int n);

}  // namespace kvr
