// The generic Qt side of a form: one widget per control under the control's
// name, kept in step with the form's state in both directions. A window's own
// Qt code only creates the window and hands it to the binder; everything the
// user does reaches the form's handlers through the binder's dispatch.
#pragma once
#include <QLabel>
#include <QMargins>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form/form.h"

class QAction;
class QMenu;
class QMenuBar;
class QPainter;

namespace kvr {

class IUi;
struct TKontext;
class QtBinder;

// A caption that reacts to a click like a button does: panels (framed),
// labels and pictures.
class QtClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit QtClickLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  bool pressed_ = false;
};

// A paint box. Each paint renders the whole box into an image on the
// background it stands on and then shows it, so that the drawing code's pen
// modes (xor) work on any window system; the mouse reaches whoever listens.
class QtPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit QtPaintBox(QWidget* parent = nullptr);
  // The colour the box shows where nothing is drawn: its own when it fills its
  // background, otherwise that of the nearest filled parent.
  QColor Background() const;

 signals:
  // The drawing, on a painter over the box's image in its own pixels.
  void painting(QPainter& p);
  // Presses (double clicks included), moves and releases.
  void mouse(const QMouseEvent& e);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

// One bound form: its window, the widgets of its controls and what was last
// put into them. The user's close box asks the form's FormClose; when it
// agrees, the form closes with Cancel. A form without a close box is not
// closed by the user at all (Escape closes none of the station's dialogs).
class QtFormView {
 public:
  QtFormView(QtBinder& binder, TForm& form, QWidget* window, QWidget* container, QMenuBar* menuBar);
  ~QtFormView();
  QtFormView(const QtFormView&) = delete;
  QtFormView& operator=(const QtFormView&) = delete;

  TForm& Form() const { return form_; }
  QWidget* Window() const { return window_; }
  QWidget* Container() const { return container_; }
  // The widget of a control, or null (unknown name, or a menu entry).
  QWidget* Widget(const std::string& name) const;
  // The action of a menu entry (for an entry that holds others, its menu's action).
  QAction* Action(const std::string& name) const;
  QMenu* Menu(const std::string& name) const;

  // Puts the form's state into the widgets: the form's zoom, colour, size and
  // place, its border, stay-on-top and close box (these three while the
  // window is hidden, so at the latest when it is shown next), and every
  // control. A form centred on the main form or the screen is centred each
  // time its window is shown.
  void Refresh();

  // The zoom applied (the form's Zoom as of the last refresh).
  double Zoom() const { return zoom_; }
  // Sets the form's Zoom and applies it.
  void SetZoom(double zoom);

  // Closes the window on the form's own request: later, from the event loop,
  // since the request may come from inside the window's own event handling.
  void CloseLater();
  // Whether the window is being closed on the form's request (not the user's).
  bool ClosingByForm() const { return closingByForm_; }

 private:
  friend class QtWindowFilter;
  friend class QtBinder;
  struct Bound {
    TControl* c = nullptr;
    QWidget* w = nullptr;
    QAction* a = nullptr;
    QMenu* m = nullptr;
    QPalette basePalette;
    // Last state applied, to leave unchanged widgets alone.
    std::vector<std::string> items;
    bool itemsApplied = false;
    TRect bounds;
    double boundsZoom = 0;
    std::string picture;
    bool pictureApplied = false;
    // Grids: the rows shown, widths and heights as last applied.
    std::vector<std::vector<std::string>> cells;
    std::vector<int> colWidths;
    int rowHeight = 0;
    double gridZoom = 0;
    std::string font;
  };

  void CreateWidget(Bound& b, QWidget* parent);
  void CreateMenus(QMenuBar* menuBar);
  void Wire(Bound& b);
  // A radio group's buttons, one per item, made anew when its items change.
  void RebuildRadioGroup(Bound& b);
  void RefreshControl(Bound& b);
  void RefreshMenu(Bound& b);
  void RefreshGrid(Bound& b);
  void WireGrid(Bound& b);
  void ApplyColor(Bound& b);
  void ApplyWindowStyle();
  void ApplyFormColor();
  void ApplyFormGeometry();
  void ApplyFont();
  void PlaceOnShow();
  // The window's frame around its client area, as far as the window system
  // has told it (nothing before that).
  QMargins FrameMargins() const;
  // Puts the window's outer frame, not its client area, at p.
  void MoveFrame(const QPoint& p);
  void PaintBoxPaint(TControl& c, QPainter& p);
  void PaintBoxMouse(TControl& c, const QMouseEvent& e);
  Bound* Find(const std::string& name);
  const Bound* Find(const std::string& name) const;
  QRect Scaled(const TRect& r) const;
  void UserClose();
  void WindowMoved();
  // The user resized the window of a form with ResizeEvents.
  void WindowResized();
  void WindowClosed();

  QtBinder& binder_;
  TForm& form_;
  QPointer<QWidget> window_;
  QPointer<QWidget> container_;
  std::vector<Bound> bound_;
  double zoom_;
  QFont baseFont_;
  QPalette formBasePalette_;
  TRect formApplied_{};
  double formZoomApplied_ = 0;
  bool formFixedApplied_ = false;
  QMargins marginsApplied_;
  bool closingByForm_ = false;
  std::unique_ptr<QObject> guard_;  // context of every connection the view makes
  std::unique_ptr<QObject> filter_;
  // First child of the container: it goes before the widgets do, so the view
  // is unbound before any widget can signal from its destructor.
  QObject* sentinel_ = nullptr;
};

// All bound forms of the station and the single way in for the user's events.
class QtBinder {
 public:
  // ui reports failures of events run before a context is set.
  explicit QtBinder(IUi& ui);
  ~QtBinder();
  QtBinder(const QtBinder&) = delete;
  QtBinder& operator=(const QtBinder&) = delete;

  void SetKontext(TKontext* k) { k_ = k; }
  TKontext* Kontext() const { return k_; }

  // Binds form to window: the controls' widgets go into container, the menu
  // entries into menuBar (none without one). The view lives as long as the
  // window does.
  QtFormView& Bind(TForm& form, QWidget* window, QWidget* container, QMenuBar* menuBar = nullptr);
  QtFormView* Find(const TForm& form) const;
  // The window forms centred on the main form are centred on: the window of
  // the first form bound that still has one (the station binds its main
  // window first).
  QWidget* MainWindow() const;

  // Runs one user-interface event through the context's dispatcher, then
  // brings every bound window up to date with what the event changed.
  void Dispatch(const std::function<void()>& fn);
  void RefreshAll();
  // Whether a paint box's drawing is running (a window may not open then).
  bool Painting() const { return painting_ > 0; }

 private:
  friend class QtFormView;
  void Run(const std::function<void()>& fn);
  void Unbind(QtFormView* v);

  IUi& ui_;
  TKontext* k_ = nullptr;
  int painting_ = 0;
  std::vector<std::unique_ptr<QtFormView>> views_;
  std::unique_ptr<QObject> guard_;
};

}  // namespace kvr
