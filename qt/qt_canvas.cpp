#include "qt/qt_canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QTransform>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace kvr {

namespace {

QColor Farba(TColor c) { return QColor(static_cast<QRgb>(c & 0xFFFFFF)); }

// Home system families and the installed ones drawn instead. "Small Fonts" is
// a narrow bitmap face: the semi-condensed sans comes closest in width.
struct TNahrada {
  std::string_view doma;
  std::string_view tu;
  int stretch;
};
constexpr TNahrada kNahrady[] = {
    {"Small Fonts", "DejaVu Sans", QFont::SemiCondensed},
    {"MS Sans Serif", "DejaVu Sans", QFont::Unstretched},
    {"Microsoft Sans Serif", "DejaVu Sans", QFont::Unstretched},
    {"Arial", "DejaVu Sans", QFont::Unstretched},
    {"Tahoma", "DejaVu Sans", QFont::Unstretched},
    {"Verdana", "DejaVu Sans", QFont::Unstretched},
    {"Segoe UI", "DejaVu Sans", QFont::Unstretched},
    {"System", "DejaVu Sans", QFont::Unstretched},
    {"Courier New", "DejaVu Sans Mono", QFont::Unstretched},
    {"Courier", "DejaVu Sans Mono", QFont::Unstretched},
    {"Fixedsys", "DejaVu Sans Mono", QFont::Unstretched},
    {"Terminal", "DejaVu Sans Mono", QFont::Unstretched},
    {"Lucida Console", "DejaVu Sans Mono", QFont::Unstretched},
    {"Times New Roman", "DejaVu Serif", QFont::Unstretched},
};
constexpr std::string_view kPredvolena = "DejaVu Sans";

bool RovnakeMeno(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Every pixel a thin line from a up to b (b excluded) sets, as runs of
// neighbouring pixels in one row or column; dotted lines leave every other
// three pixels out.
template <class F>
void ThinLinePixels(QPoint a, QPoint b, bool dotted, F run) {
  int x = a.x();
  int y = a.y();
  const int dx = std::abs(b.x() - x);
  const int dy = -std::abs(b.y() - y);
  const int sx = x < b.x() ? 1 : -1;
  const int sy = y < b.y() ? 1 : -1;
  int err = dx + dy;
  bool inRun = false;
  QPoint r0;
  QPoint r1;
  auto flush = [&] {
    if (inRun) run(QRect(QPoint(std::min(r0.x(), r1.x()), std::min(r0.y(), r1.y())),
                         QPoint(std::max(r0.x(), r1.x()), std::max(r0.y(), r1.y()))));
    inRun = false;
  };
  for (int i = 0; x != b.x() || y != b.y(); ++i) {
    if (!dotted || i % 6 < 3) {
      const bool row = y == r1.y() && r0.y() == r1.y() && std::abs(x - r1.x()) == 1;
      const bool column = x == r1.x() && r0.x() == r1.x() && std::abs(y - r1.y()) == 1;
      if (inRun && (row || column)) {
        r1 = QPoint(x, y);
      } else {
        flush();
        r0 = r1 = QPoint(x, y);
        inRun = true;
      }
    } else {
      flush();
    }
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  flush();
}

}  // namespace

QFont QtCanvasFont(const std::string& family, int pixelHeight, bool bold) {
  QString meno;
  int stretch = QFont::Unstretched;
  for (const TNahrada& n : kNahrady)
    if (RovnakeMeno(family, n.doma)) {
      meno = Q(n.tu);
      stretch = n.stretch;
      break;
    }
  if (meno.isEmpty()) {
    const QString vlastne = QString::fromStdString(family);
    meno = !vlastne.isEmpty() && QFontDatabase::hasFamily(vlastne) ? vlastne : Q(kPredvolena);
  }
  QFont f(meno);
  f.setStretch(stretch);
  f.setPixelSize(std::max(1, pixelHeight));
  f.setBold(bold);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QtCanvas::QtCanvas(QPainter& p, int width, int height, double scale)
    : p_(p),
      width_(std::max(0, width)),
      height_(std::max(0, height)),
      scale_(scale > 0 ? scale : 1.0),
      font_(QtCanvasFont("MS Sans Serif", 11, false)) {
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing, false);
  p_.setRenderHint(QPainter::TextAntialiasing, false);
  p_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p_.scale(scale_, scale_);
  // Like a paint box, the canvas draws inside its own area only.
  p_.setClipRect(QRect(0, 0, width_, height_), Qt::IntersectClip);
}

QtCanvas::~QtCanvas() { p_.restore(); }

void QtCanvas::SetPen(TColor color, TPenStyle style, int width, TPenMode mode) {
  penColor_ = color & 0xFFFFFF;
  penStyle_ = style;
  penWidth_ = std::max(1, width);
  penMode_ = mode;
}

void QtCanvas::SetBrush(TColor color) { brush_ = color & 0xFFFFFF; }

void QtCanvas::SetFont(const std::string& family, int height, bool bold) {
  font_ = QtCanvasFont(family, height, bold);
}

void QtCanvas::MoveTo(int x, int y) { pos_ = QPoint(x, y); }

void QtCanvas::Kresli(const QRect& area, const std::function<void(QPainter&, const Farby&)>& paint) {
  if (penMode_ == TPenMode::Copy) {
    paint(p_, Farby{penColor_, brush_});
    return;
  }
  // Xor with a colour, and NotXor as Xor with its complement: not (pen xor
  // screen) = (not pen) xor screen. What the layer leaves transparent xors
  // with 0 and stays as it was.
  const Farby f = penMode_ == TPenMode::Xor ? Farby{penColor_, brush_}
                                            : Farby{~penColor_ & 0xFFFFFFu, ~brush_ & 0xFFFFFFu};
  const QPaintDevice* dev = p_.device();
  if (dev == nullptr) return;
  // The layer covers what the primitive may touch within the canvas.
  const QTransform& t = p_.worldTransform();
  const QRect devRect = t.mapRect(QRectF(area))
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1)
                            .intersected(t.mapRect(QRectF(0, 0, width_, height_)).toAlignedRect());
  if (devRect.isEmpty()) return;
  const qreal dpr = dev->devicePixelRatioF();
  const QSize layerSize(static_cast<int>(std::ceil(devRect.width() * dpr)),
                        static_cast<int>(std::ceil(devRect.height() * dpr)));
  QImage layer(layerSize, QImage::Format_ARGB32_Premultiplied);
  layer.setDevicePixelRatio(dpr);
  layer.fill(Qt::transparent);
  {
    QPainter lp(&layer);
    lp.setRenderHint(QPainter::Antialiasing, false);
    lp.setWorldTransform(p_.worldTransform() * QTransform::fromTranslate(-devRect.x(), -devRect.y()));
    paint(lp, f);
  }
  p_.save();
  p_.resetTransform();
  p_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p_.drawImage(devRect.topLeft(), layer);
  p_.restore();
}

void QtCanvas::ThinLine(QPainter& p, QPoint from, QPoint to, TColor color) const {
  const QColor c = Farba(color);
  ThinLinePixels(from, to, penStyle_ == TPenStyle::Dot, [&p, &c](const QRect& r) { p.fillRect(r, c); });
}

void QtCanvas::LineTo(int x, int y) {
  const QPoint from = pos_;
  const QPoint to(x, y);
  pos_ = to;
  if (from == to) return;
  const int w = penWidth_;
  const QRect area = QRect(from, to).normalized().adjusted(-w, -w, w, w);
  Kresli(area, [this, from, to, w](QPainter& p, const Farby& f) {
    if (w == 1) {
      ThinLine(p, from, to, f.pen);
      return;
    }
    QPen pen(Farba(f.pen));
    pen.setWidth(w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF mid(0.5, 0.5);
    p.drawLine(QPointF(from) + mid, QPointF(to) + mid);
  });
}

void QtCanvas::Outline(QPainter& p, TColor color) const {
  QPen pen(Farba(color));
  if (penWidth_ == 1) {
    pen.setCosmetic(true);
    pen.setWidth(std::max(1, static_cast<int>(std::lround(scale_))));
    if (penStyle_ == TPenStyle::Dot) pen.setDashPattern({3, 3});
  } else {
    pen.setWidth(penWidth_);
  }
  p.setPen(pen);
}

namespace {

// The box from (x1, y1) up to but not including (x2, y2), corners in any order.
QRect Box(int x1, int y1, int x2, int y2) {
  const int l = std::min(x1, x2);
  const int t = std::min(y1, y2);
  return QRect(l, t, std::max(x1, x2) - l, std::max(y1, y2) - t);
}

}  // namespace

void QtCanvas::Shape(int x1, int y1, int x2, int y2, bool ellipse) {
  const QRect box = Box(x1, y1, x2, y2);
  if (box.isEmpty()) return;
  Kresli(box, [this, box, ellipse](QPainter& p, const Farby& f) {
    Outline(p, f.pen);
    p.setBrush(Farba(f.brush));
    // A thin outline runs on the box's last pixels; a wide one lies inside it.
    const QRectF r = penWidth_ == 1 ? QRectF(box.adjusted(0, 0, -1, -1))
                                    : QRectF(box).adjusted(penWidth_ / 2.0, penWidth_ / 2.0, -penWidth_ / 2.0,
                                                           -penWidth_ / 2.0);
    if (ellipse)
      p.drawEllipse(r);
    else
      p.drawRect(r);
  });
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) { Shape(x1, y1, x2, y2, true); }

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) { Shape(x1, y1, x2, y2, false); }

void QtCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  QPolygon poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const TPoint& pt : points) poly.append(QPoint(pt.X, pt.Y));
  const int w = penWidth_;
  Kresli(poly.boundingRect().adjusted(-w, -w, w, w), [this, &poly](QPainter& p, const Farby& f) {
    Outline(p, f.pen);
    p.setBrush(Farba(f.brush));
    p.drawPolygon(poly, Qt::OddEvenFill);
  });
}

void QtCanvas::TextOut(int x, int y, const std::string& text, std::optional<TColor> background) {
  if (text.empty()) return;
  const QString s = QString::fromStdString(text);
  const QFontMetrics fm(font_, p_.device());
  const QRect cell(x, y, fm.horizontalAdvance(s), fm.height());
  if (background) p_.fillRect(cell, Farba(*background));
  p_.setFont(font_);
  p_.setPen(QPen(Qt::black));
  p_.drawText(QPoint(x, y + fm.ascent()), s);
}

}  // namespace kvr
