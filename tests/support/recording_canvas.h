// A canvas that records every call with the pen, brush and font in force, and
// answers questions about what was drawn. Header-only.
#pragma once
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "form/canvas.h"

namespace kvr::test {

class RecordingCanvas : public ICanvas {
 public:
  enum class Op { SetPen, SetBrush, SetFont, MoveTo, LineTo, Ellipse, Rectangle, Polygon, TextOut };

  struct Pen {
    TColor Color = clBlack;
    TPenStyle Style = TPenStyle::Solid;
    int Width = 1;
    TPenMode Mode = TPenMode::Copy;
  };

  struct Call {
    Op op = Op::MoveTo;
    TPoint from{};  // pen position before the call
    // MoveTo, LineTo: the point in x1, y1. Ellipse, Rectangle: the box.
    // TextOut: the corner in x1, y1.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::vector<TPoint> points{};  // Polygon
    std::string text{};            // TextOut
    std::optional<TColor> background{};
    // State in force for the call (after it, for SetPen, SetBrush, SetFont).
    Pen pen{};
    TColor brush = clWhite;
    std::string font{};
    int fontHeight = 0;
    bool bold = false;

    TPoint To() const { return {x1, y1}; }
  };

  // A line drawn with LineTo.
  struct Segment {
    TPoint from{};
    TPoint to{};
    Pen pen{};
  };

  explicit RecordingCanvas(int width = 427, int height = 649) : width_(width), height_(height) {}

  // Pen moves are not recorded when false (they still move the pen).
  bool recordMoves = true;
  std::vector<Call> calls;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void SetPen(TColor color, TPenStyle style = TPenStyle::Solid, int width = 1,
              TPenMode mode = TPenMode::Copy) override {
    pen_ = {color, style, width, mode};
    Record(Op::SetPen);
  }
  void SetBrush(TColor color) override {
    brush_ = color;
    Record(Op::SetBrush);
  }
  void SetFont(const std::string& family, int height, bool bold) override {
    font_ = family;
    fontHeight_ = height;
    bold_ = bold;
    Record(Op::SetFont);
  }
  void MoveTo(int x, int y) override {
    if (recordMoves) At(Record(Op::MoveTo), x, y);
    pos_ = {x, y};
  }
  void LineTo(int x, int y) override {
    At(Record(Op::LineTo), x, y);
    pos_ = {x, y};
  }
  void Ellipse(int x1, int y1, int x2, int y2) override { At(Record(Op::Ellipse), x1, y1, x2, y2); }
  void Rectangle(int x1, int y1, int x2, int y2) override { At(Record(Op::Rectangle), x1, y1, x2, y2); }
  void Polygon(const std::vector<TPoint>& points) override { Record(Op::Polygon).points = points; }
  void TextOut(int x, int y, const std::string& text, std::optional<TColor> background) override {
    Call& c = At(Record(Op::TextOut), x, y);
    c.text = text;
    c.background = background;
  }

  // --- Queries ---------------------------------------------------------------
  void Clear() { calls.clear(); }
  TPoint PenPos() const { return pos_; }
  const Pen& CurrentPen() const { return pen_; }

  std::vector<Call> Of(Op op) const {
    std::vector<Call> r;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(r), [op](const Call& c) { return c.op == op; });
    return r;
  }
  std::size_t Count(Op op) const {
    return static_cast<std::size_t>(std::count_if(calls.begin(), calls.end(), [op](const Call& c) { return c.op == op; }));
  }
  std::vector<Segment> Lines() const {
    std::vector<Segment> r;
    for (const Call& c : calls)
      if (c.op == Op::LineTo) r.push_back({c.from, c.To(), c.pen});
    return r;
  }
  // Lines drawn in one colour.
  std::vector<Segment> LinesIn(TColor color) const {
    std::vector<Segment> r;
    for (const Segment& s : Lines())
      if (s.pen.Color == color) r.push_back(s);
    return r;
  }
  bool HasLine(TPoint from, TPoint to) const {
    for (const Segment& s : Lines())
      if (s.from == from && s.to == to) return true;
    return false;
  }
  std::vector<Call> Texts() const { return Of(Op::TextOut); }
  // The text calls with exactly this text.
  std::vector<Call> TextsWith(const std::string& text) const {
    std::vector<Call> r;
    for (const Call& c : calls)
      if (c.op == Op::TextOut && c.text == text) r.push_back(c);
    return r;
  }
  // Every pen colour used by drawing calls (lines and shapes), in order.
  std::vector<TColor> DrawingColors() const {
    std::vector<TColor> r;
    for (const Call& c : calls)
      if (c.op == Op::LineTo || c.op == Op::Ellipse || c.op == Op::Rectangle || c.op == Op::Polygon)
        r.push_back(c.pen.Color);
    return r;
  }

 private:
  static Call& At(Call& c, int x1, int y1, int x2 = 0, int y2 = 0) {
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    return c;
  }
  Call& Record(Op op) {
    Call c;
    c.op = op;
    c.from = pos_;
    c.pen = pen_;
    c.brush = brush_;
    c.font = font_;
    c.fontHeight = fontHeight_;
    c.bold = bold_;
    calls.push_back(std::move(c));
    return calls.back();
  }

  int width_;
  int height_;
  Pen pen_{};
  TColor brush_ = clWhite;
  std::string font_;
  int fontHeight_ = 0;
  bool bold_ = false;
  TPoint pos_{};
};

}  // namespace kvr::test
