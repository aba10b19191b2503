// Window places kept in the desktop record.
#pragma once
#include "ui/form.h"

namespace kvr {

struct TKontext;

// Places a window at its slot's stored Left and Top; a place at or beyond the
// screen size minus 50 pixels falls back to 100.
void UmiestniOkno(TKontext& k, TForm& f, int slot);
// Stores a window's Left, Top, Height and Width into its slot.
void UlozMiestoOkna(TKontext& k, const TForm& f, int slot);

}  // namespace kvr
