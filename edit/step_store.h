// Storing new steps into the program: insert after the current step, write
// over it, and the undo copy taken before either.
#pragma once
#include "model/step.h"

namespace kvr {

struct TKontext;

// The box shown when the program has no room for another step.
inline constexpr const char* kPlnyProgram = " MAX.WICKLUNGSZAHL ÜBERSCHRITTEN !";

// Inserts r after step AktKrok and makes it the current step; appends when
// AktKrok is at or past the end. False (after the error box) when the program
// has no room: AktKrok is 350, or all 350 steps are taken; nothing changes then.
bool VlozKrok(TKontext& k, const TKrok& r);
// Writes r into step AktKrok (1..350); the program grows to reach it.
void ZapisKrok(TKontext& k, const TKrok& r);
// The undo copy of the whole program, taken before every insert and replace.
void ZalohujProgram(TKontext& k);

}  // namespace kvr
