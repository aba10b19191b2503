// Editing ranges of steps without a window: the step clipboard, copy, cut
// (which is also delete), paste, undo and the tap that splits a windings
// step at a turn count. The main window's edit menu asks the operator and
// sends to the machine; these only change the store.
#pragma once
#include <cstdint>

#include "model/program.h"

namespace kvr {

struct TKontext;

// The step clipboard: a copied block keeps its step numbers (block 5..8 lies
// in entries 5..8), every other entry is zero. It lives as long as the
// station, so a block can be moved between programs.
struct TSchranka {
  TKrokyPole SchrankaKrokov;
  int32_t SchrankaOd = 0;  // first and last step of the block; 0 = empty
  int32_t SchrankaDo = 0;
  // The chamber edge taken off the block's reversal points and shift targets
  // at copy time; an empty program gets the block back where it was.
  long double Komora = 0.0L;

  bool Prazdna() const { return SchrankaOd == 0 || SchrankaDo == 0; }
  int Pocet() const { return Prazdna() ? 0 : SchrankaDo - SchrankaOd + 1; }
};

// ciel[i] := zdroj[i] for i = a .. min(b, 350) (from 1 at least).
void KopirujKroky(const TKrokyPole& zdroj, TKrokyPole& ciel, int a, int b);
// ciel[k] := zdroj[i], k := k + 1 for i = a .. b while i <= 350 and k <= 350;
// k keeps counting over several calls.
void PripojKroky(const TKrokyPole& zdroj, TKrokyPole& ciel, int a, int b, int& k);
// The left edge of the first chamber whose walls (plus the bobbin offset)
// hold step n's left reversal point; 0 when none does or n is no step.
long double KomoraKroku(const TKontext& k, int n);
// Moves the block in the clipboard by d: reversal points of every step but
// jumps, pauses and gear changes, and the target of shift steps.
void PosunSchranku(TSchranka& s, long double d);

enum class TBlokVysledok {
  Hotovo,
  ZiadnyBlok,       // no block selected: nothing copied or removed
  PrazdnaSchranka,  // nothing to paste
  PrilisDlhy,       // the program would pass 350 steps: nothing pasted
};

// Copies the block BlokOd..BlokDo into the clipboard, chamber-relative. Does
// not touch the selection.
TBlokVysledok KopirujBlok(TKontext& k, TSchranka& s);
// Copies the block and removes it from the program; AktKrok becomes the step
// before the block (1 when the block began at step 1); sets Zmeneny. Does not
// touch the selection.
TBlokVysledok VystrihniBlok(TKontext& k, TSchranka& s);
// Pastes the clipboard after step AktKrok, moved into the chamber of that
// step; into an empty program at the block's own step numbers, back where it
// was copied from. Sets Zmeneny and recounts. AktKrok is left as it was.
TBlokVysledok VlozBlok(TKontext& k, const TSchranka& s);
// Restores the undo copy and recounts.
void Spat(TKontext& k);

// The tap: the first windings step from AktKrok on in which the turn counter
// passes q (prev < q < its reading); 0 when there is none.
int NajdiOdbocku(const TKontext& k, long double q);
enum class TOdbockaVysledok { Hotovo, Nenajdena, PlnyProgram };
// Splits that step: a copy ending at q with cycle type "Stop" is inserted
// before it, the step itself counts on from q and takes the direction the
// guide has at the end of the new step. AktKrok becomes the new step; the
// layer list is brought up to date. A full program (350 steps) is refused
// before anything changes.
TOdbockaVysledok Odbocka(TKontext& k, long double q);

}  // namespace kvr
