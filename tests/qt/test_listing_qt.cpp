// The listing on Qt: the report's pages on paper and in a PDF file, the print
// preview, and the listing window opened by "Kontrolle".
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QScrollBar>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "form/report.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/program.h"
#include "qt/binder.h"
#include "qt/main_window.h"
#include "qt/qt_helpers.h"
#include "qt/qt_ui.h"
#include "qt/report.h"
#include "support/fake_platform.h"
#include "ui/main_window.h"
#include "view/listing.h"

namespace kvr {
namespace {

TReport Report(int steps) {
  std::vector<std::vector<std::string>> cells(kMaxKrokov + 1, std::vector<std::string>(kListingColumns));
  for (int i = 1; i <= steps; ++i) {
    cells[static_cast<size_t>(i)][1] = " WICKLUNG";
    cells[static_cast<size_t>(i)][3] = "nicht löschen";
    cells[static_cast<size_t>(i)][10] = "Err-21, Err-20, ";
  }
  return ListingReport("D:\\WINDING PROGRAMS\\Spule.kvr", cells, steps);
}

// Rows of the page image that a solid line crosses from edge to edge of the
// bands; a line drawn over two pixel rows counts once.
int SolidLines(const TReport& r, int page) {
  const double dpmm = 100 / 25.4;
  QImage img(static_cast<int>(r.PageWidth * dpmm), static_cast<int>(r.PageHeight * dpmm), QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    PaintReportPage(p, r, page, dpmm, QStringLiteral("10.12.26 12:00:00"));
  }
  const int x0 = static_cast<int>(std::ceil((r.MarginLeft + 1.0) * dpmm));
  const int x1 = static_cast<int>((r.MarginLeft + r.BandWidth - 1.0) * dpmm);
  int lines = 0;
  bool inLine = false;
  for (int y = 0; y < img.height(); ++y) {
    int dark = 0;
    for (int x = x0; x < x1; ++x)
      if (qGray(img.pixel(x, y)) < 160) ++dark;
    const bool line = dark > (x1 - x0) * 95 / 100;
    if (line && !inLine) ++lines;
    inLine = line;
  }
  return lines;
}

int PdfPages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QString pdf = QString::fromLatin1(f.readAll());
  return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

TEST(ReportPages, EveryStepPrintsOnceUnderTheHeadersOfItsPage) {
  const TReport r = Report(350);
  const int perPage = r.LinesPerPage();
  ASSERT_GT(perPage, 10);
  const int pages = (350 + perPage - 1) / perPage;
  EXPECT_EQ(r.PageCount(), pages);
  int details = 0;
  for (int p = 0; p < pages; ++p) {
    // The frame's top and bottom edges, the column header's line, then one
    // line under each detail band.
    const int lines = SolidLines(r, p);
    details += lines - 3;
    if (p + 1 < pages) {
      EXPECT_EQ(lines - 3, perPage) << "page " << p;
    }
  }
  EXPECT_EQ(details, 350);

  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("listing.pdf"));
  ASSERT_TRUE(WriteReportPdf(r, pdf.toStdString(), ReportDateTime()));
  EXPECT_EQ(PdfPages(pdf), pages);
}

TEST(ReportPages, NoStepsPrintOnePageOfHeaders) {
  const TReport r = Report(0);
  EXPECT_EQ(SolidLines(r, 0), 3);
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("empty.pdf"));
  ASSERT_TRUE(WriteReportPdf(r, pdf.toStdString(), ReportDateTime()));
  EXPECT_EQ(PdfPages(pdf), 1);
  EXPECT_FALSE(WriteReportPdf(r, dir.filePath(QStringLiteral("no/such/folder/x.pdf")).toStdString(), ReportDateTime()));
}

TEST(ReportPages, TheHeaderFieldsAreFilledWithTheirColours) {
  const TReport r = Report(1);
  const double dpmm = 100 / 25.4;
  QImage img(static_cast<int>(r.PageWidth * dpmm), static_cast<int>(r.PageHeight * dpmm), QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    PaintReportPage(p, r, 0, dpmm, QStringLiteral("x"));
  }
  auto at = [&](double xMm, double yMm) {
    return img.pixelColor(static_cast<int>(xMm * dpmm), static_cast<int>(yMm * dpmm));
  };
  const double top = r.MarginTop;
  // Near the right end of each field, where no text stands.
  EXPECT_EQ(at(r.MarginLeft + 155.0, top + 6.5), QColor(0x00, 0xFF, 0xFF));
  EXPECT_EQ(at(r.MarginLeft + 194.0, top + 6.5), QColor(0xA6, 0xCA, 0xF0));
  EXPECT_EQ(at(r.MarginLeft + 140.0, top + 8.5 + 0.6), QColor(0xD3, 0xD3, 0xD3));
}

