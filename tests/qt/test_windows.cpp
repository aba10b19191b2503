// The station's windows as the operator's panel shows them: frames placed and
// sized by the design, zoom back and forth, title bar buttons by border
// style, the step background, and Qt's own dialogs in German.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWindow>
#include <gtest/gtest.h>
#include <cmath>
#include <memory>
#include <vector>

#include "qt/binder.h"
#include "qt/model_window.h"
#include "qt/main_window.h"
#include "qt/qt_helpers.h"
#include "qt/qt_texts.h"
#include "qt/qt_ui.h"
#include "qt/keypad_window.h"
#include "support/fake_platform.h"
#include "tools/up_down.h"
#include "tools/keypad.h"
#include "tools/text_input.h"
#include "form/headless_ui.h"
#include "ui/errors_window.h"
#include "ui/info_window.h"
#include "model/context.h"
#include "ui/main_window.h"
#include "ui/wait_window.h"
#include "ui/warnings_window.h"

namespace kvr {
namespace {

// The station's windows put together as the station does.
class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ui.SetKontext(prog.Kontext());
    ui.Binder().Dispatch([this] { prog.FormCreate(); });
    vstupOkno = std::make_unique<QtKeypadWindow>(prog.fVstup, ui.Binder(), &okno);
  }
  void TearDown() override {
    for (TForm* f : {static_cast<TForm*>(&prog.fVstup), static_cast<TForm*>(&prog)})
      if (f != nullptr) ui.Hide(*f);
  }

  test::UnexpectedBoxGuard guard;
  QTemporaryDir dir;
  test::FakePlatform pl{dir.filePath(QStringLiteral("drives")).toStdString(), dir.path().toStdString()};
  QtUi ui;
  TProg prog{ui, pl};
  QtMainWindow okno{prog, ui.Binder()};
  QtModelWindow modelOkno{prog.fModel, ui.Binder(), &okno};
  std::unique_ptr<QtKeypadWindow> vstupOkno;
};

QSize Zoomed(QSize s, int percent) {
  return {static_cast<int>(std::lround(s.width() * percent / 100.0)),
          static_cast<int>(std::lround(s.height() * percent / 100.0))};
}

// The design place and size are the outer frame's: title bar and menu bar
// lie inside 1048 x 816 from the screen's corner.
TEST_F(WindowsTest, MainWindowFrameIsTheDesignPlaceAndSize) {
  ui.Show(prog);
  test::Spracuj();
  ASSERT_TRUE(okno.isVisible());
  const QMargins m = okno.windowHandle()->frameMargins();
  EXPECT_EQ(okno.frameGeometry(), QRect(0, 0, 1048, 816));
  EXPECT_EQ(okno.geometry(), QRect(m.left(), m.top(), 1048 - m.left() - m.right(), 816 - m.top() - m.bottom()));
  // The menu bar takes its height from the client area, not on top of it.
  EXPECT_EQ(okno.menuBar()->height() + okno.centralWidget()->height(), okno.height());
}

TEST_F(WindowsTest, ZoomOutUndoesZoomIn) {
  ui.Show(prog);
  test::Spracuj();
  QAction* plus = okno.findChild<QAction*>(QStringLiteral("mnZoomPlus"));
  QAction* minus = okno.findChild<QAction*>(QStringLiteral("mnZoomMinus"));
  ASSERT_NE(plus, nullptr);
  ASSERT_NE(minus, nullptr);
  const QRect at100 = okno.frameGeometry();
  const QSize client100 = okno.centralWidget()->size();
  const int steps[] = {110, 120, 130};
  for (const int z : steps) {
    plus->trigger();
    test::Spracuj();
    EXPECT_EQ(okno.frameGeometry().size(), Zoomed(QSize(1048, 816), z)) << z;
  }
  for (int i = 2; i >= 0; --i) {
    minus->trigger();
    test::Spracuj();
    const int z = i == 0 ? 100 : steps[i - 1];
    EXPECT_EQ(okno.frameGeometry().size(), Zoomed(QSize(1048, 816), z)) << z;
  }
  EXPECT_EQ(static_cast<int32_t>(prog.Kontext().Desktop.Zoom), 100);
  EXPECT_EQ(okno.frameGeometry(), at100);
  EXPECT_EQ(okno.centralWidget()->size(), client100);
}

// A form sized by its client area gets it back too, with its menu bar on top.
class TSMenu : public TForm {
 public:
  TSMenu() : TForm("SMenu", "Menü", {30, 40, 300, 200}) { BorderStyle = TBorderStyle::Sizeable; }
  TControl mnDatei{*this, "mnDatei", TControlKind::MenuItem, "DATEI"};
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {8, 8, 80, 30}};
};

