#include "view/program_check.h"

#include <algorithm>

#include "model/machine.h"
#include "model/program.h"
#include "model/step.h"
#include "view/coil_drawing.h"

namespace kvr {

ProgramCheckResult CheckProgram(const TProgram& p, const TStroj& s) {
  const int n = std::clamp(p.PocetKrokov, 0, kMaxKrokov);
  ProgramCheckResult r;
  r.Errors.assign(static_cast<size_t>(n) + 1, std::string());
  bool noClearingStep = true;
  bool firstRotation = true;
  uint8_t lastRotation = 0;

  for (int i = 1; i <= n; ++i) {
    const TKrok& k = p.Kroky[i];
    std::string& cell = r.Errors[static_cast<size_t>(i)];
    const std::string before = cell;
    if (static_cast<long double>(k.LRev) > static_cast<long double>(k.PRev)) cell += "Err-25, ";
    if (i == n) {
      if (k.TypCyklu != 0) cell += "Err-24, ";
    } else if (k.TypCyklu == 0) {
      cell += "Err-23, ";
    }
    switch (DruhKroku(k)) {
      case kDruhWicklung:
      case kDruhBandagieren: {
        const int32_t otacky = k.Otacky;
        if (otacky != 0) {
          const long double limit = 4800.0L / static_cast<long double>(otacky);
          if (static_cast<long double>(k.PosuvMM) > limit)
            cell += "Err-4 max. " + FieldText(ZaokruhliPosuv(s, limit), 2, 3) + ",  ";
        }
        if (i > 1 && k.Nulovat == 0 &&
            static_cast<long double>(k.Hodnota) <= static_cast<long double>(p.Kroky[i - 1].Hodnota))
          cell += "Err-21, ";
        if (firstRotation) {
          firstRotation = false;
        } else if (k.Nulovat == 0 && k.SmerOtac != lastRotation) {
          cell += "Err-20, ";
        }
        lastRotation = k.SmerOtac;
        if (k.Nulovat == 1) noClearingStep = false;
        break;
      }
      case kDruhVerschiebung:
      case kDruhSprung:
        if (i > 1 && p.Kroky[i - 1].TypCyklu >= 3) cell += "Err-6, ";
        break;
      case kDruhLeer:
      case kDruhPause:
      case kDruhGetriebe:
        break;
      default:
        r.Messages.push_back("SCHRITT:  : " + std::to_string(i) + "     Unbekannter Schrittart !");
        r.ErrorFound = true;
        break;
    }
    if (cell != before) r.ErrorFound = true;
  }
  if (n > 0 && noClearingStep) {
    r.Errors[static_cast<size_t>(n)] += "Err-22, ";
    r.ErrorFound = true;
  }
  return r;
}

}  // namespace kvr
