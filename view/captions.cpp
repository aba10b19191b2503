#include "view/captions.h"

#include "model/machine.h"
#include "model/program.h"
#include "model/program_files.h"
#include "platform/platform.h"

namespace kvr {

std::string TextStavu(const std::string& model) { return model + " :  OFFLINE"; }

std::string TextPrevodu(const TStroj& s) { return "Getriebe:  " + TextMaxOtacok(s); }

TProgCaption ProgCaption(const TProgram& p, const IPlatform& pl) {
  return {!p.PoslednyOtvor.empty() ? SkratCestu(pl.WindowsPathOf(p.PoslednyOtvor)) : pl.WindowsPathOf(p.PoslednySubor),
          "KÖRPER NAME:\r" + NazovSuboru(p.MenoKostricky), "KONSTANTEN NAME:\r" + NazovSuboru(p.MenoKonstant)};
}

std::string TextKroku(int n) { return "SCHRITT: " + std::to_string(n); }

}  // namespace kvr
