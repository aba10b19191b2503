// The layer computation: the single-step Vrstvuj and the walk over
// the program that simulates the wire guide, fills the layer list BodyKrokov
// and emits the drawn path.
#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "model/program.h"
#include "model/real48.h"

namespace kvr {

struct TKontext;
struct TKrok;
struct TMierka;
class ICanvas;

// Layers of one windings step begun at start: writes PocetVrstiev,
// VrstvujPoloha and VrstvujSmer of k.Vrstvenie; reads its PredZavity.
void Vrstvuj(TKontext& k, const TKrok& krok, Real48 start);

// Turns of the last step before step i whose Druh is exactly 1; 0 if none.
Real48 PredZavity(const TKontext& k, int i);

// The walk over steps 1..PocetKrokov (at most 350) from the walk state's
// AktPoloha, AktVyska and AktSmer, which the caller sets (Vykresli).
// Fills entries 1..PocetKrokov of BodyKrokov, scaled with m, and draws on c
// while k.Kresba.KresliZapnute is true; while it is false a line is a pen
// move. Error boxes go through k.Ui.
void WalkSteps(TKontext& k, ICanvas& c, const TMierka& m);

// What a walk did besides filling the layer list and the walk state: the
// entries that got an end point (a trapezoid step whose points crossed and an
// unknown kind get none), the messages it raised in order, and whether a
// windings step ran, which sets every field of the walk state.
struct WalkLog {
  std::bitset<kMaxKrokov + 1> EndRecorded;
  std::vector<std::string> Messages;
  bool WindingsStep = false;
};

// How a walk meets the canvas and the operator.
struct WalkOptions {
  // false: no canvas call at all, for a walk run only for its results.
  bool Canvas = true;
  // Drawing only what can show: no canvas call for a line whose ends both lie
  // above the paint box or at or below the scroll offset, nor for a tick above
  // the paint box; the pen still moves in the walk's own bookkeeping. Heights
  // never fall during a walk, so StopAboveView may end the walk once the pen
  // is above the paint box: nothing after it can show.
  bool ClipToView = false;
  bool StopAboveView = false;
  bool ShowMessages = true;
  WalkLog* Log = nullptr;
};

// WalkSteps with options. False when it stopped above the view before
// the end; the layer list and walk state are then incomplete.
bool WalkProgram(TKontext& k, ICanvas& c, const TMierka& m, const WalkOptions& o);

// Full passes between two reversal points, as the walk and Vrstvuj run them:
// while fewer than max passes are done and z > prah, z := z - d stored as a
// 6-byte real. z must be a 6-byte real's value and d > 0. Runs of passes
// within one binary exponent of z are taken in one step, with exactly the
// result pass by pass would give, so a pass count in the millions costs a
// few dozen operations. A pass that leaves z unchanged would repeat for ever:
// the run ends after it with Zaseknute set.
struct TPlnePrechody {
  uint64_t Pocet = 0;
  bool Zaseknute = false;
};
TPlnePrechody PlnePrechody(long double& z, long double d, long double prah, uint64_t max);

// The most passes a trapezoid step is walked with. Every pass of it draws a
// layer line of its own, so it cannot be run in bulk, and reversal points that
// drift by a trapezoid value the rest never feels would never cross. A real
// trapezoid winding has some thousands of passes at most; 100000 layer lines
// are 2.2 million drawing units, far beyond the scroll range of 15000.
constexpr int32_t kMaxPrechodovLichobeznika = 100000;

}  // namespace kvr
