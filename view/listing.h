// The program listing as texts: the eleven columns of the listing window's
// grid, one row per step, the grid's column widths for a window width, and
// the printed report of the listing. Qt-free, so the station, the tests and
// the command-line tool build the same texts.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "form/report.h"

namespace kvr {

struct TKrok;
struct TKontext;

inline constexpr int kListingColumns = 11;
inline constexpr int kListingErrorColumn = 10;

// Row 0 of the grid, and the report's column header.
const std::array<std::string_view, kListingColumns>& ListingHeaders();

// Columns 0 to 9 of step i's row, column 10 (the program check's) empty.
// druhZoznamu is the step's displayed kind from the layer list (column 1);
// every other column goes by the step's stored Druh.
std::vector<std::string> ListingRow(const TKrok& s, uint8_t druhZoznamu, int i);

// s preceded by blanks up to n characters; a longer text stays as it is.
std::string RightAligned(std::string s, size_t n);

// The grid's column widths for a window w pixels wide: columns 0, 7, 8, 9 and
// 10 in proportion to the design width of 1044, columns 1 to 6 fixed.
std::array<int, kListingColumns> ListingColumnWidths(int w);

// The listing of the program in the store with the error column given:
// row 0 the headers, rows 1..PocetKrokov the steps (the kind from the layer
// list BodyKrokov). chyby[i] is step i's error cell; missing entries are empty.
std::vector<std::vector<std::string>> ListingRows(const TKontext& k, const std::vector<std::string>& chyby);

// The printed listing (A4 portrait, page header with the program's path and
// the date and time of printing, column header, one detail band per step):
// the detail lines are rows 1..pocetKrokov of the grid's cells, the step
// number first, as the grid shows them.
TReport ListingReport(const std::string& menoSuboru, const std::vector<std::vector<std::string>>& cells,
                      int pocetKrokov);

}  // namespace kvr
