// The coil drawing and the selection on it: window edges, the two
// walks of a repaint with their markers, the hit test, the mouse, the
// auto-scroll and deferred-repaint timers, overview, zoom and fixed edges.
// The main window's members of the same names forward here.
#pragma once
#include <string>

#include "model/real48.h"

namespace kvr {

struct TKontext;
struct TMouseEvent;
class ICanvas;

// x with `desatinne` decimals, padded on the left with blanks to at least
// `sirka` characters (Str(x:sirka:desatinne)).
std::string TextPola(long double x, int sirka, int desatinne);

// Automatic window edges OknoLava, OknoPrava.
void SirkaOkna(TKontext& k);
// One walk of the program with its markers, drawing while KresliZapnute.
void Vykresli(TKontext& k, ICanvas& c);
// The whole repaint: edges, chamber walls, silent walk, drawing walk,
// captions below the drawing.
void PaintBox1Paint(TKontext& k, ICanvas& c);
// Scrolls so that the current step's end point is in the middle of the view.
void NastavVertPos(TKontext& k, int krok);

void ZrusVybraneKroky(TKontext& k);
bool TestVybraneKroky(const TKontext& k);
void ZrusBlok(TKontext& k);
// The step whose marker lies under (x, y) of the paint box, or 0.
int NajdiKrok(const TKontext& k, int x, int y);

void PaintBox1MouseDown(TKontext& k, const TMouseEvent& e);
void PaintBox1MouseMove(TKontext& k, const TMouseEvent& e);
void PaintBox1MouseUp(TKontext& k, const TMouseEvent& e);
void ScrollBar1Scroll(TKontext& k);
void Timer1Timer(TKontext& k);
// Switches the deferred repaint on (the serial link does).
void SpustiTimerPaint(TKontext& k);
void TimerPaintTimer(TKontext& k);
void B_OverViewClick(TKontext& k);
void ZoomPlus(TKontext& k);
void ZoomMinus(TKontext& k);
void W_LavaClick(TKontext& k);
void W_pravaClick(TKontext& k);

// True while the machine winds: online and a moving state character (Part
// 4.3). Never in this version, where the link is not started.
bool TestujCiNavijame(const TKontext& k);

// pPoloha, pVrstvy and pDruhKroku for step n: position and
// layers from the layer list, the kind from the step. Empty for no step.
void ZobrazKrokPodKresbou(TKontext& k, int n);
// The main window's step display as far as this version has it: BKrok,
// gParam's visibility and caption, and the panels below the drawing.
void ZobrazParametre(TKontext& k, int n);

}  // namespace kvr
