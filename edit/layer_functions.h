// The automatic layer and spread computations of the step dialog's insert
// and replace: feed or turns that end a layer at a chosen coordinate, one
// step per layer, and spreading the turns of a step to a reversal point.
// b is the step after which the new step starts; P is where the wire guide
// stands at its end (the layer list's entry b).
#pragma once
#include "model/step.h"

namespace kvr {

struct TKontext;
struct TStroj;

// The box shown when a computation has no result.
inline constexpr const char* kDatenUnkorrekt = "DATEN UNKORREKT";

// The largest representable feed not above f.
long double NajvacsiPosuvNeVacsi(const TStroj& s, long double f);

// Feed from the turns and the end coordinate ("LAGE WIND.AUT."). False, with
// w unchanged, when the turns are 0.
bool PocitajPosuv(TKontext& k, TKrok& w, int b, bool nulovat);
// Turns from the feed and the end coordinate ("LAGE VORSCH.AUT."). False,
// with w unchanged, when the feed is 0.
bool PocitajZavity(TKontext& k, TKrok& w, int b, bool nulovat);
// A larger feed so that the step ends at the reversal point chosen as the
// coordinate ("SPREIZEN ALLES"). False, with w unchanged, when there is no
// feed or no turn to spread over.
bool RozprestriVinutie(TKontext& k, TKrok& w, int b);

// One step per layer ("LAGE STOP"), stored after step AktKrok (insert) or
// from step AktKrok on (replace). Shows "DATEN UNKORREKT" and stores nothing
// when a trapezoid closes or leaves the machine's width, when the steps
// would pass step 350, or when the feed is 0.
void RozlozNaVrstvy(TKontext& k, bool vloz, bool nulovat);

// Splits step AktKrok: its last SpreadZavity turns are spread towards the
// coordinate in a second step inserted after it ("SPREIZEN LAGE"). False,
// after "DATEN UNKORREKT" and with nothing stored, when the feed or the
// spread turns are 0, or when the program has no room for the second step.
bool RozprestriVrstvu(TKontext& k);

}  // namespace kvr
