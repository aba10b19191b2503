#include "view/captions.h"

#include "model/machine.h"
#include "model/program.h"
#include "model/program_files.h"
#include "platform/platform.h"

namespace kvr {

std::string StateCaption(const std::string& model) { return model + " :  OFFLINE"; }

std::string GearCaption(const TStroj& s) { return "Getriebe:  " + MaxSpeedText(s); }

ProgramCaptions ProgramCaptionsOf(const TProgram& p, const IPlatform& pl) {
  return {!p.PoslednyOtvor.empty() ? SkratCestu(pl.WindowsPathOf(p.PoslednyOtvor)) : pl.WindowsPathOf(p.PoslednySubor),
          "KÖRPER NAME:\r" + NazovSuboru(p.MenoKostricky), "KONSTANTEN NAME:\r" + NazovSuboru(p.MenoKonstant)};
}

std::string StepCaption(int n) { return "SCHRITT: " + std::to_string(n); }

}  // namespace kvr
