#include "view/listing.h"

#include <algorithm>
#include <cmath>

#include "model/context.h"
#include "model/numeric.h"
#include "model/program.h"
#include "model/step.h"
#include "view/coil_drawing.h"
#include "view/step_panel_view.h"

namespace kvr {

namespace {

// Colours of the printed bands.
constexpr TColor kAqua = 0x00FFFF;
constexpr TColor kSkyBlue = 0xA6CAF0;
constexpr TColor kLightGrey = 0xD3D3D3;

constexpr int kDesignWidth = 1044;

int Scaled(int w, int design) {
  return static_cast<int>(Round(static_cast<long double>(w) / kDesignWidth * design));
}

std::string Sign(uint8_t smerPosuvu) { return smerPosuvu == 1 ? "<" : ">"; }

bool WindsOrTapes(uint8_t druh) { return druh == kDruhWicklung || druh == kDruhBandagieren; }

}  // namespace

const std::array<std::string_view, kListingColumns>& ListingHeaders() {
  static constexpr std::array<std::string_view, kListingColumns> kHeaders{
      "Schr.",        "  Schrittart  ", "   Wert   ", "  Windungen   ", " Drehz/Richt ", " Bes/Abb ",
      " Vors/Richt ", "  Zyklusart   ", " L.Punkt ",  " R.Punkt ",      " VORSCHLAGFEHLER "};
  return kHeaders;
}

std::string RightAligned(std::string s, size_t n) {
  if (s.size() < n) s.insert(0, n - s.size(), ' ');
  return s;
}

std::vector<std::string> ListingRow(const TKrok& s, uint8_t druhZoznamu, int i) {
  std::vector<std::string> r(kListingColumns);
  const uint8_t druh = s.Druh;
  const long double hodnota = s.Hodnota;
  r[0] = " " + std::to_string(i);
  r[1] = " " + NazovDruhu(druhZoznamu);
  r[2] = druh == kDruhPause ? RightAligned(std::to_string(Round(hodnota)), 8) : FieldText(hodnota, 8, 2);
  if (WindsOrTapes(druh)) {
    r[3] = s.Nulovat == 1 ? " löschen " : "nicht löschen";
    r[4] = RightAligned(std::to_string(static_cast<int32_t>(s.Otacky)), 6) + "   " + (s.SmerOtac == 1 ? "L" : "R");
    r[5] = "   " + std::to_string(s.Rozbeh) + std::to_string(s.Dobeh);
    r[8] = FieldText(s.LRev, 6, 2);
    r[9] = FieldText(s.PRev, 6, 2);
  }
  switch (druh) {
    case kDruhWicklung:
      r[6] = FieldText(s.PosuvMM, 6, 3) + "  " + Sign(s.SmerPosuvu);
      break;
    case kDruhVerschiebung:
      r[6] = RightAligned(std::to_string(Round(s.PosuvMM)), 6);
      break;
    case kDruhSprung:
      r[6] = "        " + Sign(s.SmerPosuvu);
      break;
    default:
      break;
  }
  r[7] = " " + TextTypuCyklu(s.TypCyklu);
  return r;
}

std::array<int, kListingColumns> ListingColumnWidths(int w) {
  return {Scaled(w, 42), 90, 84, 88, 100, 64, 94, Scaled(w, 122), Scaled(w, 60), Scaled(w, 60), Scaled(w, 220)};
}

std::vector<std::vector<std::string>> ListingRows(const TKontext& k, const std::vector<std::string>& chyby) {
  const int n = std::min(k.Program.PocetKrokov, kMaxKrokov);
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<size_t>(std::max(n, 0)) + 1);
  rows.emplace_back(ListingHeaders().begin(), ListingHeaders().end());
  for (int i = 1; i <= n; ++i) {
    rows.push_back(ListingRow(k.Program.Kroky[i], k.BodyKrokov[static_cast<size_t>(i)].Druh, i));
    if (static_cast<size_t>(i) < chyby.size()) rows.back()[kListingErrorColumn] = chyby[static_cast<size_t>(i)];
  }
  return rows;
}

TReport ListingReport(const std::string& menoSuboru, const std::vector<std::vector<std::string>>& cells,
                      int pocetKrokov) {
  struct Place {
    double left, width;
    TReportAlign align;
  };
  static constexpr TReportAlign L = TReportAlign::Left;
  static constexpr TReportAlign C = TReportAlign::Center;
  static constexpr std::array<Place, kListingColumns> kPlaces{{{2.6, 6.9, L},
                                                              {9.3, 15.1, L},
                                                              {24.6, 16.7, C},
                                                              {41.5, 14.3, L},
                                                              {55.8, 18.5, L},
                                                              {74.1, 12.4, L},
                                                              {86.8, 15.9, L},
                                                              {102.9, 18.8, C},
                                                              {122.8, 10.8, C},
                                                              {133.9, 11.1, C},
                                                              {145.5, 49.7, C}}};
  constexpr double kLine = 4.0;  // one line of Arial 8
  constexpr double kRowBand = 5.3;

  TReport r;
  r.Title = "Programm " + menoSuboru;
  r.BandWidth = 196.1;
  r.MarginLeft = (r.PageWidth - r.BandWidth) / 2;
  r.MarginTop = 10.0;
  r.MarginBottom = 10.0;
  r.PageFrame = true;

  r.PageHeader.Height = 8.5;
  r.PageHeader.LineBelow = TReportLine::Dotted;
  r.PageHeader.Font = {"Arial", 10, true};
  TReportField pfad{1.3, 1.5, 156.8, 5.5, L, true, kAqua, false};
  TReportField zeit{159.6, 1.5, 35.3, 5.5, L, true, kSkyBlue, true};
  r.PageHeader.Fields = {pfad, zeit};
  r.PageHeaderTexts = {"  " + menoSuboru, "  "};

  r.ColumnHeader.Height = kRowBand;
  r.ColumnHeader.LineBelow = TReportLine::Solid;
  r.ColumnHeader.Filled = true;
  r.ColumnHeader.Color = kLightGrey;
  r.Detail.Height = kRowBand;
  r.Detail.LineBelow = TReportLine::Solid;
  const double top = (kRowBand - kLine) / 2;
  for (const Place& p : kPlaces) {
    TReportField f{p.left, top, p.width, kLine, p.align, false, clWhite, false};
    r.ColumnHeader.Fields.push_back(f);
    r.Detail.Fields.push_back(f);
  }
  r.ColumnHeaderTexts.assign(ListingHeaders().begin(), ListingHeaders().end());

  // The step number, then the grid's texts of columns 1 to 10.
  for (int n = 1; n <= pocetKrokov; ++n) {
    std::vector<std::string> line(kListingColumns);
    line[0] = std::to_string(n);
    if (static_cast<size_t>(n) < cells.size()) {
      const std::vector<std::string>& row = cells[static_cast<size_t>(n)];
      for (size_t c = 1; c < line.size() && c < row.size(); ++c) line[c] = row[c];
    }
    r.Lines.push_back(std::move(line));
  }
  return r;
}

}  // namespace kvr
