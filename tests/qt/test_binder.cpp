#include "qt/binder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>

#include "model/io.h"
#include "qt/qt_pomoc.h"
#include "support/fake_platform.h"
#include "ui/bezhlavy_ui.h"
#include "ui/kontext.h"

namespace kvr {
namespace {

class TSkusobna : public TForm {
 public:
  TSkusobna() : TForm("Skusobna", "Skúška", {10, 20, 420, 320}) {
    mnNeu.Parent = mnTrenn.Parent = mnEnde.Parent = mnDatei.Name();
    rbA.Parent = rbB.Parent = gSkupina.Name();
    rbA.Checked = true;
    cbVyber.Items = {"eins", "zwei", "drei"};
    cbVyber.ItemIndex = 0;
    lbZoznam.Items = {"a", "b"};
    bOK.OnClick = [this] {
      ++kliky;
      pStav.Caption = "geklickt";
    };
    pStav.OnClick = [this] { ++klikyPanel; };
    chbZap.OnClick = [this] { zapPriKliku = chbZap.Checked; };
    rbA.OnClick = [this] { ++klikyRadio; };
    rbB.OnClick = [this] { ++klikyRadio; };
    cbVyber.OnChange = [this] {
      ++zmeny;
      lbText.Caption = cbVyber.SelectedText();
    };
    lbZoznam.OnChange = [this] { ++zmeny; };
    eMeno.OnChange = [this] { lbText.Caption = "Name: " + eMeno.Caption; };
    mPoznamky.OnChange = [this] { ++zmeny; };
    mnNeu.OnClick = [this] { ++klikyMenu; };
  }

  TControl mnDatei{*this, "mnDatei", TControlKind::MenuItem, "DATEI"};
  TControl mnNeu{*this, "mnNeu", TControlKind::MenuItem, "Neu"};
  TControl mnTrenn{*this, "mnTrenn", TControlKind::MenuItem, "-"};
  TControl mnEnde{*this, "mnEnde", TControlKind::MenuItem, "Ende"};
  TControl mnInfo{*this, "mnInfo", TControlKind::MenuItem, "INFO"};
  TControl pStav{*this, "pStav", TControlKind::Panel, "", {8, 8, 100, 30}};
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {116, 8, 80, 30}};
  TControl lbText{*this, "lbText", TControlKind::Label, "Text", {204, 8, 100, 30}};
  TControl rbA{*this, "rbA", TControlKind::RadioButton, "A", {8, 20, 80, 20}};
  TControl rbB{*this, "rbB", TControlKind::RadioButton, "B", {8, 44, 80, 20}};
  TControl gSkupina{*this, "gSkupina", TControlKind::GroupBox, "Gruppe", {8, 46, 200, 80}};
  TControl chbZap{*this, "chbZap", TControlKind::CheckBox, "An", {216, 46, 80, 20}};
  TControl cbVyber{*this, "cbVyber", TControlKind::ComboBox, "", {8, 134, 120, 24}};
  TControl lbZoznam{*this, "lbZoznam", TControlKind::ListBox, "", {136, 134, 120, 60}};
  TControl eMeno{*this, "eMeno", TControlKind::Edit, "", {8, 202, 120, 24}};
  TControl mPoznamky{*this, "mPoznamky", TControlKind::Memo, "", {136, 202, 120, 60}};
  TControl PaintBox1{*this, "PaintBox1", TControlKind::PaintBox, "", {264, 134, 100, 100}};
  TControl iObraz{*this, "iObraz", TControlKind::Image, "", {264, 240, 40, 40}};

  int kliky = 0;
  int klikyPanel = 0;
  int klikyRadio = 0;
  int klikyMenu = 0;
  int zmeny = 0;
  bool zapPriKliku = false;
};

class BinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    binder.SetKontext(&k);
    okno = std::make_unique<QMainWindow>();
    auto* client = new QWidget(okno.get());
    okno->setCentralWidget(client);
    view = &binder.Bind(f, okno.get(), client, okno->menuBar());
  }

  template <class T>
  T* W(const char* name) {
    T* w = okno->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  TBezhlavyUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TSkusobna f;
  QtBinder binder{ui};
  std::unique_ptr<QMainWindow> okno;  // last: it goes first
  QtFormView* view = nullptr;
};

