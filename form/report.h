// A banded report, described without any printer: A4 portrait pages in
// millimetres with a page header on every page, a column header below it and
// one detail band per line. The Qt layer lays the bands out on a printer, a
// print preview or a PDF file; tests look at the description and its pages.
#pragma once
#include <string>
#include <vector>

#include "form/form.h"

namespace kvr {

enum class TReportAlign { Left, Center };
enum class TReportLine { None, Solid, Dotted };

struct TReportFont {
  std::string Name = "Arial";
  int Size = 8;  // points
  bool Bold = false;
};

// One field of a band: its place within the band and how its text stands.
// The text stands on one line; a text wider than the field is set narrower
// to fit it.
struct TReportField {
  double Left = 0;    // mm from the band's left edge
  double Top = 0;     // mm from the band's top edge
  double Width = 0;   // mm
  double Height = 0;  // mm
  TReportAlign Align = TReportAlign::Left;
  bool Filled = false;  // Color fills the field
  TColor Color = clWhite;
  // The field shows Text followed by the date and time of printing, in the
  // system's short date and long time format.
  bool DateTime = false;
};

struct TReportBand {
  double Height = 0;  // mm
  TReportLine LineBelow = TReportLine::None;
  bool Filled = false;  // Color fills the whole band
  TColor Color = clWhite;
  TReportFont Font;
  std::vector<TReportField> Fields;
};

struct TReport {
  std::string Title;  // the print job's name
  double PageWidth = 210.0;   // mm, A4 portrait
  double PageHeight = 297.0;
  double MarginLeft = 0;  // the bands' left edge
  double MarginTop = 0;
  double MarginBottom = 0;
  double BandWidth = 0;
  bool PageFrame = false;  // a frame around the bands' area on every page

  TReportBand PageHeader;
  std::vector<std::string> PageHeaderTexts;  // one per field
  TReportBand ColumnHeader;
  std::vector<std::string> ColumnHeaderTexts;
  TReportBand Detail;
  std::vector<std::vector<std::string>> Lines;  // one detail band each, a text per field

  // Detail bands that fit below the two headers of a page (at least 1).
  int LinesPerPage() const;
  // Pages printed: a report without lines still prints its one page of headers.
  int PageCount() const;
  // The lines [first, last) of page p (0-based).
  int FirstLine(int page) const;
  int EndLine(int page) const;
};

}  // namespace kvr
