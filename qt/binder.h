// The generic Qt side of a form: one widget per control under the control's
// name, kept in step with the form's state in both directions. A window's own
// Qt code only creates the window and hands it to the binder; everything the
// user does reaches the form's handlers through the binder's dispatch.
#pragma once
#include <QLabel>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/form.h"

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

// A paint box: the drawing code installs OnPaint; without it the box shows its
// background only.
class QtPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit QtPaintBox(QWidget* parent = nullptr);
  std::function<void(QPainter&)> OnPaint;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

// One bound form: its window, the widgets of its controls and what was last
// put into them.
class QtFormView {
 public:
  QtFormView(QtBinder& binder, TForm& form, QWidget* window, QWidget* container, QMenuBar* menuBar, double zoom);
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

  // Puts the form's state into the widgets.
  void Refresh();

  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);

  // What the window's close box does. By default the form closes with Cancel;
  // a window whose form must decide (the main window) routes it to its handler.
  std::function<void()> OnUserClose;

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
  };

  void CreateWidget(Bound& b, QWidget* parent);
  void CreateMenus(QMenuBar* menuBar);
  void Wire(Bound& b);
  void RefreshControl(Bound& b);
  void RefreshMenu(Bound& b);
  void ApplyColor(Bound& b);
  void ApplyFormGeometry();
  void ApplyFont();
  Bound* Find(const std::string& name);
  const Bound* Find(const std::string& name) const;
  QRect Scaled(const TRect& r) const;
  void UserClose();
  void WindowMoved();
  void WindowClosed();

  QtBinder& binder_;
  TForm& form_;
  QPointer<QWidget> window_;
  QPointer<QWidget> container_;
  std::vector<Bound> bound_;
  double zoom_;
  QFont baseFont_;
  TRect formApplied_{};
  double formZoomApplied_ = 0;
  bool formPlaced_ = false;
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
  QtFormView& Bind(TForm& form, QWidget* window, QWidget* container, QMenuBar* menuBar = nullptr,
                   double zoom = 1.0);
  QtFormView* Find(const TForm& form) const;

  // Runs one user-interface event through the context's dispatcher, then
  // brings every bound window up to date with what the event changed.
  void Dispatch(const std::function<void()>& fn);
  void RefreshAll();

 private:
  friend class QtFormView;
  void Run(const std::function<void()>& fn);
  void Unbind(QtFormView* v);

  IUi& ui_;
  TKontext* k_ = nullptr;
  std::vector<std::unique_ptr<QtFormView>> views_;
  std::unique_ptr<QObject> guard_;
};

}  // namespace kvr