TEST_F(BinderTest, EveryControlHasAWidgetOfItsKindUnderItsName) {
  const struct {
    const char* name;
    const char* cls;
  } cases[] = {
      {"pStav", "kvr::QtClickLabel"},  {"bOK", "QPushButton"},     {"lbText", "kvr::QtClickLabel"},
      {"rbA", "QRadioButton"},         {"gSkupina", "QGroupBox"},  {"chbZap", "QCheckBox"},
      {"cbVyber", "QComboBox"},        {"lbZoznam", "QListWidget"}, {"eMeno", "QLineEdit"},
      {"mPoznamky", "QPlainTextEdit"}, {"PaintBox1", "kvr::QtPaintBox"}, {"iObraz", "kvr::QtClickLabel"},
  };
  for (const auto& c : cases) {
    QWidget* w = W<QWidget>(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), c.cls) << c.name;
    EXPECT_EQ(view->Widget(c.name), w) << c.name;
  }
  EXPECT_EQ(okno->objectName(), QStringLiteral("Skusobna"));
  EXPECT_EQ(okno->windowTitle(), QStringLiteral("Skúška"));
  // Radio buttons sit in their group, declared after them.
  EXPECT_EQ(W<QRadioButton>("rbA")->parentWidget(), W<QGroupBox>("gSkupina"));
}

TEST_F(BinderTest, MenuEntriesFormMenusByParent) {
  const QList<QAction*> bar = okno->menuBar()->actions();
  ASSERT_EQ(bar.size(), 2);
  EXPECT_EQ(bar[0]->objectName(), QStringLiteral("mnDatei"));
  EXPECT_EQ(bar[0]->text(), QStringLiteral("DATEI"));
  ASSERT_NE(bar[0]->menu(), nullptr);
  EXPECT_EQ(bar[1]->objectName(), QStringLiteral("mnInfo"));
  EXPECT_EQ(bar[1]->menu(), nullptr);

  const QList<QAction*> datei = bar[0]->menu()->actions();
  ASSERT_EQ(datei.size(), 3);
  EXPECT_EQ(datei[0]->text(), QStringLiteral("Neu"));
  EXPECT_TRUE(datei[1]->isSeparator());
  EXPECT_EQ(datei[2]->objectName(), QStringLiteral("mnEnde"));

  view->Action("mnNeu")->trigger();
  EXPECT_EQ(f.klikyMenu, 1);
  // Triggering does not tick an entry.
  EXPECT_FALSE(view->Action("mnNeu")->isChecked());

  f.mnNeu.Enabled = false;
  f.mnEnde.Visible = false;
  f.mnDatei.Caption = "FILE";
  f.mnInfo.Checked = true;
  binder.RefreshAll();
  EXPECT_FALSE(view->Action("mnNeu")->isEnabled());
  EXPECT_FALSE(view->Action("mnEnde")->isVisible());
  EXPECT_EQ(bar[0]->text(), QStringLiteral("FILE"));
  EXPECT_TRUE(view->Action("mnInfo")->isChecked());
}

