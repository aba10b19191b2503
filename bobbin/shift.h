// Moving a program and its bobbin relative to each other: aligning the bobbin
// to the program's leftmost winding edge ("Richten"), and shifting the
// reversal points and shift targets of a block of steps, or of the whole
// program, with the bobbin or the chambers under the block following them.
// Step kinds come from the layer list of the last layer walk.
#pragma once
#include <string>

namespace kvr {

struct TKontext;

inline constexpr const char* kTextBezKostricky = "Kein Spulenkörper gewählt !";
inline constexpr const char* kTextBezLavehoOkraja = "Es fehlt LINKER WICKLUNGSRAND für Richten !";
inline constexpr const char* kTextDatyNekorektne = "DATEN UNKORREKT";
inline constexpr const char* kTextMimoBereich = "WERT AUSSER BEREICH";
inline constexpr const char* kTextMimoOkna = " VORSCHUB AUSSER WICKELFENSTER !";

// Which reversal points of windings steps move; shift targets always move.
struct TSuradnicePosunu {
  bool Lave = true;
  bool Prave = true;
};

// Leftmost / rightmost position of steps od..po: left reversal points (right
// ones for PravaPoloha) of windings steps and targets of shift steps, from
// MaxBreite down / from 0 up.
long double LavaPoloha(const TKontext& k, int od, int po);
long double PravaPoloha(const TKontext& k, int od, int po);
// True when every coordinate of steps od..po that the shift moves stays in
// 0..MaxBreite.
bool KontrolPosun(const TKontext& k, int od, int po, long double posun, TSuradnicePosunu s);

// The typed distance as it is taken: at most 20 characters, a trailing point
// dropped, one decimal kept (cut, not rounded).
std::string TextPosunu(const std::string& panel);

enum class TVysledokPosunu {
  Posunute,   // steps (and bobbin) moved: the window closes
  BezZmeny,   // nothing to shift (no steps, no selection): the window stays as it is
  Odmietnute  // a message told why: the display is emptied, the window stays
};
// The shift of "LINKS" (doprava false) or "RECHTS": takes the typed text into
// VstupText, the signed distance into PosunHodnota, checks and moves steps
// 1..PocetKrokov (celyProgram) or the selected block, and the bobbin with them
// when a bobbin file is set. VstupText is emptied when it is refused.
TVysledokPosunu PosunReverzov(TKontext& k, const std::string& panel, bool doprava, bool celyProgram,
                              TSuradnicePosunu s);

// "Richten": the bobbin's left side onto the leftmost windings edge (or a
// shift step's PRev when smaller). Messages when there is no bobbin file or
// nothing to align to.
void ZarovnajKostricku(TKontext& k);

}  // namespace kvr
