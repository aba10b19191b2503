#include "qt/qt_ui.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "qt/report.h"

namespace kvr {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The first pattern of a Qt name filter as a suffix ("kvr" of "Programme (*.kvr)"),
// or nothing when it is not a plain "*.ext".
QString Pripona(const QString& nameFilter) {
  const QRegularExpression re(QStringLiteral("\\(\\*\\.([^*?\\[\\] ()]+)[ )]"));
  const QRegularExpressionMatch m = re.match(nameFilter);
  return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  QStringList out;
  const QStringList parts = Q(filter).split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (QString p : parts[i + 1].split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
      if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
      patterns.append(p);
    }
    if (patterns.isEmpty()) continue;
    QString text = parts[i].trimmed();
    // A trailing "(*.kvr)" of the text only repeats the patterns; Qt shows its own.
    static const QRegularExpression kOpakovane(QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)$"));
    text.remove(kOpakovane);
    const QString list = patterns.join(QLatin1Char(' '));
    out.append(text.isEmpty() ? list : text + QStringLiteral(" (") + list + QLatin1Char(')'));
  }
  return out;
}

QtUi::QtUi() : binder_(*this), guard_(std::make_unique<QObject>()) {}

QtUi::~QtUi() = default;

QWidget* QtUi::DialogParent() const {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  if (QWidget* w = QApplication::activeWindow()) return w;
  return nullptr;
}

TMsgAnswer QtUi::Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
  // A drawing's messages (a step it cannot draw) wait until the paint event
  // is over: a box opened inside it would let a nested repaint run the walk
  // again while the first is still drawing.
  if (buttons == TMsgButtons::Ok && binder_.Painting()) {
    Post([this, kind, text] { Message(kind, text, TMsgButtons::Ok); });
    return TMsgAnswer::Ok;
  }
  QMessageBox box(DialogParent());
  switch (kind) {
    case TMsgKind::Error:
      box.setIcon(QMessageBox::Critical);
      box.setWindowTitle(QStringLiteral("Fehler"));
      break;
    case TMsgKind::Information:
      box.setIcon(QMessageBox::Information);
      box.setWindowTitle(QStringLiteral("Information"));
      break;
    case TMsgKind::Warning:
      box.setIcon(QMessageBox::Warning);
      box.setWindowTitle(QStringLiteral("Warnung"));
      break;
    case TMsgKind::Confirmation:
      box.setIcon(QMessageBox::Question);
      box.setWindowTitle(QStringLiteral("Bestätigen"));
      break;
  }
  // The texts carry meaningful leading and trailing blanks and '<' signs.
  box.setTextFormat(Qt::PlainText);
  box.setText(Q(text));
  QPushButton* ok = nullptr;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  QPushButton* cancel = nullptr;
  switch (buttons) {
    case TMsgButtons::Ok:
      ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
      box.setDefaultButton(ok);
      box.setEscapeButton(ok);
      break;
    case TMsgButtons::YesNo:
      yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
      no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
      box.setDefaultButton(yes);
      box.setEscapeButton(no);
      break;
    case TMsgButtons::YesNoCancel:
      yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
      no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
      cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
      box.setDefaultButton(yes);
      box.setEscapeButton(cancel);
      break;
  }
  box.exec();
  const QAbstractButton* c = box.clickedButton();
  if (c != nullptr && c == yes) return TMsgAnswer::Yes;
  if (c != nullptr && c == no) return TMsgAnswer::No;
  if (c != nullptr && c == ok) return TMsgAnswer::Ok;
  return OdpovedBezTlacidla(buttons);
}

std::optional<std::string> QtUi::FileDialog(const TFileDialog& d, bool save) {
  QFileDialog dlg(DialogParent(), Q(d.Title), Q(d.InitialDir));
  const QStringList filters = QtNameFilters(d.Filter);
  if (!filters.isEmpty()) dlg.setNameFilters(filters);
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!d.FileName.empty()) dlg.selectFile(Q(d.FileName));
  if (save) {
    // A name typed without extension gets the one of the chosen file type.
    if (!filters.isEmpty()) dlg.setDefaultSuffix(Pripona(filters.first()));
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg,
                     [&dlg](const QString& f) { dlg.setDefaultSuffix(Pripona(f)); });
  }
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dlg.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  // Qt hands out "/" on every system; the core keeps the system's own form
  // ("D:\..." on Windows), which files and captions carry.
  return QDir::toNativeSeparators(files.first()).toStdString();
}

std::optional<std::string> QtUi::OpenDialog(const TFileDialog& d) { return FileDialog(d, false); }

std::optional<std::string> QtUi::SaveDialog(const TFileDialog& d) { return FileDialog(d, true); }

QtFormView& QtUi::ViewFor(TForm& f) {
  if (QtFormView* v = binder_.Find(f)) return *v;
  auto dlg = std::make_unique<QDialog>();
  QWidget* container = dlg.get();
  QMenuBar* bar = nullptr;
  const auto& cs = f.Controls();
  if (std::any_of(cs.begin(), cs.end(), [](const TControl* c) { return c->Kind() == TControlKind::MenuItem; })) {
    auto* lay = new QVBoxLayout(dlg.get());
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    bar = new QMenuBar(dlg.get());
    lay->setMenuBar(bar);
    container = new QWidget(dlg.get());
    lay->addWidget(container);
  }
  QtFormView& v = binder_.Bind(f, dlg.get(), container, bar);
  ownDialogs_.push_back(std::move(dlg));
  return v;
}