TEST_F(BinderTest, StateReachesTheWidgets) {
  f.Caption = "Neuer Titel";
  f.bOK.Caption = "WEITER";
  f.lbText.Caption = "  KÖRPER NAME:  ";
  f.gSkupina.Caption = "Art";
  f.eMeno.Caption = "Spule 1";
  f.bOK.Enabled = false;
  f.pStav.Visible = false;
  f.chbZap.Checked = true;
  f.rbA.Checked = false;
  f.rbB.Checked = true;
  f.cbVyber.Items = {"KVR - 22", "KVR - 60"};
  f.cbVyber.ItemIndex = 1;
  f.lbZoznam.ItemIndex = 1;
  f.mPoznamky.Items = {"Zeile 1", "Zeile 2"};
  f.bOK.Tag = 7;
  binder.RefreshAll();

  EXPECT_EQ(okno->windowTitle(), QStringLiteral("Neuer Titel"));
  EXPECT_EQ(W<QPushButton>("bOK")->text(), QStringLiteral("WEITER"));
  EXPECT_EQ(W<QLabel>("lbText")->text(), QStringLiteral("  KÖRPER NAME:  "));
  EXPECT_EQ(W<QGroupBox>("gSkupina")->title(), QStringLiteral("Art"));
  EXPECT_EQ(W<QLineEdit>("eMeno")->text(), QStringLiteral("Spule 1"));
  EXPECT_FALSE(W<QPushButton>("bOK")->isEnabled());
  EXPECT_TRUE(W<QLabel>("pStav")->isHidden());
  EXPECT_TRUE(W<QCheckBox>("chbZap")->isChecked());
  EXPECT_FALSE(W<QRadioButton>("rbA")->isChecked());
  EXPECT_TRUE(W<QRadioButton>("rbB")->isChecked());
  auto* cb = W<QComboBox>("cbVyber");
  ASSERT_EQ(cb->count(), 2);
  EXPECT_EQ(cb->itemText(1), QStringLiteral("KVR - 60"));
  EXPECT_EQ(cb->currentIndex(), 1);
  EXPECT_EQ(W<QListWidget>("lbZoznam")->currentRow(), 1);
  EXPECT_EQ(W<QPlainTextEdit>("mPoznamky")->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
  EXPECT_EQ(W<QPushButton>("bOK")->property("tag").toInt(), 7);

  // An index outside the list selects nothing.
  f.cbVyber.ItemIndex = 5;
  binder.RefreshAll();
  EXPECT_EQ(cb->currentIndex(), -1);

  // Putting state into the widgets is no user action: no handler runs.
  EXPECT_EQ(f.zmeny, 0);
  EXPECT_EQ(f.klikyRadio, 0);
  EXPECT_EQ(f.kliky, 0);
}

TEST_F(BinderTest, ColoursPaintTheirRoleAndButtonFaceRestoresTheStyle) {
  auto* panel = W<QLabel>("pStav");
  auto* button = W<QPushButton>("bOK");
  auto* edit = W<QLineEdit>("eMeno");
  const QPalette panelBase = panel->palette();
  const QPalette editBase = edit->palette();

  f.pStav.Color = clLime;
  f.bOK.Color = 0x123456;
  f.eMeno.Color = clYellow;
  binder.RefreshAll();
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0x00, 0xFF, 0x00));
  EXPECT_EQ(button->palette().color(QPalette::Button), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x00));
  // Disabled panels keep their colour, as lit and unlit sets are told apart by it.
  f.pStav.Enabled = false;
  binder.RefreshAll();
  EXPECT_EQ(panel->palette().color(QPalette::Disabled, QPalette::Window), QColor(0x00, 0xFF, 0x00));

  f.pStav.Color = clBtnFace;
  f.eMeno.Color = clBtnFace;
  binder.RefreshAll();
  EXPECT_EQ(panel->palette().color(QPalette::Window), panelBase.color(QPalette::Window));
  // An edit's own face stays its white, not the button face.
  EXPECT_EQ(edit->palette().color(QPalette::Base), editBase.color(QPalette::Base));
}

TEST_F(BinderTest, GeometryFollowsBoundsTimesZoom) {
  auto* button = W<QPushButton>("bOK");
  EXPECT_EQ(button->geometry(), QRect(116, 8, 80, 30));
  // Children of a group are placed inside it.
  EXPECT_EQ(W<QRadioButton>("rbB")->geometry(), QRect(8, 44, 80, 20));
  EXPECT_GE(okno->centralWidget()->minimumWidth(), 420);

  const double font = okno->centralWidget()->font().pointSizeF();
  view->SetZoom(1.5);
  EXPECT_EQ(button->geometry(), QRect(174, 12, 120, 45));
  EXPECT_EQ(okno->centralWidget()->minimumSize(), QSize(630, 480));
  EXPECT_DOUBLE_EQ(okno->centralWidget()->font().pointSizeF(), font * 1.5);

  f.bOK.Bounds = {20, 30, 40, 10};
  binder.RefreshAll();
  EXPECT_EQ(button->geometry(), QRect(30, 45, 60, 15));
}

TEST_F(BinderTest, UserPickInAListSetsTheIndexBeforeTheHandlerRuns) {
  auto* cb = W<QComboBox>("cbVyber");
  cb->setCurrentIndex(2);
  emit cb->activated(2);
  EXPECT_EQ(f.cbVyber.ItemIndex, 2);
  EXPECT_EQ(f.zmeny, 1);
  // What the handler changed is on screen at once.
  EXPECT_EQ(W<QLabel>("lbText")->text(), QStringLiteral("drei"));

  W<QListWidget>("lbZoznam")->setCurrentRow(1);
  EXPECT_EQ(f.lbZoznam.ItemIndex, 1);
  EXPECT_EQ(f.zmeny, 2);
}

