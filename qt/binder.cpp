#include "qt/binder.h"

#include "form/events.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include "qt/qt_canvas.h"
#include "form/canvas.h"
#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
// A caption as a widget shows it: captions break their lines with carriage
// returns (CR LF or a lone CR), which Qt would show as blanks.
QString Shown(const std::string& s) {
  QString t = Q(s);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

QColor Farba(TColor c) {
  return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF));
}

int Skaluj(int v, double z) { return static_cast<int>(std::lround(v * z)); }

QStringList Zoznam(const std::vector<std::string>& items) {
  QStringList l;
  l.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& s : items) l.append(Q(s));
  return l;
}

// A memo holds its text as lines.
std::vector<std::string> Riadky(const QString& text) {
  std::vector<std::string> r;
  if (text.isEmpty()) return r;
  for (const QString& l : text.split(QLatin1Char('\n'))) r.push_back(l.toStdString());
  return r;
}

int PlatnyIndex(const TControl& c) {
  return (c.ItemIndex >= 0 && c.ItemIndex < static_cast<int>(c.Items.size())) ? c.ItemIndex : -1;
}

// A grid's cell: its text 2 pixels from the left edge, vertically centred,
// never shortened with an ellipsis, as a text grid draws it.
class QtGridCell : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const QString text = o.text;
    o.text.clear();
    const QWidget* w = o.widget;
    QStyle* style = w != nullptr ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &o, p, w);
    p->save();
    p->setClipRect(o.rect);
    p->setFont(o.font);
    p->setPen(o.palette.color(QPalette::Text));
    p->drawText(o.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    p->restore();
  }
};

}  // namespace

// --- Widgets -------------------------------------------------------------------

QtClickLabel::QtClickLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void QtClickLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(e);
}

void QtClickLabel::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(e);
  if (click) emit clicked();
}

QtPaintBox::QtPaintBox(QWidget* parent) : QWidget(parent) {
  // Every pixel comes from the box's image.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor QtPaintBox::Background() const {
  for (const QWidget* w = this; w != nullptr; w = w->parentWidget())
    if (w->autoFillBackground() || w->isWindow()) return w->palette().color(w->backgroundRole());
  return palette().color(QPalette::Window);
}

void QtPaintBox::paintEvent(QPaintEvent*) {
  const qreal dpr = devicePixelRatioF();
  QImage image(size() * dpr, QImage::Format_RGB32);
  if (image.isNull()) return;
  image.setDevicePixelRatio(dpr);
  image.fill(Background());
  {
    QPainter ip(&image);
    emit painting(ip);
  }
  QPainter p(this);
  p.drawImage(QPoint(0, 0), image);
}

void QtPaintBox::mousePressEvent(QMouseEvent* e) { emit mouse(*e); }

void QtPaintBox::mouseDoubleClickEvent(QMouseEvent* e) { emit mouse(*e); }

void QtPaintBox::mouseMoveEvent(QMouseEvent* e) { emit mouse(*e); }

void QtPaintBox::mouseReleaseEvent(QMouseEvent* e) { emit mouse(*e); }

// --- Window events -----------------------------------------------------------------

class QtWindowFilter : public QObject {
 public:
  explicit QtWindowFilter(QtFormView& v) : v_(v) {}

