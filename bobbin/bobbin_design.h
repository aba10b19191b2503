// The bobbin editor's computable part: the texts its panels show for a
// record, the numbers those texts stand for, a page of ten chambers shown and
// taken back, and the checks of an entered edge.
#pragma once
#include <array>
#include <string>

#include "model/bobbin.h"

namespace kvr {

// Keypad code of a bobbin coordinate: one decimal kept.
inline constexpr int kDruhKoordinataKostricky = 18;
inline constexpr int kKomorNaStranu = 10;

inline constexpr const char* kTextMimoRozsah = "HODNOTA MIMO ROZSAH";
inline constexpr const char* kTextLavaStranaNula = "Linke Seite der Spule ist immer  = 0";

// A coordinate as the panels show it: one decimal, at least three characters
// wide ("0.0", "12.5", "120.0").
std::string TextSuradnice(long double x);
// A panel's text as a number: the whole text when it converts, otherwise the
// number read up to the first wrong character; 0 when nothing converts.
long double HodnotaTextu(const std::string& text);

// The texts of one page: left and right edges of chambers o+1..o+10.
struct TStranaKomor {
  std::array<std::string, kKomorNaStranu> Lave;
  std::array<std::string, kKomorNaStranu> Prave;
};
// Page offset o is 0 (chambers 1..10) or 10 (chambers 11..20).
TStranaKomor ZobrazStranu(const TKostricka& kostricka, int o);
// Takes a page's texts back into the record. On the first page chamber 1's
// left edge, the bobbin's left side, is 0 whatever its panel shows.
void UlozStranu(TKostricka& kostricka, const TStranaKomor& strana, int o);

// "Neu": no chambers, no description, 10.0 mm from the machine's zero.
TKostricka NovaKostricka();

enum class TKontrolaHrany { Ok, MimoRozsah, LavaStranaNula };
// An entered edge: above the machine's width it is out of range; chamber 1's
// left edge cannot be changed at all.
TKontrolaHrany SkontrolujHranu(long double hodnota, long double maxBreite, bool lavaStranaKostricky);

}  // namespace kvr