TEST_F(BinderTest, ClicksRunTheirHandlers) {
  W<QPushButton>("bOK")->click();
  EXPECT_EQ(f.kliky, 1);
  EXPECT_EQ(W<QLabel>("pStav")->text(), QStringLiteral("geklickt"));

  // A panel clicks on release inside it; a press dragged out of it does not.
  okno->show();
  auto* panel = W<QLabel>("pStav");
  const QPointF in(10, 10);
  const QPointF out(500, 500);
  QMouseEvent press(QEvent::MouseButtonPress, in, panel->mapToGlobal(in), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, in, panel->mapToGlobal(in), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QMouseEvent releaseOut(QEvent::MouseButtonRelease, out, panel->mapToGlobal(out), Qt::LeftButton, Qt::NoButton,
                         Qt::NoModifier);
  QApplication::sendEvent(panel, &press);
  QApplication::sendEvent(panel, &release);
  EXPECT_EQ(f.klikyPanel, 1);
  QApplication::sendEvent(panel, &press);
  QApplication::sendEvent(panel, &releaseOut);
  EXPECT_EQ(f.klikyPanel, 1);

  W<QCheckBox>("chbZap")->click();
  EXPECT_TRUE(f.chbZap.Checked);
  EXPECT_TRUE(f.zapPriKliku);
}

TEST_F(BinderTest, RadioButtonsOfAGroupExcludeEachOther) {
  auto* a = W<QRadioButton>("rbA");
  auto* b = W<QRadioButton>("rbB");
  b->click();
  EXPECT_FALSE(f.rbA.Checked);
  EXPECT_TRUE(f.rbB.Checked);
  EXPECT_FALSE(a->isChecked());
  EXPECT_EQ(f.klikyRadio, 1);
  // The button that is on stays on, and clicking it runs nothing.
  b->click();
  EXPECT_TRUE(f.rbB.Checked);
  EXPECT_TRUE(b->isChecked());
  EXPECT_EQ(f.klikyRadio, 1);
}

TEST_F(BinderTest, TypingGoesIntoTheState) {
  okno->show();
  auto* e = W<QLineEdit>("eMeno");
  QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
  QApplication::sendEvent(e, &key);
  EXPECT_EQ(f.eMeno.Caption, "x");
  EXPECT_EQ(W<QLabel>("lbText")->text(), QStringLiteral("Name: x"));

  auto* m = W<QPlainTextEdit>("mPoznamky");
  m->insertPlainText(QStringLiteral("eins\nzwei"));
  EXPECT_EQ(f.mPoznamky.Items, (std::vector<std::string>{"eins", "zwei"}));
  EXPECT_GE(f.zmeny, 1);
  // The refresh after the edit leaves the user's text and cursor alone.
  EXPECT_EQ(m->toPlainText(), QStringLiteral("eins\nzwei"));
  EXPECT_EQ(m->textCursor().position(), 9);
}

TEST_F(BinderTest, FailingHandlerGoesToTheErrorReportAndTheStationGoesOn) {
  f.bOK.OnClick = [this] {
    f.pStav.Caption = "halb";
    throw TIoError("E/A-Fehler 103");
  };
  f.cbVyber.OnChange = [] { throw std::runtime_error("kaputt"); };
  W<QPushButton>("bOK")->click();
  emit W<QComboBox>("cbVyber")->activated(1);
  EXPECT_EQ(ui.Hlasenia, (std::vector<std::string>{"E/A-Fehler 103", "kaputt"}));
  // The state reached before the failure is shown.
  EXPECT_EQ(W<QLabel>("pStav")->text(), QStringLiteral("halb"));
}

TEST_F(BinderTest, CloseBoxAsksTheForm) {
  int asked = 0;
  view->OnUserClose = [&asked] { ++asked; };
  okno->show();
  EXPECT_FALSE(okno->close());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(okno->isVisible());

  // Without a handler the form closes with Cancel; the window goes when the
  // form's closing reaches it.
  view->OnUserClose = nullptr;
  f.OnCloseRequested = [this](TForm&) { view->CloseLater(); };
  f.Visible = true;
  okno->close();
  EXPECT_EQ(f.ModalResult, TModalResult::Cancel);
  test::Spracuj();
  EXPECT_FALSE(okno->isVisible());
  EXPECT_FALSE(f.Visible);
}

TEST_F(BinderTest, MovingTheWindowUpdatesTheFormPlace) {
  EXPECT_EQ(okno->pos(), QPoint(10, 20));
  okno->show();
  okno->move(150, 155);
  test::Spracuj();
  EXPECT_EQ(f.Bounds.Left, 150);
  EXPECT_EQ(f.Bounds.Top, 155);
  f.Bounds.Left = 100;
  binder.RefreshAll();
  EXPECT_EQ(okno->pos().x(), 100);
}

TEST_F(BinderTest, WindowGoneLeavesTheFormUnbound) {
  okno.reset();
  EXPECT_EQ(binder.Find(f), nullptr);
  f.bOK.Caption = "x";
  binder.RefreshAll();
}

}  // namespace
}  // namespace kvr
