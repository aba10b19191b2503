#include "qt/report.h"

#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "form/report.h"

namespace kvr {

namespace {

constexpr double kLineMm = 0.2;  // band lines and the page frame

QColor Farba(TColor c) {
  return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF));
}

// Millimetres to device pixels.
struct Mm {
  double d;
  double operator()(double mm) const { return mm * d; }
  QRectF Rect(double x, double y, double w, double h) const { return QRectF(x * d, y * d, w * d, h * d); }
};

QFont FontOf(const TReportFont& f) {
  QFont q;
  q.setFamilies({QString::fromStdString(f.Name)});
  q.setStyleHint(QFont::SansSerif);
  q.setPointSizeF(f.Size);
  q.setBold(f.Bold);
  return q;
}

void Line(QPainter& p, const Mm& mm, double x0, double x1, double y, TReportLine style) {
  if (style == TReportLine::None) return;
  QPen pen(Qt::black);
  pen.setWidthF(std::max(1.0, mm(kLineMm)));
  pen.setStyle(style == TReportLine::Dotted ? Qt::DotLine : Qt::SolidLine);
  p.setPen(pen);
  p.drawLine(QPointF(mm(x0), mm(y)), QPointF(mm(x1), mm(y)));
}

// One band at y mm with its texts; returns the height it took.
double Band(QPainter& p, const Mm& mm, const TReport& r, const TReportBand& b, const std::vector<std::string>& texts,
            double y, const QString& dateTime) {
  const double x0 = r.MarginLeft;
  if (b.Filled) p.fillRect(mm.Rect(x0, y, r.BandWidth, b.Height), Farba(b.Color));
  p.setFont(FontOf(b.Font));
  for (size_t i = 0; i < b.Fields.size(); ++i) {
    const TReportField& f = b.Fields[i];
    const QRectF box = mm.Rect(x0 + f.Left, y + f.Top, f.Width, f.Height);
    if (f.Filled) p.fillRect(box, Farba(f.Color));
    QString text = i < texts.size() ? QString::fromStdString(texts[i]) : QString();
    if (f.DateTime) text += dateTime;
    if (text.isEmpty()) continue;
    p.save();
    p.setClipRect(box);
    p.setPen(Qt::black);
    // One line: a text wider than its field is set narrower until it fits
    // (down to half its width) rather than broken onto a second line that
    // the field would cut.
    // Blanks after a left-aligned text take no room that shows.
    QString shown = text;
    if (f.Align == TReportAlign::Left)
      while (!shown.isEmpty() && shown.back() == QLatin1Char(' ')) shown.chop(1);
    const double wide = p.fontMetrics().horizontalAdvance(shown);
    const double squeeze = wide > box.width() && wide > 0 ? std::max(0.5, box.width() / wide) : 1.0;
    p.translate(box.topLeft());
    p.scale(squeeze, 1.0);
    const QRectF line(0, 0, box.width() / squeeze, box.height());
    const Qt::Alignment a = (f.Align == TReportAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
    p.drawText(line, static_cast<int>(a) | Qt::TextSingleLine, text);
    p.restore();
  }
  Line(p, mm, x0, x0 + r.BandWidth, y + b.Height, b.LineBelow);
  return b.Height;
}

}  // namespace

QString ReportDateTime() {
  const QLocale l = QLocale::system();
  QString time = l.timeFormat(QLocale::LongFormat);
  // The time zone ("t", "tt", ...) with the blanks before it.
  time.remove(QRegularExpression(QStringLiteral("\\s*t+")));
  const QDateTime now = QDateTime::currentDateTime();
  return l.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') + l.toString(now.time(), time.trimmed());
}

void PaintReportPage(QPainter& p, const TReport& r, int page, double dotsPerMm, const QString& dateTime) {
  const Mm mm{dotsPerMm};
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  double y = r.MarginTop;
  y += Band(p, mm, r, r.PageHeader, r.PageHeaderTexts, y, dateTime);
  y += Band(p, mm, r, r.ColumnHeader, r.ColumnHeaderTexts, y, dateTime);
  for (int i = r.FirstLine(page); i < r.EndLine(page); ++i)
    y += Band(p, mm, r, r.Detail, r.Lines[static_cast<size_t>(i)], y, dateTime);
  if (r.PageFrame) {
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, mm(kLineMm)));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(mm.Rect(r.MarginLeft, r.MarginTop, r.BandWidth, r.PageHeight - r.MarginTop - r.MarginBottom));
  }
  p.restore();
}

void PrepareReportPrinter(QPrinter& printer, const TReport& r) {
  printer.setDocName(QString::fromStdString(r.Title));
  printer.setFullPage(true);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                    QPageLayout::Millimeter));
}

bool PrintReportPages(QPagedPaintDevice& device, const TReport& r, const QString& dateTime) {
  QPainter p;
  if (!p.begin(&device)) return false;
  // The sheet's own millimetres, whatever margins the device keeps.
  const QRectF sheet = device.pageLayout().fullRectPixels(device.logicalDpiX());
  const double dotsPerMm = device.logicalDpiX() / 25.4;
  const QPointF origin = device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft() - sheet.topLeft();
  for (int page = 0; page < r.PageCount(); ++page) {
    if (page > 0 && !device.newPage()) return false;
    p.save();
    p.translate(-origin);
    PaintReportPage(p, r, page, dotsPerMm, dateTime);
    p.restore();
  }
  return p.end();
}

bool WriteReportPdf(const TReport& r, const std::string& path, const QString& dateTime) {
  const QString file = QString::fromStdString(path);
  {
    QPdfWriter pdf(file);
    pdf.setTitle(QString::fromStdString(r.Title));
    pdf.setCreator(QStringLiteral("KVR"));
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                  QPageLayout::Millimeter));
    if (!PrintReportPages(pdf, r, dateTime)) return false;
  }
  QFile f(file);
  return f.exists() && f.size() > 0;
}

}  // namespace kvr