  bool eventFilter(QObject* o, QEvent* e) override {
    if (o != v_.window_) return false;
    switch (e->type()) {
      case QEvent::Close:
        if (v_.closingByForm_) {
          v_.WindowClosed();
          return false;
        }
        // The user's close box: the form decides whether it closes. A window
        // without a close box is not closed by the user at all.
        e->ignore();
        if (v_.form_.CloseBox) v_.UserClose();
        return true;
      case QEvent::Show:
        v_.PlaceOnShow();
        return false;
      case QEvent::KeyPress:
        // The station's dialogs close by their own buttons only.
        if (qobject_cast<QDialog*>(v_.window_) != nullptr && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
          return true;
        return false;
      case QEvent::Resize:
        if (v_.form_.ResizeEvents) v_.WindowResized();
        return false;
      case QEvent::Move:
        v_.WindowMoved();
        // The window system may tell the frame only now (X11, once mapped).
        if (v_.form_.FrameSize && v_.FrameMargins() != v_.marginsApplied_) v_.ApplyFormGeometry();
        return false;
      default:
        return false;
    }
  }

 private:
  QtFormView& v_;
};

// --- View ----------------------------------------------------------------------------

QtFormView::QtFormView(QtBinder& binder, TForm& form, QWidget* window, QWidget* container, QMenuBar* menuBar)
    : binder_(binder),
      form_(form),
      window_(window),
      container_(container),
      zoom_(form.Zoom > 0 ? form.Zoom : 1.0),
      guard_(std::make_unique<QObject>()),
      filter_(std::make_unique<QtWindowFilter>(*this)) {
  sentinel_ = new QObject(container_);
  baseFont_ = container_->font();
  formBasePalette_ = container_->palette();
  formApplied_ = {std::numeric_limits<int>::min(), std::numeric_limits<int>::min(), 0, 0};
  window_->setObjectName(Q(form_.Name()));

  bound_.reserve(form_.Controls().size());
  for (TControl* c : form_.Controls()) {
    Bound b;
    b.c = c;
    bound_.push_back(std::move(b));
  }
  // Widgets first, all on the container, then into their parents: a parent may
  // be declared after its children.
  for (Bound& b : bound_)
    if (b.c->Kind() != TControlKind::MenuItem) CreateWidget(b, container_);
  for (Bound& b : bound_) {
    if (b.w == nullptr || b.c->Parent.empty()) continue;
    const Bound* p = Find(b.c->Parent);
    if (p != nullptr && p->w != nullptr && p != &b) b.w->setParent(p->w);
  }
  CreateMenus(menuBar);
  for (Bound& b : bound_) Wire(b);
  window_->installEventFilter(filter_.get());
  ApplyFont();
}

QtFormView::~QtFormView() {
  if (window_) window_->removeEventFilter(filter_.get());
  if (sentinel_ != nullptr) {
    sentinel_->disconnect();
    delete sentinel_;
  }
}

QtFormView::Bound* QtFormView::Find(const std::string& name) {
  for (Bound& b : bound_)
    if (b.c->Name() == name) return &b;
  return nullptr;
}

const QtFormView::Bound* QtFormView::Find(const std::string& name) const {
  for (const Bound& b : bound_)
    if (b.c->Name() == name) return &b;
  return nullptr;
}

QWidget* QtFormView::Widget(const std::string& name) const {
  const Bound* b = Find(name);
  return b != nullptr ? b->w : nullptr;
}

QAction* QtFormView::Action(const std::string& name) const {
  const Bound* b = Find(name);
  if (b == nullptr) return nullptr;
  return b->m != nullptr ? b->m->menuAction() : b->a;
}

QMenu* QtFormView::Menu(const std::string& name) const {
  const Bound* b = Find(name);
  return b != nullptr ? b->m : nullptr;
}

void QtFormView::CreateWidget(Bound& b, QWidget* parent) {
  QWidget* w = nullptr;
  switch (b.c->Kind()) {
    case TControlKind::Panel: {
      auto* p = new QtClickLabel(parent);
      p->setFrameStyle(QFrame::Panel | QFrame::Raised);
      p->setAlignment(Qt::AlignCenter);
      p->setAutoFillBackground(true);
      w = p;
      break;
    }
    case TControlKind::Label: {
      auto* l = new QtClickLabel(parent);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      w = l;
      break;
    }
    case TControlKind::Image: {
      auto* l = new QtClickLabel(parent);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      // The picture is stretched over the control.
      l->setScaledContents(true);
      w = l;
      break;
    }
    case TControlKind::Button:
      w = new QPushButton(parent);
      break;
    case TControlKind::RadioButton: {
      auto* r = new QRadioButton(parent);
      // The form's state decides which button of a group is on.
      r->setAutoExclusive(false);
      w = r;
      break;
    }
    case TControlKind::CheckBox:
      w = new QCheckBox(parent);
      break;
    case TControlKind::ComboBox:
      w = new QComboBox(parent);
      break;
    case TControlKind::ListBox:
      w = new QListWidget(parent);
      break;
    case TControlKind::GroupBox:
      w = new QGroupBox(parent);
      break;
    case TControlKind::RadioGroup: {
      // Its radio buttons come with its items (RefreshControl).
      auto* g = new QGroupBox(parent);
      new QVBoxLayout(g);
      w = g;
      break;
    }
    case TControlKind::Edit:
      w = new QLineEdit(parent);
      break;
    case TControlKind::Memo:
      w = new QPlainTextEdit(parent);
      break;
    case TControlKind::PaintBox: {
      auto* pb = new QtPaintBox(parent);
      // Moves arrive without a button too (the position under the mouse).
      pb->setMouseTracking(true);
      w = pb;
      break;
    }
    case TControlKind::ScrollBar:
      w = new QScrollBar(Qt::Vertical, parent);
      break;
    case TControlKind::Grid: {
      // A table the operator reads: no editing, no selection, a vertical
      // scroll bar only; rows and columns sized by dragging their borders in
      // the headers. The fixed row is the horizontal header; the vertical
      // header is a narrow strip without texts for dragging row borders.
      auto* t = new QTableWidget(parent);
      t->setEditTriggers(QAbstractItemView::NoEditTriggers);
      t->setSelectionMode(QAbstractItemView::NoSelection);
      t->setFocusPolicy(Qt::NoFocus);
      t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      t->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      t->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
      t->setShowGrid(true);
      t->setWordWrap(false);
      t->setTextElideMode(Qt::ElideNone);
      t->setCornerButtonEnabled(false);
      t->setItemDelegate(new QtGridCell(t));
      QHeaderView* h = t->horizontalHeader();
      h->setSectionResizeMode(QHeaderView::Interactive);
      h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      h->setHighlightSections(false);
      h->setMinimumSectionSize(1);
      QHeaderView* v = t->verticalHeader();
      v->setSectionResizeMode(QHeaderView::Interactive);
      v->setMinimumSectionSize(1);
      v->setFixedWidth(8);
      w = t;
      break;
    }
    case TControlKind::MenuItem:
      return;
  }
  w->setObjectName(Q(b.c->Name()));
  b.w = w;
  b.basePalette = w->palette();
}

void QtFormView::CreateMenus(QMenuBar* menuBar) {
  auto holdsOthers = [this](const TControl& c) {
    return std::any_of(bound_.begin(), bound_.end(), [&c](const Bound& o) {
      return o.c->Kind() == TControlKind::MenuItem && o.c->Parent == c.Name();
    });
  };
  for (Bound& b : bound_) {
    if (b.c->Kind() != TControlKind::MenuItem) continue;
    if (holdsOthers(*b.c)) {
      b.m = new QMenu(window_);
      b.m->setObjectName(Q(b.c->Name()));
      b.m->menuAction()->setObjectName(Q(b.c->Name()));
    } else {
      b.a = new QAction(window_);
      b.a->setObjectName(Q(b.c->Name()));
    }
  }
  // Attached in declaration order, which is the order of the entries.
  for (Bound& b : bound_) {
    if (b.c->Kind() != TControlKind::MenuItem) continue;
    QAction* a = b.m != nullptr ? b.m->menuAction() : b.a;
    const Bound* p = b.c->Parent.empty() ? nullptr : Find(b.c->Parent);
    // Menus stay children of the window, which owns them.
    if (p != nullptr && p->m != nullptr)
      p->m->addAction(a);
    else if (menuBar != nullptr)
      menuBar->addAction(a);
  }
}

void QtFormView::Wire(Bound& b) {
  TControl* c = b.c;
  QObject* g = guard_.get();
  auto fire = [this](const std::function<void()>& handler) {
    // A copy: the handler may replace itself while it runs.
    const std::function<void()> fn = handler;
    binder_.Dispatch(fn);
  };
  switch (c->Kind()) {
    case TControlKind::Panel:
    case TControlKind::Label:
    case TControlKind::Image:
      QObject::connect(static_cast<QtClickLabel*>(b.w), &QtClickLabel::clicked, g, [c, fire] { fire(c->OnClick); });
      break;
    case TControlKind::Button:
      QObject::connect(static_cast<QPushButton*>(b.w), &QPushButton::clicked, g, [c, fire] { fire(c->OnClick); });
      break;
    case TControlKind::CheckBox:
      QObject::connect(static_cast<QCheckBox*>(b.w), &QCheckBox::clicked, g, [c, fire](bool on) {
        c->Checked = on;
        fire(c->OnClick);
      });
      break;
    case TControlKind::RadioButton:
      QObject::connect(static_cast<QRadioButton*>(b.w), &QRadioButton::clicked, g, [this, c, fire] {
        // Clicking the button that is on changes nothing and runs nothing;
        // the refresh turns the widget back on.
        if (c->Checked) {
          binder_.RefreshAll();
          return;
        }
        for (TControl* o : form_.Controls())
          if (o != c && o->Kind() == TControlKind::RadioButton && o->Parent == c->Parent) o->Checked = false;
        c->Checked = true;
        fire(c->OnClick);
      });
      break;
    case TControlKind::ComboBox:
      QObject::connect(static_cast<QComboBox*>(b.w), &QComboBox::activated, g, [c, fire](int i) {
        c->ItemIndex = i;
        fire(c->OnChange);
      });
      break;
    case TControlKind::ListBox:
      QObject::connect(static_cast<QListWidget*>(b.w), &QListWidget::currentRowChanged, g, [c, fire](int i) {
        c->ItemIndex = i;
        fire(c->OnChange);
      });
      break;
    case TControlKind::Edit:
      QObject::connect(static_cast<QLineEdit*>(b.w), &QLineEdit::textEdited, g, [c, fire](const QString& t) {
        c->Caption = t.toStdString();
        fire(c->OnChange);
      });
      break;
    case TControlKind::Memo: {
      auto* m = static_cast<QPlainTextEdit*>(b.w);
      QObject::connect(m, &QPlainTextEdit::textChanged, g, [c, m, fire] {
        c->Items = Riadky(m->toPlainText());
        fire(c->OnChange);
      });
      break;
    }
    case TControlKind::MenuItem:
      if (b.m != nullptr)
        QObject::connect(b.m, &QMenu::aboutToShow, g, [c, fire] { fire(c->OnClick); });
      else
        QObject::connect(b.a, &QAction::triggered, g, [c, fire] { fire(c->OnClick); });
      break;
    case TControlKind::ScrollBar:
      QObject::connect(static_cast<QScrollBar*>(b.w), &QScrollBar::valueChanged, g, [c, fire](int v) {
        c->Position = v;
        fire(c->OnChange);
      });
      break;
    case TControlKind::PaintBox: {
      auto* pb = static_cast<QtPaintBox*>(b.w);
      QObject::connect(pb, &QtPaintBox::painting, g, [this, c](QPainter& p) { PaintBoxPaint(*c, p); });
      QObject::connect(pb, &QtPaintBox::mouse, g, [this, c](const QMouseEvent& e) { PaintBoxMouse(*c, e); });
      break;
    }
    case TControlKind::Grid:
      WireGrid(b);
      break;
    case TControlKind::GroupBox:
    case TControlKind::RadioGroup:
      break;
  }
}

void QtFormView::WireGrid(Bound& b) {
  TControl* c = b.c;
  auto* t = static_cast<QTableWidget*>(b.w);
  QObject* g = guard_.get();
  // The operator's scrolling is the top row; a handler, if any, hears of it.
  // The view itself scrolls on the scroll bar's signal, so it is never
  // blocked: the refresh moves it only to the state's own Position, which is
  // no move of the operator's.
  QObject::connect(t->verticalScrollBar(), &QScrollBar::valueChanged, g, [this, c](int v) {
    if (v == c->Position) return;
    c->Position = v;
    if (c->OnChange) {
      const std::function<void()> fn = c->OnChange;
      binder_.Dispatch(fn);
    }
  });
  // A column the operator widens keeps its width in the state.
  QObject::connect(t->horizontalHeader(), &QHeaderView::sectionResized, g, [this, c](int i, int, int size) {
    if (i < 0) return;
    if (static_cast<size_t>(i) >= c->ColWidths.size()) c->ColWidths.resize(static_cast<size_t>(i) + 1, 0);
    c->ColWidths[static_cast<size_t>(i)] = static_cast<int>(std::lround(size / zoom_));
    if (Bound* gb = Find(c->Name())) gb->colWidths = c->ColWidths;
  });
}

void QtFormView::RebuildRadioGroup(Bound& b) {
  auto* g = static_cast<QGroupBox*>(b.w);
  for (QRadioButton* r : g->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) delete r;
  TControl* c = b.c;
  QObject* guard = guard_.get();
  for (int i = 0; i < static_cast<int>(c->Items.size()); ++i) {
    auto* r = new QRadioButton(Q(c->Items[static_cast<size_t>(i)]), g);
    r->setObjectName(Q(c->Name() + "_" + std::to_string(i)));
    r->setAutoExclusive(false);
    g->layout()->addWidget(r);
    QObject::connect(r, &QRadioButton::clicked, guard, [this, c, i] {
      // The item that is on changes nothing; the refresh turns it back on.
      if (c->ItemIndex == i) {
        binder_.RefreshAll();
        return;
      }
      c->ItemIndex = i;
      const std::function<void()> fn = c->OnClick;
      binder_.Dispatch(fn);
    });
  }
}

void QtFormView::PaintBoxPaint(TControl& c, QPainter& p) {
  if (!c.OnPaint) return;
  const std::function<void(ICanvas&)> paint = c.OnPaint;
  // A zoomed paint box is a larger box, not a magnified drawing: the drawing
  // gets the box's real pixels and keeps its own units (layer pitch, marker
  // and font sizes), as the station's zoom always behaved.
  QWidget* w = Widget(c.Name());
  const int width = w != nullptr ? w->width() : Skaluj(c.Bounds.Width, zoom_);
  const int height = w != nullptr ? w->height() : Skaluj(c.Bounds.Height, zoom_);
  QtCanvas canvas(p, width, height);
  ++binder_.painting_;
  binder_.Dispatch([&paint, &canvas] { paint(canvas); });
  --binder_.painting_;
}

void QtFormView::PaintBoxMouse(TControl& c, const QMouseEvent& e) {
  std::function<void(const TMouseEvent&)> handler;
  TMouseEvent m;
  switch (e.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      handler = c.OnMouseDown;
      m.Left = e.button() == Qt::LeftButton;
      break;
    case QEvent::MouseMove:
      handler = c.OnMouseMove;
      m.Left = e.buttons().testFlag(Qt::LeftButton);
      break;
    case QEvent::MouseButtonRelease:
      handler = c.OnMouseUp;
      m.Left = e.button() == Qt::LeftButton;
      break;
    default:
      return;
  }
  if (!handler) return;
  // In the box's own pixels, the ones its canvas draws on.
  const QPointF pos = e.position();
  m.X = static_cast<int>(std::floor(pos.x()));
  m.Y = static_cast<int>(std::floor(pos.y()));
  m.Ctrl = e.modifiers().testFlag(Qt::ControlModifier);
  binder_.Dispatch([&handler, &m] { handler(m); });
}

QRect QtFormView::Scaled(const TRect& r) const {
  return QRect(Skaluj(r.Left, zoom_), Skaluj(r.Top, zoom_), Skaluj(r.Width, zoom_), Skaluj(r.Height, zoom_));
}

void QtFormView::SetZoom(double zoom) {
  if (zoom <= 0) return;
  form_.Zoom = zoom;
  Refresh();
}

void QtFormView::ApplyFont() {
  if (!container_) return;
  QFont f = baseFont_;
  if (baseFont_.pointSizeF() > 0)
    f.setPointSizeF(baseFont_.pointSizeF() * zoom_);
  else if (baseFont_.pixelSize() > 0)
    f.setPixelSize(std::max(1, Skaluj(baseFont_.pixelSize(), zoom_)));
  if (container_->font() != f) container_->setFont(f);
}

void QtFormView::Refresh() {
  if (!window_ || !container_) return;
  if (form_.Zoom > 0 && form_.Zoom != zoom_) {
    zoom_ = form_.Zoom;
    ApplyFont();
  }
  const QString title = Q(form_.Caption);
  if (window_->windowTitle() != title) window_->setWindowTitle(title);
  ApplyWindowStyle();
  // Before the controls: those with a face of their own keep it against it.
  ApplyFormColor();
  ApplyFormGeometry();
  for (Bound& b : bound_) {
    if (b.c->Kind() == TControlKind::MenuItem)
      RefreshMenu(b);
    else if (b.w != nullptr)
      RefreshControl(b);
  }
}

void QtFormView::ApplyWindowStyle() {
  // Changing a window's flags hides it (and would end a modal showing), so a
  // shown window gets a changed style when it is shown next.
  if (!window_->isWindow() || window_->isVisible()) return;
  Qt::WindowFlags f = window_->windowType();
  if (form_.BorderStyle == TBorderStyle::None) {
    f |= Qt::FramelessWindowHint;
  } else if (!form_.CloseBox) {
    // No close box means no system menu, and with it no minimise or maximise
    // buttons either: a title bar alone.
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  } else {
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (form_.BorderStyle == TBorderStyle::Sizeable)
      f |= Qt::WindowMinMaxButtonsHint;
    else if (form_.BorderStyle == TBorderStyle::Single)
      f |= Qt::WindowMinimizeButtonHint;
  }
  if (form_.StayOnTop) f |= Qt::WindowStaysOnTopHint;
  if (window_->windowFlags() != f) window_->setWindowFlags(f);
}

void QtFormView::ApplyFormColor() {
  const bool own = form_.Color != clBtnFace;
  QPalette p = formBasePalette_;
  if (own) p.setColor(QPalette::Window, Farba(form_.Color));
  // A window paints its background anyway; a client widget inside one only
  // when told to.
  if (container_ != window_ && container_->autoFillBackground() != own) container_->setAutoFillBackground(own);
  if (container_->palette() != p) container_->setPalette(p);
}

QMargins QtFormView::FrameMargins() const {
  if (!window_ || !window_->isWindow()) return {};
  const QWindow* h = window_->windowHandle();
  return h != nullptr ? h->frameMargins() : QMargins();
}

void QtFormView::MoveFrame(const QPoint& p) {
  window_->move(p);
  // A window that exists already takes a move as its client area's place
  // while the window system has not told its frame yet (X11 before the window
  // is mapped), which puts the title bar off the screen: tell it that the
  // place is the frame's. The move above keeps the widget's own idea of its
  // place in step, so showing it does not undo this.
  QWindow* h = window_->isWindow() ? window_->windowHandle() : nullptr;
  if (h != nullptr && window_->testAttribute(Qt::WA_WState_Created) && form_.BorderStyle != TBorderStyle::None &&
      h->frameMargins().isNull())
    h->setFramePosition(p);
}

void QtFormView::ApplyFormGeometry() {
  const TRect& r = form_.Bounds;
  const bool fixed = form_.BorderStyle != TBorderStyle::Sizeable && window_->isWindow();
  const bool frame = form_.FrameSize && window_->isWindow();
  const QMargins margins = frame ? FrameMargins() : QMargins();
  if (r.Width != formApplied_.Width || r.Height != formApplied_.Height || zoom_ != formZoomApplied_ ||
      fixed != formFixedApplied_ || margins != marginsApplied_) {
    int w = r.Width;
    int h = r.Height;
    // A form without a design size is as large as its controls.
    if (w <= 0 || h <= 0) {
      int right = 0;
      int bottom = 0;
      for (const Bound& b : bound_) {
        if (b.w == nullptr || !b.c->Parent.empty()) continue;
        right = std::max(right, b.c->Bounds.Left + b.c->Bounds.Width);
        bottom = std::max(bottom, b.c->Bounds.Top + b.c->Bounds.Height);
      }
      if (w <= 0) w = right + 8;
      if (h <= 0) h = bottom + 8;
    }
    const QSize s(Skaluj(w, zoom_), Skaluj(h, zoom_));
    if (formFixedApplied_ && !fixed) {
      window_->setMinimumSize(0, 0);
      window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    QSize ws = s;
    if (frame) {
      // The design size is the outer frame's: the client area, menu bar
      // included, is what the frame leaves of it.
      ws = QSize(std::max(1, s.width() - margins.left() - margins.right()),
                 std::max(1, s.height() - margins.top() - margins.bottom()));
    } else if (window_ != container_) {
      // The design size is the client area's; a menu bar comes on top of it.
      container_->setMinimumSize(s);
      // The window's minimum follows the container's at once, so that a
      // smaller zoom can shrink the window.
      if (QLayout* l = window_->layout()) {
        l->invalidate();
        l->activate();
      }
      ws = window_->sizeHint().expandedTo(s);
    }
    if (fixed) {
      window_->setFixedSize(ws);
    } else {
      if (form_.MinWidth > 0 || form_.MinHeight > 0) {
        // The smallest size is measured as the design size is.
        QSize m(Skaluj(form_.MinWidth, zoom_), Skaluj(form_.MinHeight, zoom_));
        if (frame) m -= QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
        window_->setMinimumSize(m.expandedTo(QSize(0, 0)));
      }
      window_->resize(ws);
    }
    formApplied_.Width = r.Width;
    formApplied_.Height = r.Height;
    formZoomApplied_ = zoom_;
    formFixedApplied_ = fixed;
    marginsApplied_ = margins;
  }
  if (r.Left != formApplied_.Left || r.Top != formApplied_.Top) {
    formApplied_.Left = r.Left;
    formApplied_.Top = r.Top;
    MoveFrame(QPoint(r.Left, r.Top));
  }
}

void QtFormView::PlaceOnShow() {
  if (!window_ || !window_->isWindow()) return;
  // A frame told after the last refresh changes the client area of a window
  // sized by its frame.
  ApplyFormGeometry();
  QPoint place(form_.Bounds.Left, form_.Bounds.Top);
  if (form_.Position != TPosition::Designed) {
    QRect area;
    if (form_.Position == TPosition::MainFormCenter) {
      QWidget* m = binder_.MainWindow();
      if (m != nullptr && m != window_) area = m->frameGeometry();
    }
    // Centred on the screen, also when there is no main window to centre on.
    if (area.isEmpty())
      if (const QScreen* sc = window_->screen()) area = sc->availableGeometry();
    if (area.isEmpty()) return;
    const QSize sz = window_->frameGeometry().size();
    place = QPoint(area.x() + (area.width() - sz.width()) / 2, area.y() + (area.height() - sz.height()) / 2);
  }
  // The frame goes to the place every time the window is shown: a window
  // created before it was placed would otherwise keep its client area there.
  MoveFrame(place);
}

void QtFormView::ApplyColor(Bound& b) {
  const TControl& c = *b.c;
  QPalette p = b.basePalette;
  const bool own = c.Color != clBtnFace;
  bool transparent = false;
  // A group box standing on a panel covers the panel and its caption with
  // the panel's face; elsewhere it shows the form it stands on.
  const Bound* panel = nullptr;
  switch (c.Kind()) {
    case TControlKind::GroupBox:
    case TControlKind::RadioGroup:
      if (const Bound* pb = c.Parent.empty() ? nullptr : Find(c.Parent); pb != nullptr && pb->c->Kind() == TControlKind::Panel)
        panel = pb;
      transparent = panel == nullptr;
      break;
    case TControlKind::Label:
    case TControlKind::Image:
    case TControlKind::CheckBox:
    case TControlKind::RadioButton:
    case TControlKind::PaintBox:
      transparent = true;
      break;
    default:
      break;
  }
  if (!own && panel != nullptr) {
    const TColor face = panel->c->Color;
    p.setColor(QPalette::Window, face != clBtnFace ? Farba(face) : b.basePalette.color(QPalette::Window));
    if (!b.w->autoFillBackground()) b.w->setAutoFillBackground(true);
  } else if (!own && !transparent) {
    // Its own face, not the colour of the form it stands on.
    p.setColor(QPalette::Window, b.basePalette.color(QPalette::Window));
  } else if (own) {
    const QColor col = Farba(c.Color);
    switch (c.Kind()) {
      case TControlKind::Button:
        p.setColor(QPalette::Button, col);
        break;
      case TControlKind::ComboBox:
        p.setColor(QPalette::Button, col);
        p.setColor(QPalette::Base, col);
        break;
      case TControlKind::ListBox:
      case TControlKind::Edit:
      case TControlKind::Memo:
        p.setColor(QPalette::Base, col);
        break;
      default:
        p.setColor(QPalette::Window, col);
        break;
    }
  }
  if (c.Kind() == TControlKind::Label && c.FontColor != clWindowText) p.setColor(QPalette::WindowText, Farba(c.FontColor));
  // Transparent on the form's face unless given a colour of their own.
  if (panel != nullptr && own && !b.w->autoFillBackground()) b.w->setAutoFillBackground(true);
  if (transparent && b.w->autoFillBackground() != own) b.w->setAutoFillBackground(own);
  if (b.w->palette() != p) b.w->setPalette(p);
  // A group box's own caption colour, for the group box alone: a palette
  // would pass it on to the buttons inside.
  if (c.Kind() == TControlKind::GroupBox) {
    const QString css = c.FontColor == clWindowText ? QString()
                                                    : QStringLiteral("QGroupBox { color: %1; }").arg(Farba(c.FontColor).name());
    if (b.w->styleSheet() != css) b.w->setStyleSheet(css);
  }
}

void QtFormView::RefreshControl(Bound& b) {
  const TControl& c = *b.c;
  QWidget* w = b.w;
  const QSignalBlocker block(w);
  const QString text = Q(c.Caption);
  const QString lines = Shown(c.Caption);
  switch (c.Kind()) {
    case TControlKind::Panel:
    case TControlKind::Label: {
      auto* l = static_cast<QLabel*>(w);
      if (l->text() != lines) l->setText(lines);
      if (c.Kind() == TControlKind::Label && (c.FontPixels > 0 || c.FontBold)) {
        QFont f = l->parentWidget() != nullptr ? l->parentWidget()->font() : l->font();
        if (!c.FontName.empty()) f.setFamilies({Q(c.FontName)});
        if (c.FontPixels > 0) f.setPixelSize(std::max(1, Skaluj(c.FontPixels, zoom_)));
        f.setBold(c.FontBold);
        if (l->font() != f) l->setFont(f);
      }
      if (c.Kind() == TControlKind::Panel) {
        const Qt::Alignment a = c.Alignment == TAlignment::Left ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
        if (l->alignment() != a) l->setAlignment(a);
      }
      break;
    }
    case TControlKind::Image:
      // An image shows the picture file its caption names.
      if (!b.pictureApplied || b.picture != c.Caption) {
        static_cast<QLabel*>(w)->setPixmap(c.Caption.empty() ? QPixmap() : QPixmap(text));
        b.picture = c.Caption;
        b.pictureApplied = true;
      }
      break;
    case TControlKind::Button:
    case TControlKind::CheckBox:
    case TControlKind::RadioButton: {
      auto* a = static_cast<QAbstractButton*>(w);
      if (a->text() != lines) a->setText(lines);
      if (c.Kind() != TControlKind::Button && a->isChecked() != c.Checked) a->setChecked(c.Checked);
      break;
    }
    case TControlKind::ComboBox: {
      auto* cb = static_cast<QComboBox*>(w);
      if (!b.itemsApplied || b.items != c.Items) {
        cb->clear();
        cb->addItems(Zoznam(c.Items));
        b.items = c.Items;
        b.itemsApplied = true;
      }
      const int i = PlatnyIndex(c);
      if (cb->currentIndex() != i) cb->setCurrentIndex(i);
      break;
    }
    case TControlKind::ListBox: {
      auto* lw = static_cast<QListWidget*>(w);
      if (!b.itemsApplied || b.items != c.Items) {
        lw->clear();
        lw->addItems(Zoznam(c.Items));
        b.items = c.Items;
        b.itemsApplied = true;
      }
      const int i = PlatnyIndex(c);
      if (lw->currentRow() != i) lw->setCurrentRow(i);
      break;
    }
    case TControlKind::GroupBox: {
      auto* gb = static_cast<QGroupBox*>(w);
      if (gb->title() != text) gb->setTitle(text);
      break;
    }
    case TControlKind::RadioGroup: {
      auto* gb = static_cast<QGroupBox*>(w);
      if (gb->title() != text) gb->setTitle(text);
      if (!b.itemsApplied || b.items != c.Items) {
        RebuildRadioGroup(b);
        b.items = c.Items;
        b.itemsApplied = true;
      }
      const QList<QRadioButton*> rs = gb->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
      for (int i = 0; i < rs.size(); ++i) {
        const QSignalBlocker blockItem(rs[i]);
        if (rs[i]->isChecked() != (i == c.ItemIndex)) rs[i]->setChecked(i == c.ItemIndex);
      }
      break;
    }
    case TControlKind::Edit: {
      auto* e = static_cast<QLineEdit*>(w);
      if (e->text() != text) e->setText(text);
      break;
    }
    case TControlKind::Memo: {
      auto* m = static_cast<QPlainTextEdit*>(w);
      if (!b.itemsApplied || b.items != c.Items) {
        // The user's own typing already is the state; leave the cursor alone then.
        if (Riadky(m->toPlainText()) != c.Items) m->setPlainText(Zoznam(c.Items).join(QLatin1Char('\n')));
        b.items = c.Items;
        b.itemsApplied = true;
      }
      break;
    }
    case TControlKind::ScrollBar: {
      auto* sb = static_cast<QScrollBar*>(w);
      if (sb->minimum() != c.Min || sb->maximum() != c.Max) sb->setRange(c.Min, c.Max);
      if (sb->singleStep() != c.SmallChange) sb->setSingleStep(std::max(0, c.SmallChange));
      if (sb->pageStep() != c.LargeChange) sb->setPageStep(std::max(0, c.LargeChange));
      if (sb->value() != c.Position) sb->setValue(c.Position);
      break;
    }
    case TControlKind::Grid:
      RefreshGrid(b);
      break;
    case TControlKind::PaintBox:
    case TControlKind::MenuItem:
      break;
  }
  if (w->testAttribute(Qt::WA_Disabled) == c.Enabled) w->setEnabled(c.Enabled);
  if (w->isHidden() == c.Visible) w->setHidden(!c.Visible);
  ApplyColor(b);
  if (b.bounds != c.Bounds || b.boundsZoom != zoom_ || b.boundsZoom == 0) {
    w->setGeometry(Scaled(c.Bounds));
    b.bounds = c.Bounds;
    b.boundsZoom = zoom_;
  }
  if (w->property("tag").toInt() != c.Tag) w->setProperty("tag", c.Tag);
}

void QtFormView::RefreshGrid(Bound& b) {
  const TControl& c = *b.c;
  auto* t = static_cast<QTableWidget*>(b.w);
  QHeaderView* hh = t->horizontalHeader();
  QHeaderView* vh = t->verticalHeader();
  // The headers' and scroll bar's signals stay open: the view itself lays
  // out and scrolls on them. What the refresh sets is the state's own value,
  // which the grid's wiring takes as no change.

  // The grid's own font, scaled with the window.
  const std::string font = c.FontName + "/" + std::to_string(c.FontSize) + (c.FixedPitch ? "/fixed" : "");
  if (b.font != font || b.gridZoom != zoom_) {
    QFont f = t->parentWidget() != nullptr ? t->parentWidget()->font() : t->font();
    if (!c.FontName.empty()) f.setFamilies({Q(c.FontName)});
    if (c.FixedPitch) {
      f.setStyleHint(QFont::TypeWriter);
      f.setFixedPitch(true);
    }
    if (c.FontSize > 0) f.setPointSizeF(c.FontSize * zoom_);
    t->setFont(f);
    hh->setFont(f);
    b.font = font;
  }

  const int fixed = std::clamp(c.FixedRows, 0, 1);
  const int rows = std::clamp(c.RowCount, fixed, static_cast<int>(c.Cells.size()));
  int columns = static_cast<int>(c.ColWidths.size());
  for (int r = 0; r < rows; ++r) columns = std::max(columns, static_cast<int>(c.Cells[static_cast<size_t>(r)].size()));
  auto text = [&c](int r, int col) -> const std::string& {
    static const std::string none;
    const std::vector<std::string>& row = c.Cells[static_cast<size_t>(r)];
    return static_cast<size_t>(col) < row.size() ? row[static_cast<size_t>(col)] : none;
  };
  const bool sameRows = static_cast<int>(b.cells.size()) == rows &&
                        std::equal(b.cells.begin(), b.cells.end(), c.Cells.begin());
  if (!sameRows || t->columnCount() != columns) {
    if (t->columnCount() != columns) t->setColumnCount(columns);
    if (t->rowCount() != rows - fixed) t->setRowCount(rows - fixed);
    hh->setVisible(fixed == 1);
    for (int col = 0; col < columns; ++col) {
      if (fixed == 1) {
        QTableWidgetItem* h = t->horizontalHeaderItem(col);
        if (h == nullptr) {
          h = new QTableWidgetItem;
          h->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
          t->setHorizontalHeaderItem(col, h);
        }
        const QString s = Q(text(0, col));
        if (h->text() != s) h->setText(s);
      }
    }
    for (int r = fixed; r < rows; ++r) {
      // The row strip shows no numbers.
      if (t->verticalHeaderItem(r - fixed) == nullptr) t->setVerticalHeaderItem(r - fixed, new QTableWidgetItem(QString()));
      for (int col = 0; col < columns; ++col) {
        QTableWidgetItem* it = t->item(r - fixed, col);
        const QString s = Q(text(r, col));
        if (it == nullptr) {
          it = new QTableWidgetItem(s);
          it->setFlags(Qt::ItemIsEnabled);
          t->setItem(r - fixed, col, it);
        } else if (it->text() != s) {
          it->setText(s);
        }
      }
    }
    b.cells.assign(c.Cells.begin(), c.Cells.begin() + rows);
  }

  if (b.rowHeight != c.RowHeight || b.gridZoom != zoom_) {
    const int h = std::max(1, Skaluj(c.RowHeight, zoom_));
    vh->setDefaultSectionSize(h);
    for (int r = 0; r < t->rowCount(); ++r) vh->resizeSection(r, h);
    hh->setFixedHeight(h);
    b.rowHeight = c.RowHeight;
  }
  if (b.colWidths != c.ColWidths || b.gridZoom != zoom_) {
    for (int col = 0; col < static_cast<int>(c.ColWidths.size()); ++col)
      t->setColumnWidth(col, Skaluj(c.ColWidths[static_cast<size_t>(col)], zoom_));
    b.colWidths = c.ColWidths;
  }
  b.gridZoom = zoom_;
  // The top row shown. The scroll bar's range follows the rows only once the
  // table lays itself out, so a position beyond it waits for that.
  if (QScrollBar* sb = t->verticalScrollBar(); sb->value() != c.Position) {
    if (c.Position > sb->maximum()) {
      const int r = std::min(c.Position, t->rowCount() - 1);
      if (r >= 0) t->scrollTo(t->model()->index(r, 0), QAbstractItemView::PositionAtTop);
    } else {
      sb->setValue(c.Position);
    }
  }
}

void QtFormView::RefreshMenu(Bound& b) {
  const TControl& c = *b.c;
  QAction* a = b.m != nullptr ? b.m->menuAction() : b.a;
  if (a == nullptr) return;
  const QSignalBlocker block(a);
  const QString text = Q(c.Caption);
  if (b.m != nullptr) {
    if (b.m->title() != text) b.m->setTitle(text);
  } else {
    const bool separator = c.Caption == "-";
    if (a->isSeparator() != separator) a->setSeparator(separator);
    if (a->text() != text) a->setText(text);
    // Only a ticked entry shows a tick; triggering does not tick it.
    if (a->isCheckable() != c.Checked) a->setCheckable(c.Checked);
    if (a->isChecked() != c.Checked) a->setChecked(c.Checked);
  }
  if (a->isEnabled() != c.Enabled) a->setEnabled(c.Enabled);
  if (a->isVisible() != c.Visible) a->setVisible(c.Visible);
  if (a->property("tag").toInt() != c.Tag) a->setProperty("tag", c.Tag);
}

void QtFormView::CloseLater() {
  closingByForm_ = true;
  QMetaObject::invokeMethod(
      guard_.get(),
      [w = window_] {
        if (w) w->close();
      },
      Qt::QueuedConnection);
}

void QtFormView::UserClose() {
  binder_.Dispatch([this] {
    if (!form_.FormClose()) return;
    // Whoever showed the form closes its window; a window nobody showed
    // through the form closes by itself.
    const bool shown = static_cast<bool>(form_.OnCloseRequested);
    form_.Close(TModalResult::Cancel);
    if (!shown) CloseLater();
  });
}

void QtFormView::WindowMoved() {
  if (!window_ || !window_->isWindow()) return;
  const QPoint p = window_->pos();
  form_.Bounds.Left = p.x();
  form_.Bounds.Top = p.y();
  formApplied_.Left = p.x();
  formApplied_.Top = p.y();
}

void QtFormView::WindowResized() {
  if (!window_ || !window_->isWindow()) return;
  const bool frame = form_.FrameSize;
  const QSize size = frame ? window_->frameGeometry().size() : container_->size();
  const int w = static_cast<int>(std::lround(size.width() / zoom_));
  const int h = static_cast<int>(std::lround(size.height() / zoom_));
  if (w == form_.Bounds.Width && h == form_.Bounds.Height) return;
  form_.Bounds.Width = w;
  form_.Bounds.Height = h;
  // The window has that size already: nothing to apply back.
  formApplied_.Width = w;
  formApplied_.Height = h;
  binder_.Dispatch([this] { form_.FormResize(); });
}

void QtFormView::WindowClosed() {
  closingByForm_ = false;
  form_.Visible = false;
}

// --- Binder --------------------------------------------------------------------------

QtBinder::QtBinder(IUi& ui) : ui_(ui), guard_(std::make_unique<QObject>()) {}

QtBinder::~QtBinder() = default;

QtFormView& QtBinder::Bind(TForm& form, QWidget* window, QWidget* container, QMenuBar* menuBar) {
  // Binding a form again gives it the new window; the old one is left unbound.
  if (QtFormView* old = Find(form)) Unbind(old);
  views_.push_back(std::make_unique<QtFormView>(*this, form, window, container, menuBar));
  QtFormView* v = views_.back().get();
  QObject::connect(v->sentinel_, &QObject::destroyed, guard_.get(), [this, v] {
    v->sentinel_ = nullptr;
    Unbind(v);
  });
  v->Refresh();
  return *v;
}

QWidget* QtBinder::MainWindow() const {
  for (const auto& v : views_)
    if (v->window_ && v->window_->isWindow()) return v->window_;
  return nullptr;
}

QtFormView* QtBinder::Find(const TForm& form) const {
  for (const auto& v : views_)
    if (&v->Form() == &form) return v.get();
  return nullptr;
}

void QtBinder::Unbind(QtFormView* v) {
  auto it = std::find_if(views_.begin(), views_.end(), [v](const auto& p) { return p.get() == v; });
  if (it == views_.end()) return;
  // Out of the list before it goes, so nothing its destruction sets off finds it.
  std::unique_ptr<QtFormView> gone = std::move(*it);
  views_.erase(it);
}

void QtBinder::Run(const std::function<void()>& fn) { RunEvent(k_ != nullptr ? *k_->Ui : ui_, fn); }

void QtBinder::Dispatch(const std::function<void()>& fn) {
  if (fn) Run(fn);
  RefreshAll();
}

void QtBinder::RefreshAll() {
  // By index: a refresh never binds, but a window may go while it runs.
  for (size_t i = 0; i < views_.size(); ++i) views_[i]->Refresh();
}

}  // namespace kvr
