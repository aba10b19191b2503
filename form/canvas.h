// What drawing code asks of a paint box. The station hands it a QPainter on
// the paint box or on an image; tests hand it a canvas that records every call.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "form/form.h"

namespace kvr {

enum class TPenStyle { Solid, Dot };
// How the pen combines with what is drawn already.
enum class TPenMode { Copy, Xor, NotXor };

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

class ICanvas {
 public:
  virtual ~ICanvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPen(TColor color, TPenStyle style = TPenStyle::Solid, int width = 1,
                      TPenMode mode = TPenMode::Copy) = 0;
  virtual void SetBrush(TColor color) = 0;
  // Height in pixels (character height).
  virtual void SetFont(const std::string& family, int height, bool bold) = 0;

  virtual void MoveTo(int x, int y) = 0;
  // Draws from the pen position to (x, y), which becomes the pen position.
  virtual void LineTo(int x, int y) = 0;
  // Filled with the brush and outlined with the pen; the box's right and
  // bottom edges are exclusive.
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  // Text with its top left corner at (x, y); on the given background, or on
  // none (transparent).
  virtual void TextOut(int x, int y, const std::string& text, std::optional<TColor> background) = 0;
};

// A canvas of a given size that draws nothing: a repaint run for what it
// computes (the layer list, the captions), as headless tools need.
class NullCanvas final : public ICanvas {
 public:
  NullCanvas(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPen(TColor, TPenStyle, int, TPenMode) override {}
  void SetBrush(TColor) override {}
  void SetFont(const std::string&, int, bool) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void Rectangle(int, int, int, int) override {}
  void Polygon(const std::vector<TPoint>&) override {}
  void TextOut(int, int, const std::string&, std::optional<TColor>) override {}

 private:
  int width_;
  int height_;
};

struct TMouseEvent {
  int X = 0;
  int Y = 0;
  bool Left = true;  // the left button (down and up events)
  bool Ctrl = false;
};

}  // namespace kvr
