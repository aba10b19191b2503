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
#include <QScrollBar>
#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/io.h"
#include "qt/qt_helpers.h"
#include "qt/qt_ui.h"
#include "support/fake_platform.h"
#include "form/headless_ui.h"
#include "form/canvas.h"
#include "model/context.h"

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
    sbPosun.Min = 0;
    sbPosun.Max = 15000;
    sbPosun.SmallChange = 10;
    sbPosun.LargeChange = 100;
    sbPosun.Position = 15000;
    sbPosun.OnChange = [this] {
      ++posuny;
      lbText.Caption = std::to_string(sbPosun.Position);
    };
    PaintBox1.OnPaint = [this](ICanvas& c) {
      ++kresby;
      sirkaKresby = c.Width();
      c.SetPen(clRed);
      c.MoveTo(10, 10);
      c.LineTo(20, 10);
      pStav.Caption = "gezeichnet";
      if (!chybaKresby.empty()) throw TIoError(chybaKresby);
    };
    PaintBox1.OnMouseDown = [this](const TMouseEvent& e) { mys.push_back({'D', e}); };
    PaintBox1.OnMouseMove = [this](const TMouseEvent& e) { mys.push_back({'M', e}); };
    PaintBox1.OnMouseUp = [this](const TMouseEvent& e) { mys.push_back({'U', e}); };
  }

  bool FormClose() override {
    ++otazkyZavriet;
    return zavriet;
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
  TControl sbPosun{*this, "sbPosun", TControlKind::ScrollBar, "", {380, 8, 19, 200}};
  TControl rgVolba{*this, "rgVolba", TControlKind::RadioGroup, "Wahl", {404, 8, 120, 100}};

  struct Mys {
    char kind;
    TMouseEvent e;
  };
  std::vector<Mys> mys;
  int kresby = 0;
  int sirkaKresby = 0;
  std::string chybaKresby;
  int posuny = 0;
  bool zavriet = true;
  int otazkyZavriet = 0;
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

  HeadlessUi ui;
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
      {"sbPosun", "QScrollBar"},
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

TEST_F(BinderTest, CarriageReturnsBreakTheLinesOfEveryControlThatShowsText) {
  const std::string caption = "\r\rEINS\r\nZWEI\rDREI";
  const QString shown = QStringLiteral("\n\nEINS\nZWEI\nDREI");
  for (TControl* c : {&f.pStav, &f.lbText, &f.bOK, &f.chbZap, &f.rbA}) c->Caption = caption;
  binder.RefreshAll();
  EXPECT_EQ(W<QLabel>("pStav")->text(), shown);
  EXPECT_EQ(W<QLabel>("lbText")->text(), shown);
  EXPECT_EQ(W<QPushButton>("bOK")->text(), shown);
  EXPECT_EQ(W<QCheckBox>("chbZap")->text(), shown);
  EXPECT_EQ(W<QRadioButton>("rbA")->text(), shown);
  // The caption itself keeps its carriage returns.
  EXPECT_EQ(f.lbText.Caption, caption);
}

TEST_F(BinderTest, RadioGroupShowsOneButtonPerItemAndTakesTheClickedOne) {
  std::vector<int> kliky;
  f.rgVolba.OnClick = [&] { kliky.push_back(f.rgVolba.ItemIndex); };
  f.rgVolba.Items = {"Ende", "Stop", "Aut.langsam"};
  f.rgVolba.ItemIndex = 1;
  binder.RefreshAll();
  auto* g = W<QGroupBox>("rgVolba");
  EXPECT_EQ(g->title(), QStringLiteral("Wahl"));
  QList<QRadioButton*> rs = g->findChildren<QRadioButton*>();
  ASSERT_EQ(rs.size(), 3);
  EXPECT_EQ(rs[2]->text(), QStringLiteral("Aut.langsam"));
  EXPECT_FALSE(rs[0]->isChecked());
  EXPECT_TRUE(rs[1]->isChecked());

  rs[2]->click();
  EXPECT_EQ(kliky, std::vector<int>{2});
  EXPECT_EQ(f.rgVolba.ItemIndex, 2);
  EXPECT_FALSE(rs[1]->isChecked());
  // The item that is on: nothing runs and it stays on.
  rs[2]->click();
  EXPECT_EQ(kliky, std::vector<int>{2});
  EXPECT_TRUE(rs[2]->isChecked());

  // The form's state decides; new items make new buttons.
  f.rgVolba.Items = {"A", "B"};
  f.rgVolba.ItemIndex = 0;
  binder.RefreshAll();
  rs = g->findChildren<QRadioButton*>();
  ASSERT_EQ(rs.size(), 2);
  EXPECT_TRUE(rs[0]->isChecked());
  // A disabled group takes no clicks.
  f.rgVolba.Enabled = false;
  binder.RefreshAll();
  EXPECT_FALSE(rs[1]->isEnabled());
}

TEST_F(BinderTest, APanelCaptionStandsWhereItsAlignmentSays) {
  binder.RefreshAll();
  EXPECT_EQ(W<QLabel>("pStav")->alignment(), Qt::AlignCenter);
  f.pStav.Alignment = TAlignment::Left;
  binder.RefreshAll();
  EXPECT_EQ(W<QLabel>("pStav")->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
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

TEST_F(BinderTest, AGroupBoxCaptionTakesItsOwnColourAndTheControlsInsideKeepTheirs) {
  auto* group = W<QGroupBox>("gSkupina");
  auto* radio = W<QRadioButton>("rbA");
  const QColor radioText = radio->palette().color(QPalette::WindowText);
  // White pixels in the caption row of a maroon group box.
  auto biele = [group] {
    const QImage im = group->grab().toImage();
    int n = 0;
    for (int y = 0; y < 14 && y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x)
        if ((im.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) ++n;
    return n;
  };
  f.gSkupina.Color = 0x800000;
  binder.RefreshAll();
  const int bezFarby = biele();
  f.gSkupina.FontColor = clWhite;
  binder.RefreshAll();
  EXPECT_GT(biele(), bezFarby);
  EXPECT_EQ(radio->palette().color(QPalette::WindowText), radioText);
  f.gSkupina.FontColor = clWindowText;
  binder.RefreshAll();
  EXPECT_EQ(biele(), bezFarby);
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

  // The fixed window grows and shrinks with its client area.
  const QSize at15 = okno->size();
  EXPECT_GE(at15.height(), 480);
  view->SetZoom(1.0);
  EXPECT_EQ(f.Zoom, 1.0);
  EXPECT_EQ(okno->size(), at15 - QSize(210, 160));
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
  EXPECT_EQ(ui.Reports, (std::vector<std::string>{"E/A-Fehler 103", "kaputt"}));
  // The state reached before the failure is shown.
  EXPECT_EQ(W<QLabel>("pStav")->text(), QStringLiteral("halb"));
}

TEST_F(BinderTest, CloseBoxAsksTheFormWhichMayRefuse) {
  okno->show();
  f.Visible = true;
  f.zavriet = false;
  EXPECT_FALSE(okno->close());
  test::Spracuj();
  EXPECT_EQ(f.otazkyZavriet, 1);
  EXPECT_TRUE(okno->isVisible());
  EXPECT_TRUE(f.Visible);

  // Agreeing closes the form with Cancel and the window with it, also when
  // nobody showed the form through the user interface.
  f.zavriet = true;
  okno->close();
  EXPECT_EQ(f.otazkyZavriet, 2);
  EXPECT_EQ(f.ModalResult, TModalResult::Cancel);
  test::Spracuj();
  EXPECT_FALSE(okno->isVisible());
  EXPECT_FALSE(f.Visible);

  // The form closing itself does not ask.
  okno->show();
  f.OnCloseRequested = [this](TForm&) { view->CloseLater(); };
  f.zavriet = false;
  f.Close(TModalResult::Ok);
  test::Spracuj();
  EXPECT_FALSE(okno->isVisible());
  EXPECT_EQ(f.otazkyZavriet, 2);
}

TEST_F(BinderTest, WithoutCloseBoxTheUserCannotCloseTheWindow) {
  okno->show();
  f.CloseBox = false;
  binder.RefreshAll();
  EXPECT_FALSE(okno->close());
  test::Spracuj();
  EXPECT_TRUE(okno->isVisible());
  EXPECT_EQ(f.otazkyZavriet, 0);
  // The title bar loses its close box when the window is shown next.
  okno->hide();
  binder.RefreshAll();
  EXPECT_FALSE(okno->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  f.CloseBox = true;
  binder.RefreshAll();
  EXPECT_TRUE(okno->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(BinderTest, ScrollBarMirrorsItsStateAndReportsTheUsersMoves) {
  auto* sb = W<QScrollBar>("sbPosun");
  EXPECT_EQ(sb->orientation(), Qt::Vertical);
  EXPECT_EQ(sb->minimum(), 0);
  EXPECT_EQ(sb->maximum(), 15000);
  EXPECT_EQ(sb->singleStep(), 10);
  EXPECT_EQ(sb->pageStep(), 100);
  EXPECT_EQ(sb->value(), 15000);

  sb->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(f.sbPosun.Position, 14990);
  EXPECT_EQ(f.posuny, 1);
  EXPECT_EQ(W<QLabel>("lbText")->text(), QStringLiteral("14990"));
  sb->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(f.sbPosun.Position, 14890);
  EXPECT_EQ(f.posuny, 2);

  // The program moving it is no user move.
  f.sbPosun.Position = 200;
  f.sbPosun.Max = 500;
  f.sbPosun.SmallChange = 5;
  binder.RefreshAll();
  EXPECT_EQ(sb->value(), 200);
  EXPECT_EQ(sb->maximum(), 500);
  EXPECT_EQ(sb->singleStep(), 5);
  EXPECT_EQ(f.posuny, 2);
}

TEST_F(BinderTest, PaintBoxPaintsThroughTheFormAtTheZoom) {
  auto* pb = W<QtPaintBox>("PaintBox1");
  QImage im = pb->grab().toImage();
  EXPECT_EQ(f.kresby, 1);
  EXPECT_EQ(f.sirkaKresby, 100);
  EXPECT_EQ(im.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(im.pixel(19, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_NE(im.pixel(20, 10) & 0xFFFFFF, 0xFF0000u);
  // What the drawing changed is shown.
  EXPECT_EQ(W<QLabel>("pStav")->text(), QStringLiteral("gezeichnet"));

  // The form's zoom makes the box larger; the drawing gets its real pixels and
  // keeps its own sizes.
  f.Zoom = 2.0;
  binder.RefreshAll();
  EXPECT_DOUBLE_EQ(view->Zoom(), 2.0);
  EXPECT_EQ(pb->size(), QSize(200, 200));
  EXPECT_EQ(W<QPushButton>("bOK")->geometry(), QRect(232, 16, 160, 60));
  im = pb->grab().toImage();
  EXPECT_EQ(f.sirkaKresby, 200);
  EXPECT_EQ(im.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(im.pixel(19, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_NE(im.pixel(20, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_NE(im.pixel(10, 11) & 0xFFFFFF, 0xFF0000u);

  // The refresh after each paint changes nothing that would paint again, endlessly.
  okno->show();
  test::Spracuj(50);
  const int kresby = f.kresby;
  test::Spracuj(100);
  EXPECT_EQ(f.kresby, kresby);

  // A failing drawing goes to the error report like any event.
  f.chybaKresby = "E/A-Fehler 5";
  pb->repaint();
  EXPECT_EQ(ui.Reports, (std::vector<std::string>{"E/A-Fehler 5"}));
}

TEST_F(BinderTest, PaintBoxMouseArrivesInTheBoxsPixels) {
  okno->show();
  auto* pb = W<QtPaintBox>("PaintBox1");
  EXPECT_TRUE(pb->hasMouseTracking());
  const struct {
    double zoom;
    QEvent::Type type;
    QPointF at;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers mods;
    char kind;
    int x, y;
    bool left, ctrl;
  } cases[] = {
      {1.0, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier, 'D', 30, 40, true, true},
      {1.0, QEvent::MouseMove, {31, 42}, Qt::NoButton, Qt::LeftButton, Qt::NoModifier, 'M', 31, 42, true, false},
      {1.0, QEvent::MouseButtonRelease, {32, 43}, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier, 'U', 32, 43, true, true},
      {1.0, QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton, Qt::NoModifier, 'M', 5, 6, false, false},
      {1.0, QEvent::MouseButtonPress, {7, 8}, Qt::RightButton, Qt::RightButton, Qt::NoModifier, 'D', 7, 8, false, false},
      {1.0, QEvent::MouseButtonDblClick, {7, 8}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, 'D', 7, 8, true, false},
      {2.0, QEvent::MouseButtonPress, {61, 81}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, 'D', 61, 81, true, false},
      {1.5, QEvent::MouseMove, {44.9, 15}, Qt::NoButton, Qt::NoButton, Qt::NoModifier, 'M', 44, 15, false, false},
      // Dragged out of the box: the press's box still gets it, left of and above it.
      {1.0, QEvent::MouseMove, {-20, -30}, Qt::NoButton, Qt::LeftButton, Qt::NoModifier, 'M', -20, -30, true, false},
  };
  for (const auto& c : cases) {
    f.mys.clear();
    view->SetZoom(c.zoom);
    QMouseEvent e(c.type, c.at, pb->mapToGlobal(c.at), c.button, c.buttons, c.mods);
    QApplication::sendEvent(pb, &e);
    ASSERT_EQ(f.mys.size(), 1u) << c.kind << c.x;
    EXPECT_EQ(f.mys[0].kind, c.kind);
    EXPECT_EQ(f.mys[0].e.X, c.x) << c.kind << c.x;
    EXPECT_EQ(f.mys[0].e.Y, c.y) << c.kind << c.x;
    EXPECT_EQ(f.mys[0].e.Left, c.left) << c.kind << c.x;
    EXPECT_EQ(f.mys[0].e.Ctrl, c.ctrl) << c.kind << c.x;
  }
}

TEST_F(BinderTest, FormColourFillsTheClientAndFacesOfControlsStay) {
  auto* panel = W<QLabel>("pStav");
  const QColor face = panel->palette().color(QPalette::Window);
  f.Color = 0x000080;
  binder.RefreshAll();
  EXPECT_EQ(okno->centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 0x80));
  EXPECT_TRUE(okno->centralWidget()->autoFillBackground());
  // A panel keeps its own face; a label shows the form's.
  EXPECT_EQ(panel->palette().color(QPalette::Window), face);
  EXPECT_EQ(W<QLabel>("lbText")->palette().color(QPalette::Window), QColor(0, 0, 0x80));
  // The paint box draws on what it stands on.
  EXPECT_EQ(W<QtPaintBox>("PaintBox1")->Background(), QColor(0, 0, 0x80));
  EXPECT_EQ(W<QtPaintBox>("PaintBox1")->grab().toImage().pixel(50, 50) & 0xFFFFFF, 0x000080u);

  f.Color = clBtnFace;
  binder.RefreshAll();
  EXPECT_FALSE(okno->centralWidget()->autoFillBackground());
  EXPECT_EQ(W<QLabel>("lbText")->palette().color(QPalette::Window), face);
}

TEST_F(BinderTest, BorderStyleDecidesSizeAndFrameAndStayOnTopItsLayer) {
  const struct {
    TBorderStyle style;
    bool fixed;
    bool frameless;
  } cases[] = {
      {TBorderStyle::Sizeable, false, false},
      {TBorderStyle::Single, true, false},
      {TBorderStyle::Dialog, true, false},
      {TBorderStyle::None, true, true},
  };
  for (const auto& c : cases) {
    f.BorderStyle = c.style;
    f.StayOnTop = c.style == TBorderStyle::Single;
    binder.RefreshAll();
    const bool fixed = okno->minimumSize() == okno->maximumSize();
    EXPECT_EQ(fixed, c.fixed) << static_cast<int>(c.style);
    EXPECT_EQ(okno->windowFlags().testFlag(Qt::FramelessWindowHint), c.frameless) << static_cast<int>(c.style);
    EXPECT_EQ(okno->windowFlags().testFlag(Qt::WindowStaysOnTopHint), f.StayOnTop) << static_cast<int>(c.style);
    EXPECT_GE(okno->centralWidget()->minimumWidth(), 420);
    if (c.fixed) {
      EXPECT_GE(okno->maximumHeight(), 320);
    }
  }
  // Window type stays.
  EXPECT_EQ(okno->windowType(), Qt::Window);
}

TEST_F(BinderTest, ImageShowsItsPictureStretched) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage pic(4, 4, QImage::Format_RGB32);
  pic.fill(QColor(0x12, 0x34, 0x56));
  const QString path = dir.filePath(QStringLiteral("info.bmp"));
  ASSERT_TRUE(pic.save(path, "BMP"));
  f.iObraz.Caption = path.toStdString();
  binder.RefreshAll();
  const QImage shown = W<QLabel>("iObraz")->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(40, 40));
  for (const QPoint p : {QPoint(0, 0), QPoint(20, 20), QPoint(39, 39)})
    EXPECT_EQ(shown.pixel(p) & 0xFFFFFF, 0x123456u) << p.x() << "," << p.y();
}

// A second window centred on the first bound one.
class TStredove : public TForm {
 public:
  TStredove() : TForm("Stredove", "Mitte", {0, 0, 200, 100}) {
    Position = TPosition::MainFormCenter;
    CloseBox = false;
  }
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {8, 8, 80, 30}};
};

TEST_F(BinderTest, MainFormCenterPlacesTheWindowOnTheMainOneWhenShown) {
  okno->show();
  okno->move(100, 120);
  test::Spracuj();
  EXPECT_EQ(binder.MainWindow(), okno.get());
  TStredove g;
  auto dlg = std::make_unique<QDialog>();
  QtFormView& v = binder.Bind(g, dlg.get(), dlg.get());
  EXPECT_EQ(binder.MainWindow(), okno.get());
  dlg->show();
  test::Spracuj();
  // Centred to the pixel: halving an odd difference of sizes leaves one over.
  const QPoint off = dlg->frameGeometry().center() - okno->frameGeometry().center();
  EXPECT_LE(std::abs(off.x()), 1) << off.x();
  EXPECT_LE(std::abs(off.y()), 1) << off.y();
  EXPECT_EQ(g.Bounds.Left, dlg->pos().x());
  EXPECT_EQ(g.Bounds.Top, dlg->pos().y());
  EXPECT_FALSE(dlg->windowFlags().testFlag(Qt::WindowCloseButtonHint));

  // Neither the close box nor Escape closes a window without a close box.
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(dlg.get(), &esc);
  EXPECT_FALSE(dlg->close());
  test::Spracuj();
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(&v.Form(), &g);
}

// The user interface's invalidate and repaint reach a bound paint box.
TEST(QtUiPaintBoxTest, InvalidateAndRepaintPaintTheBox) {
  QtUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  ui.SetKontext(k);
  TSkusobna f;
  ui.Show(f);
  test::Spracuj();
  const int first = f.kresby;
  EXPECT_GE(first, 1);
  ui.Repaint(f, "PaintBox1");
  EXPECT_EQ(f.kresby, first + 1);
  ui.Invalidate(f, "PaintBox1");
  EXPECT_EQ(f.kresby, first + 1);
  test::Spracuj(50);
  EXPECT_EQ(f.kresby, first + 2);
  ui.Hide(f);
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


// ---- Grids ------------------------------------------------------------------------

class TMriezka : public TForm {
 public:
  TMriezka() : TForm("Mriezka", "Gitter", {0, 0, 400, 300}) {
    BorderStyle = TBorderStyle::Sizeable;
    ResizeEvents = true;
    MinWidth = 300;
    MinHeight = 200;
    gGrid.Cells = {{"Nr", " Text "}, {" 1", "eins"}, {" 2", "zwei"}, {" 3", "drei"}, {"", "kept"}};
    gGrid.RowCount = 4;
    gGrid.ColWidths = {40, 120};
    gGrid.FontName = "Courier New";
    gGrid.FontSize = 8;
    gGrid.FixedPitch = true;
  }
  void FormResize() override {
    ++resizes;
    gGrid.ColWidths[1] = Bounds.Width - 100;
  }
  TControl gGrid{*this, "gGrid", TControlKind::Grid, "", {10, 10, 300, 200}};
  int resizes = 0;
};

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    binder.SetKontext(&k);
    okno = std::make_unique<QWidget>();
    view = &binder.Bind(f, okno.get(), okno.get());
    t = okno->findChild<QTableWidget*>(QStringLiteral("gGrid"));
    ASSERT_NE(t, nullptr);
  }
  std::vector<int> Widths() const {
    std::vector<int> w;
    for (int c = 0; c < t->columnCount(); ++c) w.push_back(t->columnWidth(c));
    return w;
  }

  HeadlessUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TMriezka f;
  QtBinder binder{ui};
  std::unique_ptr<QWidget> okno;
  QtFormView* view = nullptr;
  QTableWidget* t = nullptr;
};

TEST_F(GridTest, ShowsItsRowsBelowTheFixedHeaderRowAsTheStateSays) {
  EXPECT_EQ(t->columnCount(), 2);
  EXPECT_EQ(t->rowCount(), 3);  // RowCount 4, one of them the fixed row
  EXPECT_EQ(t->horizontalHeaderItem(1)->text(), QStringLiteral(" Text "));
  EXPECT_EQ(t->item(0, 0)->text(), QStringLiteral(" 1"));
  EXPECT_EQ(t->item(2, 1)->text(), QStringLiteral("drei"));
  EXPECT_EQ(Widths(), (std::vector<int>{40, 120}));
  for (int r = 0; r < t->rowCount(); ++r) EXPECT_EQ(t->rowHeight(r), 18) << r;
  EXPECT_EQ(t->horizontalHeader()->height(), 18);
  EXPECT_EQ(t->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(t->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_TRUE(t->font().fixedPitch());
  EXPECT_EQ(t->font().pointSizeF(), 8.0);
  EXPECT_EQ(t->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
  EXPECT_EQ(t->verticalHeader()->sectionResizeMode(0), QHeaderView::Interactive);

  // More rows, changed texts, other widths; a zoom scales widths, heights and font.
  f.gGrid.RowCount = 5;
  f.gGrid.Cells[2][1] = "zwo";
  f.gGrid.ColWidths = {50, 100};
  binder.RefreshAll();
  EXPECT_EQ(t->rowCount(), 4);
  EXPECT_EQ(t->item(1, 1)->text(), QStringLiteral("zwo"));
  EXPECT_EQ(t->item(3, 1)->text(), QStringLiteral("kept"));
  EXPECT_EQ(Widths(), (std::vector<int>{50, 100}));
  view->SetZoom(2.0);
  EXPECT_EQ(Widths(), (std::vector<int>{100, 200}));
  EXPECT_EQ(t->rowHeight(3), 36);
  EXPECT_EQ(t->font().pointSizeF(), 16.0);
  // Fewer rows: the cells beyond RowCount stay in the state only.
  f.gGrid.RowCount = 1;
  binder.RefreshAll();
  EXPECT_EQ(t->rowCount(), 0);
  EXPECT_EQ(t->horizontalHeaderItem(0)->text(), QStringLiteral("Nr"));
}

TEST_F(GridTest, TopRowFollowsTheStateAndTheOperatorsScrolling) {
  f.gGrid.Cells.assign(101, {"x", "y"});
  f.gGrid.RowCount = 101;
  okno->show();
  binder.RefreshAll();
  test::Spracuj();
  f.gGrid.Position = 50;
  binder.RefreshAll();
  test::Spracuj();
  binder.RefreshAll();
  EXPECT_EQ(t->verticalScrollBar()->value(), 50);
  test::Spracuj();
  EXPECT_EQ(t->verticalHeader()->logicalIndexAt(1), 50);
  t->verticalScrollBar()->setValue(70);
  EXPECT_EQ(f.gGrid.Position, 70);
  f.gGrid.Position = 0;
  binder.RefreshAll();
  EXPECT_EQ(t->verticalScrollBar()->value(), 0);
}

TEST_F(GridTest, AColumnTheOperatorWidensKeepsItsWidthInTheState) {
  t->horizontalHeader()->resizeSection(1, 170);
  EXPECT_EQ(f.gGrid.ColWidths, (std::vector<int>{40, 170}));
  binder.RefreshAll();
  EXPECT_EQ(Widths(), (std::vector<int>{40, 170}));
}

TEST_F(GridTest, ResizingTheWindowTellsTheFormWithinItsMinimum) {
  okno->show();
  test::Spracuj();
  EXPECT_EQ(okno->minimumSize(), QSize(300, 200));
  okno->resize(500, 350);
  test::Spracuj();
  EXPECT_EQ(f.Bounds.Width, 500);
  EXPECT_EQ(f.Bounds.Height, 350);
  EXPECT_GE(f.resizes, 1);
  EXPECT_EQ(Widths(), (std::vector<int>{40, 400}));
  // The state's own size goes to the window without a resize coming back.
  const int resizes = f.resizes;
  okno->resize(100, 100);  // below the minimum
  test::Spracuj();
  EXPECT_EQ(f.Bounds.Width, 300);
  EXPECT_EQ(f.Bounds.Height, 200);
  EXPECT_EQ(f.resizes, resizes + 1);
}

}  // namespace
}  // namespace kvr
