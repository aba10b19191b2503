// The drawing code's canvas on a QPainter. It draws the way the classic canvas
// of the station's home system does, so that the coil drawing keeps its exact
// pixels:
// - no antialiasing anywhere;
// - LineTo draws from the pen position up to, but not including, its end
//   point (a polyline then sets every pixel once, which matters for Xor);
// - a dotted pen of width 1 draws 3 pixels on, 3 off, starting anew with each
//   line; the gaps are left untouched. A dotted pen wider than 1 draws solid;
// - lines wider than 1 have round ends and are centred on the pixels of the
//   thin line;
// - Ellipse and Rectangle cover the box from (x1, y1) up to but not including
//   (x2, y2); a wide outline stays inside the box;
// - Xor and NotXor combine pen and brush with what is there, each primitive
//   touching a pixel once, as the pen modes of the home system do. They need a
//   raster painter (a QImage, a widget's backing store); Copy works anywhere;
// - TextOut places the top left corner of the text's cell at (x, y), in black,
//   on the cell filled with the background colour when one is given; the pen
//   mode does not apply to text, and the pen position stays where it was.
// The canvas is width x height design pixels; a scale other than 1 (the window's
// zoom) enlarges everything on the painter, text and shapes smoothly, lines as
// blocks of their design pixels.
#pragma once
#include <QFont>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form/canvas.h"

class QPainter;

namespace kvr {

// The installed family that stands in for a font family of the home system
// ("Small Fonts", "MS Sans Serif", ...); a family that is installed stays.
QFont QtCanvasFont(const std::string& family, int pixelHeight, bool bold);

class QtCanvas final : public ICanvas {
 public:
  // The painter's state is saved here and restored when the canvas goes.
  QtCanvas(QPainter& p, int width, int height, double scale = 1.0);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void SetPen(TColor color, TPenStyle style = TPenStyle::Solid, int width = 1,
              TPenMode mode = TPenMode::Copy) override;
  void SetBrush(TColor color) override;
  void SetFont(const std::string& family, int height, bool bold) override;

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void TextOut(int x, int y, const std::string& text, std::optional<TColor> background) override;

  TPoint PenPos() const { return {pos_.x(), pos_.y()}; }

 private:
  // What a primitive draws with: colours already combined for the pen mode.
  struct Farby {
    TColor pen;
    TColor brush;
  };
  // Runs paint with the pen mode applied: straight onto the painter in Copy
  // mode, otherwise onto a layer over the design rectangle area that is then
  // combined with the painter's pixels once.
  void Kresli(const QRect& area, const std::function<void(QPainter&, const Farby&)>& paint);
  void ThinLine(QPainter& p, QPoint from, QPoint to, TColor color) const;
  void Outline(QPainter& p, TColor color) const;
  void Shape(int x1, int y1, int x2, int y2, bool ellipse);

  QPainter& p_;
  int width_;
  int height_;
  double scale_;
  TColor penColor_ = clBlack;
  TPenStyle penStyle_ = TPenStyle::Solid;
  int penWidth_ = 1;
  TPenMode penMode_ = TPenMode::Copy;
  TColor brush_ = clWhite;
  QFont font_;
  QPoint pos_{0, 0};
};

}  // namespace kvr
