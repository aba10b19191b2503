// The programming station: the main window and its model window on Qt, the
// logic on the machine's own platform.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "platform/platform.h"
#include "qt/model_window.h"
#include "qt/main_window.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_texts.h"
#include "qt/qt_ui.h"
#include "qt/bobbin_editor_window.h"
#include "qt/keypad_window.h"
#include "qt/shift_window.h"
#include "tools/keypad.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KVR"));
  // One look on every system, and one whose colours the windows' own colours override.
  QApplication::setStyle(QStringLiteral("Fusion"));
  // The operator's language is German, the file dialogs' texts included.
  if (kvr::InstallGermanQtTexts(app) == nullptr) std::fprintf(stderr, "kvr_station: Qt's German texts not found\n");

  const std::unique_ptr<kvr::IPlatform> platform = kvr::CreateNativePlatform();
  kvr::QtUi ui;
  // The link's port; the station never opens it (the link window stays hidden).
  kvr::QtSerialPort port;
  kvr::TProg prog(ui, *platform);
  prog.Kontext().Link.Port = &port;
  ui.SetKontext(prog.Kontext());

  // The main window first, the model window last; the main form's creation
  // handler runs the other forms' creation handlers in the same order.
  kvr::QtMainWindow progOkno(prog, ui.Binder());
  kvr::QtModelWindow modelOkno(prog.fModel, ui.Binder(), &progOkno);
  ui.Binder().Dispatch([&prog] { prog.FormCreate(); });
  // The keypad's own window, so the hardware keyboard reaches it.
  kvr::QtKeypadWindow vstupOkno(prog.fVstup, ui.Binder(), &progOkno);
  kvr::QtBobbinEditorWindow kostrickaOkno(prog.fKostricka, ui.Binder(), &progOkno);
  kvr::QtShiftWindow posunOkno(prog.fPosun, ui.Binder(), &progOkno);
  QObject::connect(&progOkno, &kvr::QtMainWindow::closed, &app, &QCoreApplication::quit);

  ui.Show(prog);
  return QApplication::exec();
}
