// What the step dialog offers and accepts, computed without a window: its
// modes, the parameter sets that light its panels, and how each keypad panel
// asks for, checks and stores its value.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/step.h"
#include "view/step_panel_view.h"

namespace kvr {

struct TKontext;

// Dialog modes (DruhEditacie).
namespace rezim {
constexpr int kPriamy = 1;  // one parameter from the main window
constexpr int kDefZav = 10;
constexpr int kVrstvaPosuvAut = 11;
constexpr int kVrstvaZavityAut = 12;
constexpr int kVrstvaStop = 14;
constexpr int kOlep = 15;
constexpr int kPresun = 16;
constexpr int kSkok = 17;
constexpr int kSpreadVinutie = 18;
constexpr int kSpreadVrstva = 19;
constexpr int kDelay = 20;
constexpr int kPrevod = 21;
constexpr int kKonst = 30;  // 30..38: template 0..8
constexpr int kKonstPosledny = 38;
}  // namespace rezim

// The template a mode edits (0..8), or nothing for a mode that stores into
// the program.
std::optional<int> TemplateOfMode(int mode);
// Modes whose dialog leaves the main window usable.
bool NonModalMode(int mode);

enum class TParamSet {
  ParamDefZav,
  ParamVrstvaPosuvAut,
  ParamVrstvaZavityAut,
  ParamVrstvaStop,
  ParamOlep,
  ParamPresun,
  ParamSkok,
  ParamDelay,
  ParamPrevod,
  ParamSpreadVinutie,
  ParamSpreadVrstva,
};

// What a parameter set does to the dialog's controls, by control name, applied
// in this order: lit (enabled and lime), dimmed (disabled and button face),
// disabled, shown, hidden.
struct TParamSetLighting {
  std::string Caption;  // empty: the opener sets it
  std::vector<std::string> Lit;
  std::vector<std::string> Dimmed;
  std::vector<std::string> Disabled;
  std::vector<std::string> Shown;
  std::vector<std::string> Hidden;
  // The coordinate panel gets its label at once.
  bool KoordinateCaption = false;
};
const TParamSetLighting& ParamSetLighting(TParamSet s);

// The panels whose value comes from the keypad.
enum class TParamPanel {
  pZavity,
  pPosuvMM,
  pLRev,
  pPRev,
  pSuradnica,
  pOtackyMin,
  pVrstva,
  pKrok,
  pSpreadZav,
  pAKP_LRev,
  pAKP_PRev,
  pLTRAP_hodnota,
  pRTRAP_hodnota,
};

// How panel p prepares the keypad for the working step in the dialog's mode.
TKeypadRequest ParamKeypadRequest(const TKontext& k, TParamPanel p);

// Stores an accepted value into the working step or the dialog variables.
void StoreParamValue(TKontext& k, TParamPanel p, long double v);

// Panel captions, as the dialog writes them.
std::string TextPosuvu(const TKontext& k, const TKrok& krok);    // "VORSCH.[mm]: 0.125"
std::string TextZavitovParam(int mode, const TKrok& krok);       // pZavity by mode
std::string TextSklonu(uint8_t znamienko);                      // " Neigung: /"

}  // namespace kvr
