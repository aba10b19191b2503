#include "qt/qt_canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <cstdlib>
#include <functional>
#include <string>

namespace kvr {
namespace {

constexpr TColor kCyan = 0x00FFFF;
constexpr TColor kBlue = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;

QImage Plocha(int w, int h, TColor c = clWhite) {
  QImage im(w, h, QImage::Format_RGB32);
  im.fill(QColor(static_cast<QRgb>(c)));
  return im;
}

TColor Px(const QImage& im, int x, int y) { return im.pixel(x, y) & 0xFFFFFF; }

// Draws on im through a canvas of im's size at scale 1.
void Kresli(QImage& im, const std::function<void(QtCanvas&)>& fn) {
  QPainter p(&im);
  QtCanvas c(p, im.width(), im.height());
  fn(c);
}

int Pocet(const QImage& im, TColor c) {
  int n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (Px(im, x, y) == c) ++n;
  return n;
}

TEST(QtCanvasTest, LineSetsEveryPixelFromItsStartUpToButNotItsEnd) {
  const struct {
    TPoint from;
    TPoint to;
  } cases[] = {
      {{2, 5}, {12, 5}},    // right
      {{12, 7}, {2, 7}},    // left
      {{3, 1}, {3, 11}},    // down
      {{15, 14}, {5, 4}},   // up and left, diagonal
      {{1, 20}, {11, 24}},  // shallow
      {{20, 2}, {17, 12}},  // steep, leftwards
  };
  for (const auto& c : cases) {
    QImage im = Plocha(32, 32);
    Kresli(im, [&c](QtCanvas& cv) {
      cv.MoveTo(c.from.X, c.from.Y);
      cv.LineTo(c.to.X, c.to.Y);
      EXPECT_EQ(cv.PenPos(), c.to);
    });
    const int len = std::max(std::abs(c.to.X - c.from.X), std::abs(c.to.Y - c.from.Y));
    EXPECT_EQ(Pocet(im, clBlack), len) << c.from.X << "," << c.from.Y;
    EXPECT_EQ(Px(im, c.from.X, c.from.Y), clBlack) << c.from.X << "," << c.from.Y;
    EXPECT_EQ(Px(im, c.to.X, c.to.Y), clWhite) << c.to.X << "," << c.to.Y;
  }

  // A polyline sets its corners once: by the line that leaves them.
  QImage im = Plocha(32, 32);
  Kresli(im, [](QtCanvas& cv) {
    cv.SetPen(clRed);
    cv.MoveTo(2, 2);
    cv.LineTo(10, 2);
    cv.LineTo(10, 9);
  });
  EXPECT_EQ(Px(im, 10, 2), clRed);
  EXPECT_EQ(Px(im, 10, 8), clRed);
  EXPECT_EQ(Px(im, 10, 9), clWhite);
  EXPECT_EQ(Pocet(im, clRed), 15);
}

TEST(QtCanvasTest, DottedPenDrawsThreeOnThreeOffAndAWideOneSolid) {
  QImage im = Plocha(40, 10);
  Kresli(im, [](QtCanvas& cv) {
    cv.SetPen(kGreen, TPenStyle::Dot);
    cv.MoveTo(0, 2);
    cv.LineTo(31, 2);
    // Wider than 1: solid, centred on the thin line's pixels.
    cv.SetPen(clBlack, TPenStyle::Dot, 3);
    cv.MoveTo(5, 6);
    cv.LineTo(25, 6);
  });
  for (int x = 0; x < 31; ++x) EXPECT_EQ(Px(im, x, 2), x % 6 < 3 ? kGreen : clWhite) << x;
  EXPECT_EQ(Px(im, 31, 2), clWhite);
  for (int x = 5; x <= 25; ++x)
    for (int y = 5; y <= 7; ++y) EXPECT_EQ(Px(im, x, y), clBlack) << x << "," << y;
  EXPECT_EQ(Px(im, 15, 4), clWhite);
  EXPECT_EQ(Px(im, 15, 8), clWhite);
}

TEST(QtCanvasTest, EllipseAndRectangleAreFilledAndEndBeforeTheirRightAndBottomEdges) {
  QImage im = Plocha(40, 20);
  Kresli(im, [](QtCanvas& cv) {
    cv.SetPen(clRed);
    cv.SetBrush(kBlue);
    cv.Ellipse(2, 2, 13, 13);
    cv.Rectangle(20, 2, 30, 10);
  });
  EXPECT_EQ(Px(im, 7, 7), kBlue);
  EXPECT_EQ(Px(im, 2, 7), clRed);
  EXPECT_EQ(Px(im, 12, 7), clRed);
  EXPECT_EQ(Px(im, 7, 12), clRed);
  EXPECT_EQ(Px(im, 13, 7), clWhite);
  EXPECT_EQ(Px(im, 7, 13), clWhite);
  EXPECT_EQ(Px(im, 1, 7), clWhite);
  EXPECT_EQ(Px(im, 2, 2), clWhite);  // outside the round

  EXPECT_EQ(Px(im, 20, 2), clRed);
  EXPECT_EQ(Px(im, 29, 9), clRed);
  EXPECT_EQ(Px(im, 25, 6), kBlue);
  EXPECT_EQ(Px(im, 30, 9), clWhite);
  EXPECT_EQ(Px(im, 29, 10), clWhite);
}

TEST(QtCanvasTest, PolygonIsFilled) {
  QImage im = Plocha(50, 40);
  // An arrow marker with its tip at (40, 30).
  Kresli(im, [](QtCanvas& cv) {
    cv.SetPen(clBlack);
    cv.SetBrush(clYellow);
    cv.Polygon({{24, 34}, {40, 30}, {24, 26}});
  });
  EXPECT_EQ(Px(im, 28, 30), clYellow);
  EXPECT_EQ(Px(im, 24, 30), clBlack);
  EXPECT_EQ(Px(im, 40, 30), clBlack);
  EXPECT_EQ(Px(im, 20, 30), clWhite);
  EXPECT_EQ(Px(im, 42, 30), clWhite);
  EXPECT_EQ(Px(im, 38, 26), clWhite);
  EXPECT_GT(Pocet(im, clYellow), 30);
}

TEST(QtCanvasTest, TextSitsBelowAndRightOfItsPointOnAnOptionalBackground) {
  const QFont font = QtCanvasFont("Small Fonts", 10, true);
  EXPECT_EQ(font.pixelSize(), 10);
  EXPECT_TRUE(font.bold());
  const QFontMetrics fm(font);
  const int w = fm.horizontalAdvance(QStringLiteral("88"));
  const int h = fm.height();
  ASSERT_GT(w, 4);

  QImage im = Plocha(60, 50);
  Kresli(im, [](QtCanvas& cv) {
    cv.SetFont("Small Fonts", 10, true);
    cv.MoveTo(1, 1);
    cv.TextOut(5, 5, "88", clYellow);
    cv.TextOut(5, 30, "88", std::nullopt);
    // Text leaves the pen where it was.
    EXPECT_EQ(cv.PenPos(), (TPoint{1, 1}));
  });
  int ink = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) {
      const TColor c = Px(im, x, y);
      const bool inCell = x >= 5 && x < 5 + w && y >= 5 && y < 5 + h;
      const bool inSecond = x >= 5 && x < 5 + w && y >= 30 && y < 30 + h;
      if (inCell) {
        EXPECT_TRUE(c == clYellow || c == clBlack) << x << "," << y;
        if (c == clBlack) ++ink;
      } else if (inSecond) {
        EXPECT_TRUE(c == clWhite || c == clBlack) << x << "," << y;
      } else {
        EXPECT_EQ(c, clWhite) << x << "," << y;
      }
    }
  EXPECT_GT(ink, 10);
  EXPECT_GT(Pocet(im, clYellow), w * h / 3);
  // Crisp: no antialiased grey anywhere.
  EXPECT_EQ(Pocet(im, clWhite) + Pocet(im, clBlack) + Pocet(im, clYellow), im.width() * im.height());
}

TEST(QtCanvasTest, XorCombinesEachPixelOnceAndTwiceRestores) {
  QImage pozadie = Plocha(48, 40);
  Kresli(pozadie, [](QtCanvas& cv) {
    cv.SetPen(kBlue);
    cv.SetBrush(clLime);
    cv.Rectangle(0, 20, 48, 40);
  });
  auto sada = [](QtCanvas& cv, TPenMode mode) {
    cv.SetPen(clRed, TPenStyle::Solid, 1, mode);
    cv.SetBrush(kBlue);
    cv.MoveTo(1, 1);
    cv.LineTo(40, 1);
    cv.LineTo(40, 30);
    cv.Ellipse(4, 4, 18, 18);
    cv.Rectangle(20, 14, 36, 30);
    cv.Polygon({{5, 38}, {20, 25}, {5, 25}});
    cv.SetPen(clYellow, TPenStyle::Dot, 1, mode);
    cv.MoveTo(0, 36);
    cv.LineTo(47, 36);
    cv.SetPen(clBlack, TPenStyle::Solid, 3, mode);
    cv.MoveTo(44, 4);
    cv.LineTo(44, 36);
  };
  for (TPenMode mode : {TPenMode::Xor, TPenMode::NotXor}) {
    QImage im = pozadie.copy();
    Kresli(im, [&](QtCanvas& cv) {
      sada(cv, mode);
      sada(cv, mode);
    });
    EXPECT_EQ(im, pozadie) << static_cast<int>(mode);
  }

  QImage im = Plocha(30, 30);
  Kresli(im, [](QtCanvas& cv) {
    cv.SetPen(clRed, TPenStyle::Solid, 1, TPenMode::Xor);
    cv.SetBrush(kBlue);
    cv.Ellipse(2, 2, 20, 20);
    cv.MoveTo(0, 25);
    cv.LineTo(10, 25);
    cv.SetPen(clRed, TPenStyle::Solid, 1, TPenMode::NotXor);
    cv.MoveTo(0, 27);
    cv.LineTo(10, 27);
  });
  EXPECT_EQ(Px(im, 5, 25), kCyan);   // red xor white
  EXPECT_EQ(Px(im, 5, 27), clRed);   // not (red xor white)
  EXPECT_EQ(Px(im, 11, 11), clYellow);  // blue xor white
  EXPECT_EQ(Px(im, 2, 11), kCyan);
  // Fill and outline never meet on a pixel: that would xor it twice (green).
  EXPECT_EQ(Pocet(im, kGreen), 0);
  EXPECT_EQ(Pocet(im, clWhite) + Pocet(im, kCyan) + Pocet(im, clYellow) + Pocet(im, clRed),
            im.width() * im.height());
}

TEST(QtCanvasTest, ScaleEnlargesDesignPixelsAndTheCanvasClipsToItsArea) {
  QImage im = Plocha(50, 50);
  {
    QPainter p(&im);
    {
      QtCanvas cv(p, 20, 20, 2.0);
      EXPECT_EQ(cv.Width(), 20);
      EXPECT_EQ(cv.Height(), 20);
      cv.MoveTo(2, 3);
      cv.LineTo(6, 3);
      // Beyond the canvas (20 x 20 design pixels = 40 x 40): cut off.
      cv.MoveTo(0, 22);
      cv.LineTo(24, 22);
    }
    // The painter is as it was before the canvas.
    EXPECT_TRUE(p.worldTransform().isIdentity());
    EXPECT_FALSE(p.hasClipping());
  }
  for (int x = 4; x < 12; ++x)
    for (int y = 6; y < 8; ++y) EXPECT_EQ(Px(im, x, y), clBlack) << x << "," << y;
  EXPECT_EQ(Px(im, 12, 6), clWhite);
  EXPECT_EQ(Px(im, 8, 5), clWhite);
  EXPECT_EQ(Px(im, 8, 8), clWhite);
  EXPECT_EQ(Pocet(im, clBlack), 16);
}

TEST(QtCanvasTest, HomeSystemFontsMapToInstalledOnes) {
  for (const char* family : {"Small Fonts", "MS Sans Serif", "Arial", "Courier New"}) {
    const QFont f = QtCanvasFont(family, 12, false);
    EXPECT_NE(f.family(), QString::fromLatin1(family)) << family;
    EXPECT_EQ(f.pixelSize(), 12);
    EXPECT_EQ(f.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
  }
  EXPECT_EQ(QtCanvasFont("Small Fonts", 10, false).stretch(), QFont::SemiCondensed);
  EXPECT_EQ(QtCanvasFont("Keine Schrift", 9, false).family(), QtCanvasFont("Arial", 9, false).family());
}

}  // namespace
}  // namespace kvr
