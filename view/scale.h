// The coil drawing's scaling, in one place for the walk, the
// markers, the hit test and the mouse: millimetres along the traverse to x
// pixels, drawing units (heights) to BodY and screen y, and back for the mouse.
#pragma once
#include <cstdint>

namespace kvr {

struct TMierka {
  long double Lava = 0.0L;   // OknoLava, mm
  long double Prava = 0.0L;  // OknoPrava, mm
  int Sirka = 0;             // W, paint box width in pixels
  int Vyska = 0;             // H, paint box height in pixels
  int32_t Posun = 0;         // scroll offset in drawing units

  // x pixel of position p: round((p - Lava) x (W - 15) / (Prava - Lava) + 15),
  // halves to even. Two equal edges put every position at x 15; a result
  // beyond +-kMaxPixel (a position far outside the window) is held there, so
  // no coordinate overflows a canvas.
  int32_t X(long double p) const;
  // BodY of a height: the height rounded, halves to even.
  static int32_t BodY(long double vyska);
  // Screen y of a BodY: H - (BodY - scroll offset).
  int32_t Y(int32_t bodY) const {
    const int64_t y = int64_t{Vyska} - (int64_t{bodY} - Posun);
    return y > INT32_MAX ? INT32_MAX : (y < INT32_MIN ? INT32_MIN : static_cast<int32_t>(y));
  }
  // The position under mouse x: Lava + (Prava - Lava) / (W - 15) x (x - 15),
  // 0 when that is negative.
  long double Poloha(int x) const;

  static constexpr int32_t kMaxPixel = 1000000;
};

// PaintBox1's design size: the box before its first repaint, and the box of
// headless repaints.
constexpr int kSirkaBoxuNavrh = 427;
constexpr int kVyskaBoxuNavrh = 649;

struct TPohlad;

// The scaling in force: the view's window edges, the paint box size in the
// pixels its canvas and mouse use, and the scroll offset (ScrollBar1.Max -
// ScrollBar1.Position).
TMierka Mierka(const TPohlad& v, int sirka, int vyska, int32_t posun);

}  // namespace kvr