TEST(ReportDateTimeTest, HasNoTimeZone) {
  const QString t = ReportDateTime();
  EXPECT_FALSE(t.isEmpty());
  EXPECT_FALSE(t.contains(QStringLiteral("UTC")));
  EXPECT_TRUE(t.contains(QLatin1Char(':')));
}

// ---- The station ------------------------------------------------------------------

class ListingWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ui.SetKontext(prog.Kontext());
    ui.Binder().Dispatch([this] { prog.FormCreate(); });
    TKontext& k = prog.Kontext();
    for (int i = 1; i <= 40; ++i) {
      TKrok& s = k.Program.Kroky[i];
      s.Druh = kDruhWicklung;
      s.TypCyklu = i == 40 ? 0 : 1;
      s.Hodnota = 100.0L * i;
      s.PosuvMM = 0.5L;
      s.LRev = 10.0L;
      s.PRev = 20.0L;
      s.Otacky = 1000;
      s.Nulovat = 0;  // never cleared: Err-22 on the last row
      k.BodyKrokov[static_cast<size_t>(i)].Druh = kDruhWicklung;
    }
    PrepocitajKroky(k.Program);
  }

  test::UnexpectedBoxGuard guard;
  QTemporaryDir dir;
  test::FakePlatform pl{dir.filePath(QStringLiteral("drives")).toStdString(), dir.path().toStdString()};
  QtUi ui;
  TProg prog{ui, pl};
  QtMainWindow okno{prog, ui.Binder()};
};

TEST_F(ListingWindowTest, KontrolleOpensTheListingWithItsMarksAndPrintOpensThePreview) {
  bool listed = false;
  bool previewed = false;
  test::WhenModal<QDialog>([&](QDialog* d) {
    auto* t = d->findChild<QTableWidget*>(QStringLiteral("ListingGrid"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rowCount(), 40);
    EXPECT_EQ(t->columnCount(), 11);
    EXPECT_EQ(t->horizontalHeaderItem(10)->text(), QStringLiteral(" VORSCHLAGFEHLER "));
    EXPECT_EQ(t->item(39, 10)->text(), QStringLiteral("Err-22, "));
    EXPECT_EQ(t->item(0, 1)->text(), QStringLiteral(" WICKLUNG"));
    EXPECT_EQ(t->verticalScrollBar()->value(), 0);
    EXPECT_GE(d->minimumWidth(), 1000);
    listed = true;
    // PRINT: the preview, closed again by the operator.
    test::WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* p) {
      previewed = true;
      p->reject();
    });
    QAction* print = d->findChild<QAction*>(QStringLiteral("mnPrint"));
    ASSERT_NE(print, nullptr);
    print->trigger();
    d->close();
  });
  ui.Binder().Dispatch([this] { prog.optionsMenu.mnKontrol.Click(); });
  EXPECT_TRUE(listed);
  EXPECT_TRUE(previewed);
}

TEST_F(ListingWindowTest, ErrorDescriptionsOpenedFromTheListingTakeInput) {
  bool shown = false;
  test::WhenModal<QDialog>([&](QDialog* d) {
    QAction* fehler = d->findChild<QAction*>(QStringLiteral("mnChyby"));
    ASSERT_NE(fehler, nullptr);
    EXPECT_EQ(fehler->text(), QStringLiteral(" FEHLER "));
    // No "Errors.de" in the test's folder: the general error report says so.
    test::WhenModal<QMessageBox>([](QMessageBox* box) { box->accept(); });
    fehler->trigger();
    test::Spracuj(200);
    const QtFormView* v = ui.Binder().Find(prog.fErrors);
    ASSERT_NE(v, nullptr);
    ASSERT_NE(v->Window(), nullptr);
    EXPECT_TRUE(v->Window()->isVisible());
    // Shown over the modal listing, it is modal itself, so the operator can use it.
    EXPECT_EQ(v->Window()->windowModality(), Qt::ApplicationModal);
    shown = true;
    ui.Binder().Dispatch([this] { prog.fErrors.Close(); });
    test::Spracuj();
    EXPECT_EQ(v->Window()->windowModality(), Qt::NonModal);
    d->close();
  });
  ui.Binder().Dispatch([this] { prog.optionsMenu.mnKontrol.Click(); });
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace kvr