TEST(ClientSizedWindowTest, ZoomOutShrinksTheWindowBack) {
  HeadlessUi hui;
  test::FakePlatform pl;
  TKontext k{hui, pl};
  QtBinder binder{hui};
  binder.SetKontext(&k);
  TSMenu f;
  QMainWindow okno;
  auto* client = new QWidget(&okno);
  okno.setCentralWidget(client);
  QtFormView& v = binder.Bind(f, &okno, client, okno.menuBar());
  okno.show();
  test::Spracuj();
  const QSize at100 = okno.size();
  EXPECT_EQ(client->size(), QSize(300, 200));
  for (const double z : {1.1, 1.2, 1.3, 1.2, 1.1, 1.0}) {
    v.SetZoom(z);
    test::Spracuj();
    EXPECT_EQ(client->size(), Zoomed(QSize(300, 200), static_cast<int>(std::lround(z * 100)))) << z;
  }
  EXPECT_EQ(okno.size(), at100);
}

// Each window's title bar and frame as its form declares them.
TEST_F(WindowsTest, TitleBarButtonsAndResizingFollowEachWindowsForm) {
  const struct {
    const char* name;
    TForm* form;
    bool frameless;
    bool close;
    bool minimise;
    bool maximise;
    bool fixed;
    bool onTop;
  } cases[] = {
      {"main window", &prog, false, true, true, true, false, false},
      {"keypad", &prog.fVstup, false, false, false, false, true, true},
      {"model", &prog.fModel, false, true, false, false, true, false},
      {"info", &prog.fInfo, false, true, true, false, true, true},
      {"errors", &prog.fErrors, false, true, true, true, false, true},
      {"wait", &prog.fWait, true, false, false, false, true, false},
      {"warnings", &prog.fWarnings, true, false, false, false, true, false},
      {"up/down", &prog.fUpDown, false, true, false, false, true, false},
      {"text", &prog.fVstupTW, false, true, false, false, true, false},
  };
  // Forms without a window of their own get the plain dialog the user
  // interface would give them when shown.
  std::vector<std::unique_ptr<QDialog>> dialogs;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.form, nullptr);
    const QtFormView* v = ui.Binder().Find(*c.form);
    if (v == nullptr) {
      dialogs.push_back(std::make_unique<QDialog>());
      v = &ui.Binder().Bind(*c.form, dialogs.back().get(), dialogs.back().get());
    }
    QWidget* w = v->Window();
    const Qt::WindowFlags f = w->windowFlags();
    EXPECT_EQ(f.testFlag(Qt::FramelessWindowHint), c.frameless);
    EXPECT_EQ(f.testFlag(Qt::WindowCloseButtonHint), c.close);
    // Without a close box there is no system menu either (which would bring one).
    EXPECT_EQ(f.testFlag(Qt::WindowSystemMenuHint), c.close);
    EXPECT_EQ(f.testFlag(Qt::WindowMinimizeButtonHint), c.minimise);
    EXPECT_EQ(f.testFlag(Qt::WindowMaximizeButtonHint), c.maximise);
    EXPECT_EQ(w->minimumSize() == w->maximumSize(), c.fixed);
    EXPECT_EQ(f.testFlag(Qt::WindowStaysOnTopHint), c.onTop);
  }
}

// A window placed from its desktop slot has its frame there, also when its
// window existed before it was placed.
TEST_F(WindowsTest, StoredPlacesAreTheFramesPlaces) {
  TVstup& vstup = prog.fVstup;
  EXPECT_EQ(vstup.Bounds.Left, 362);
  EXPECT_EQ(vstup.Bounds.Top, 107);
  ui.Show(vstup);
  test::Spracuj();
  EXPECT_EQ(vstupOkno->frameGeometry().topLeft(), QPoint(362, 107));
  EXPECT_EQ(vstupOkno->frameGeometry().size(), vstupOkno->size().grownBy(vstupOkno->windowHandle()->frameMargins()));
  ui.Hide(vstup);

  vstup.Bounds.Left = 200;
  vstup.Bounds.Top = 150;
  ui.Binder().RefreshAll();
  ui.Show(vstup);
  test::Spracuj();
  EXPECT_EQ(vstupOkno->frameGeometry().topLeft(), QPoint(200, 150));
  // Moving it stores the frame's place.
  vstupOkno->move(220, 160);
  test::Spracuj();
  EXPECT_EQ(vstup.Bounds.Left, 220);
  EXPECT_EQ(vstup.Bounds.Top, 160);
  EXPECT_EQ(vstupOkno->frameGeometry().topLeft(), QPoint(220, 160));
}

