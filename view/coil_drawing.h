// The coil drawing, as far as it is computed without a window: the window
// edges, the two walks of a repaint with their markers, the hit test, the
// captions of the panels below the drawing and the scroll position that brings
// a step into view. The drawing panel of the main window owns the controls,
// the timers and the mouse.
#pragma once
#include <cstdint>
#include <string>

#include "form/form.h"
#include "model/real48.h"

namespace kvr {

struct TKontext;
struct TMierka;
class ICanvas;
class WalkCache;

// x with `desatinne` decimals, padded on the left with blanks to at least
// `sirka` characters (Str(x:sirka:desatinne)).
std::string FieldText(long double x, int sirka, int desatinne);

// Automatic window edges OknoLava, OknoPrava.
void SirkaOkna(TKontext& k);
// One walk of the program with its markers, drawing while KresliZapnute.
// Messages go to the operator through k.Ui.
void Vykresli(TKontext& k, ICanvas& c, const TMierka& m);
// The whole repaint of a paint box of sirka x vyska pixels scrolled by posun
// drawing units: edges (fixed or automatic), chamber walls, the silent walk
// that fills the layer list, the drawing walk. panel is the colour behind the
// step numbers. pamat keeps the last complete walk, so a repaint of the same
// program and start (a scroll, the mouse, a zoom) does not walk it again.
void PaintCoil(TKontext& k, ICanvas& c, int sirka, int vyska, int32_t posun, TColor panel, WalkCache& pamat);

// The repaint without a main window (the command-line tool, the benchmark):
// the canvas's own size (the design size when it has none), the scroll bar at
// the bottom of the coil, white behind the step numbers.
void PaintCoil(TKontext& k, ICanvas& c);

// The layer list brought up to date at once, as a repaint's silent walk
// fills it (edges fixed or automatic, the walk from the left edge), without
// a canvas and without messages: the repaint that follows shows them. The
// drawing points are those of a box of the design size; the next repaint
// sets them for its own box.
void PrepocitajVrstvy(TKontext& k);

// The step whose marker lies under (x, y) of the paint box, or 0.
int StepAt(const TKontext& k, const TMierka& m, int x, int y);

// The scroll bar position (within min..max) that puts step n's end point in
// the middle of a box vyska pixels high; a step outside 1..350 scrolls to max,
// the bottom of the coil.
int ScrollPositionFor(const TKontext& k, int n, int min, int max, int vyska);

// Captions of pPoloha, pVrstvy and pDruhKroku for step n: position and layers
// from the layer list, the kind from the layer list or (druhZKroku) from the
// step itself. Empty for no step.
struct StepPanelsCaptions {
  std::string Poloha;
  std::string Vrstvy;
  std::string DruhKroku;
};
StepPanelsCaptions StepCaptionsBelow(const TKontext& k, int n, bool druhZKroku);

// The overview button's caption for the overview state.
std::string OverviewCaption(uint8_t prehlad);

// True while the machine winds: online and a moving state character. Never in
// this version, where the link is not started. The first asks of the last
// state the machine reported.
bool TestujCiNavijame(const TKontext& k);
bool TestujCiNavijame(const TKontext& k, uint8_t c);

}  // namespace kvr