TModalResult QtUi::ShowModal(TForm& f) {
  QtFormView& v = ViewFor(f);
  const QPointer<QWidget> w = v.Window();
  const QPointer<QDialog> dlg = qobject_cast<QDialog*>(w.data());
  bool closed = false;
  QEventLoop loop;
  std::function<void(TForm&)> previous = std::move(f.OnCloseRequested);
  f.OnCloseRequested = [&closed, &loop, w, dlg](TForm&) {
    closed = true;
    if (dlg) {
      dlg->done(QDialog::Accepted);
    } else {
      if (w) w->hide();
      loop.quit();
    }
  };
  f.ModalResult = TModalResult::None;
  f.Visible = true;
  binder_.Dispatch([&f] { f.FormShow(); });
  if (!closed && w) {
    if (dlg) {
      dlg->exec();
    } else {
      // A modal showing of a window that is no dialog.
      QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
      w->setWindowModality(Qt::ApplicationModal);
      w->show();
      loop.exec();
      if (w) {
        w->hide();
        w->setWindowModality(Qt::NonModal);
      }
    }
  }
  // A modal form closed without a result, or by the window going, was cancelled.
  if (!closed || f.ModalResult == TModalResult::None) f.ModalResult = TModalResult::Cancel;
  f.Visible = false;
  f.OnCloseRequested = std::move(previous);
  binder_.RefreshAll();
  return f.ModalResult;
}

void QtUi::Show(TForm& f) {
  QtFormView& v = ViewFor(f);
  const QPointer<QWidget> w = v.Window();
  if (w && w->isVisible()) {
    w->raise();
    w->activateWindow();
    return;
  }
  // Shown from a modal window (the error descriptions from the listing), a
  // window would take no input while that one is up: it is modal itself then,
  // for as long as it is shown, and the caller still does not wait for it.
  const bool overModal = w && QApplication::activeModalWidget() != nullptr &&
                         QApplication::activeModalWidget() != w.data();
  if (overModal) w->setWindowModality(Qt::ApplicationModal);
  f.OnCloseRequested = [this, overModal](TForm& form) {
    if (QtFormView* cv = binder_.Find(form)) {
      if (overModal)
        if (QWidget* cw = cv->Window()) cw->setWindowModality(Qt::NonModal);
      cv->CloseLater();
    }
  };
  f.Visible = true;
  binder_.Dispatch([&f] { f.FormShow(); });
  if (w) {
    w->show();
    w->raise();
    w->activateWindow();
  }
}

void QtUi::Hide(TForm& f) {
  f.Visible = false;
  if (QtFormView* v = binder_.Find(f))
    if (QWidget* w = v->Window()) w->hide();
}

void QtUi::PrintReport(const TReport& report) {
  QPrinter printer(QPrinter::HighResolution);
  PrepareReportPrinter(printer, report);
  QPrintPreviewDialog dlg(&printer, DialogParent());
  dlg.setWindowTitle(QString::fromStdString(report.Title));
  dlg.resize(900, 1000);
  QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&report](QPrinter* p) {
    // The date and time of this printing (or of the preview's page).
    PrintReportPages(*p, report, ReportDateTime());
  });
  dlg.exec();
}

void QtUi::Post(std::function<void()> fn) {
  QTimer::singleShot(0, guard_.get(), [this, fn = std::move(fn)] { binder_.Dispatch(fn); });
}

int QtUi::StartTimer(int intervalMs, std::function<void()> fn) {
  auto* t = new QTimer(guard_.get());
  t->setInterval(intervalMs);
  QObject::connect(t, &QTimer::timeout, guard_.get(), [this, fn = std::move(fn)] { binder_.Dispatch(fn); });
  const int id = nextTimer_++;
  timers_[id] = t;
  t->start();
  return id;
}

void QtUi::StopTimer(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  // Later: the timer's own handler may be the one stopping it.
  it->second->deleteLater();
  timers_.erase(it);
}

void QtUi::Invalidate(TForm& f, const std::string& control) {
  QtFormView* v = binder_.Find(f);
  if (v == nullptr) return;
  QWidget* w = control.empty() ? v->Window() : v->Widget(control);
  if (w != nullptr) w->update();
}

void QtUi::Repaint(TForm& f, const std::string& control) {
  QtFormView* v = binder_.Find(f);
  if (v == nullptr) return;
  QWidget* w = control.empty() ? v->Window() : v->Widget(control);
  if (w != nullptr) w->repaint();
}

TScreenSize QtUi::ScreenSize() {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (s == nullptr) return {};
  return {s->size().width(), s->size().height()};
}

void QtUi::ReportError(const std::string& text) { Message(TMsgKind::Error, text, TMsgButtons::Ok); }

}  // namespace kvr