// "SCHRITT:  0" stands on the step background while no step is shown; a
// shown step's group covers it completely.
TEST_F(WindowsTest, StepBackgroundShowsStepZeroUntilAStepCoversIt) {
  ui.Show(prog);
  test::Spracuj();
  auto* pozadie = okno.findChild<QLabel*>(QStringLiteral("pPodklad_Param"));
  auto* skupina = okno.findChild<QGroupBox*>(QStringLiteral("gParam"));
  ASSERT_NE(pozadie, nullptr);
  ASSERT_NE(skupina, nullptr);
  EXPECT_TRUE(pozadie->isVisible());
  EXPECT_EQ(pozadie->text(), QStringLiteral("SCHRITT:  0"));
  EXPECT_FALSE(skupina->isVisible());
  EXPECT_EQ(pozadie->geometry(), QRect(464, 146, 380, 488));

  TKontext& k = prog.Kontext();
  ui.Binder().Dispatch([&k, this] {
    k.Program.Kroky[1].Druh = 1;
    PrepocitajKroky(k.Program);
    k.Program.AktKrok = 1;
    prog.ZobrazParametre(1);
  });
  EXPECT_TRUE(skupina->isVisible());
  EXPECT_EQ(skupina->parentWidget(), pozadie);
  EXPECT_EQ(skupina->geometry(), QRect(QPoint(0, 0), pozadie->size()));
  // Opaque: the background's caption does not show through the group.
  EXPECT_TRUE(skupina->autoFillBackground());
  EXPECT_EQ(skupina->palette().color(QPalette::Window), pozadie->palette().color(QPalette::Window));
}

// The ENTER window's one word fills it: white bold Arial 120 pixels high.
// The OFFLINE window never shows its machine group.
TEST_F(WindowsTest, TheEnterAndOfflineWindowsAsTheOperatorSeesThem) {
  ui.Show(prog.fENTER);
  test::Spracuj();
  const QtFormView* v = ui.Binder().Find(prog.fENTER);
  ASSERT_NE(v, nullptr);
  auto* slovo = v->Window()->findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(slovo, nullptr);
  EXPECT_EQ(slovo->text(), QStringLiteral("ENTER"));
  EXPECT_EQ(slovo->font().pixelSize(), 120);
  EXPECT_TRUE(slovo->font().bold());
  EXPECT_EQ(slovo->palette().color(QPalette::WindowText), QColor(Qt::white));
  ui.Hide(prog.fENTER);

  prog.fOFFLINE.GroupBox1.Visible = true;
  ui.Show(prog.fOFFLINE);
  test::Spracuj();
  const QtFormView* o = ui.Binder().Find(prog.fOFFLINE);
  ASSERT_NE(o, nullptr);
  auto* stroj = o->Window()->findChild<QGroupBox*>(QStringLiteral("GroupBox1"));
  auto* offline = o->Window()->findChild<QGroupBox*>(QStringLiteral("GroupBox2"));
  ASSERT_NE(stroj, nullptr);
  ASSERT_NE(offline, nullptr);
  EXPECT_FALSE(stroj->isVisible());
  EXPECT_TRUE(offline->isVisible());
  ui.Hide(prog.fOFFLINE);
}

// Qt's own dialogs speak the operator's language.
TEST(GermanQtTextsTest, FileDialogButtonsReadGerman) {
  ASSERT_FALSE(GermanQtTextsFolder().isEmpty()) << "Qt's German translations (qtbase_de.qm) are not installed";
  QTranslator* t = InstallGermanQtTexts(*qApp);
  ASSERT_NE(t, nullptr);
  struct Remove {
    QTranslator* t;
    ~Remove() {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
  } remove{t};

  for (const bool save : {false, true}) {
    SCOPED_TRACE(save ? "save" : "open");
    QFileDialog d(nullptr, QStringLiteral("Öffnen"), QDir::tempPath());
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    auto* box = d.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    QStringList texts;
    for (QAbstractButton* b : box->buttons()) texts << b->text().remove(QLatin1Char('&'));
    EXPECT_TRUE(texts.contains(QStringLiteral("Abbrechen"))) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(save ? QStringLiteral("Speichern") : QStringLiteral("Öffnen")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("Cancel")));
    auto* lookIn = d.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text().remove(QLatin1Char('&')), QStringLiteral("Suchen in:"));
  }
}

}  // namespace
}  // namespace kvr
