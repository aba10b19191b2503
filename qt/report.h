// A banded report (form/report.h) laid out on Qt's paint devices: the pages
// of a printer or a PDF file, or one page on any painter (the preview, tests).
#pragma once
#include <QString>
#include <string>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace kvr {

struct TReport;

// The date and time of printing in the system's short date and long time
// format (without a time zone, which the field has no room for).
QString ReportDateTime();

// Paints page `page` (0-based) on a painter whose device is the whole sheet,
// `dotsPerMm` device pixels to the millimetre. dateTime fills the date fields.
void PaintReportPage(QPainter& p, const TReport& r, int page, double dotsPerMm, const QString& dateTime);

// Sets the printer to the report's sheet: A4 portrait, the whole page, no margins.
void PrepareReportPrinter(QPrinter& printer, const TReport& r);

// Every page of the report on the device, one sheet each. False when the
// device cannot be painted on (a file that cannot be written).
bool PrintReportPages(QPagedPaintDevice& device, const TReport& r, const QString& dateTime);

// The report as it prints, as a PDF file. False when the file could not be written.
bool WriteReportPdf(const TReport& r, const std::string& path, const QString& dateTime);

}  // namespace kvr
