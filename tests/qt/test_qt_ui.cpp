#include "qt/qt_ui.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

#include "qt/qt_helpers.h"
#include "support/fake_platform.h"
#include "model/context.h"

namespace kvr {
namespace {

TEST(QtNameFiltersTest, PairsBecomeQtFilters) {
  const struct {
    std::string in;
    QStringList out;
  } cases[] = {
      {"Programme (*.kvr)|*.kvr|Alle (*.*)|*.*", {"Programme (*.kvr)", "Alle (*)"}},
      {"Text|*.txt;*.TXT", {"Text (*.txt *.TXT)"}},
      {"KVR-T (neu)|*.kvr", {"KVR-T (neu) (*.kvr)"}},
      {"|*.kvr", {"*.kvr"}},
      {"", {}},
      {"Ohne Muster", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(QtNameFilters(c.in), c.out) << c.in;
}

class TOkno : public TForm {
 public:
  TOkno() : TForm("Okno", "Entwurf", {100, 100, 240, 120}) {
    bOK.OnClick = [this] { Close(TModalResult::Ok); };
  }
  void FormShow() override {
    ++zobrazene;
    Caption = " MODEL UND GETRIEBE EINZUSTELLEN ! ";
    if (zavriHned) Close(TModalResult::Ok);
  }
  TControl lbInfo{*this, "lbInfo", TControlKind::Label, "Info", {8, 8, 200, 20}};
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {8, 40, 200, 40}};
  int zobrazene = 0;
  bool zavriHned = false;
};

class QtUiTest : public ::testing::Test {
 protected:
  void SetUp() override { ui.SetKontext(k); }

  QtUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TOkno f;
};

TEST_F(QtUiTest, MessageBoxesAnswerWithTheButtonPressed) {
  const struct {
    TMsgKind kind;
    TMsgButtons buttons;
    const char* press;
    TMsgAnswer answer;
    QMessageBox::Icon icon;
    const char* title;
  } cases[] = {
      {TMsgKind::Error, TMsgButtons::Ok, "OK", TMsgAnswer::Ok, QMessageBox::Critical, "Fehler"},
      {TMsgKind::Information, TMsgButtons::Ok, "OK", TMsgAnswer::Ok, QMessageBox::Information, "Information"},
      {TMsgKind::Confirmation, TMsgButtons::YesNo, "Ja", TMsgAnswer::Yes, QMessageBox::Question, "Bestätigen"},
      {TMsgKind::Confirmation, TMsgButtons::YesNo, "Nein", TMsgAnswer::No, QMessageBox::Question, "Bestätigen"},
      {TMsgKind::Warning, TMsgButtons::YesNoCancel, "Nein", TMsgAnswer::No, QMessageBox::Warning, "Warnung"},
      {TMsgKind::Warning, TMsgButtons::YesNoCancel, "Abbrechen", TMsgAnswer::Cancel, QMessageBox::Warning,
       "Warnung"},
  };
  for (const auto& c : cases) {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    test::WhenModal<QMessageBox>([&](QMessageBox* box) {
      text = box->text();
      icon = box->icon();
      title = box->windowTitle();
      test::Click(box, QString::fromLatin1(c.press));
    });
    EXPECT_EQ(ui.Message(c.kind, "Vorschlag wurde modifiziert, speichern ?", c.buttons), c.answer) << c.press;
    EXPECT_EQ(text, QStringLiteral("Vorschlag wurde modifiziert, speichern ?"));
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(title, QString::fromUtf8(c.title));
  }
}

TEST_F(QtUiTest, ClosingAQuestionWithoutAButtonIsTheCautiousAnswer) {
  test::WhenModal<QMessageBox>([](QMessageBox* box) { box->close(); });
  EXPECT_EQ(ui.Message(TMsgKind::Warning, "?", TMsgButtons::YesNoCancel), TMsgAnswer::Cancel);
  test::WhenModal<QMessageBox>([](QMessageBox* box) { box->close(); });
  EXPECT_EQ(ui.Message(TMsgKind::Confirmation, "?", TMsgButtons::YesNo), TMsgAnswer::No);
}

TEST_F(QtUiTest, ShowModalRunsFormShowAndReturnsTheFormsResult) {
  QString titleWhileOpen;
  QString nameWhileOpen;
  test::WhenModal<QDialog>([&](QDialog* d) {
    titleWhileOpen = d->windowTitle();
    nameWhileOpen = d->objectName();
    d->findChild<QPushButton*>(QStringLiteral("bOK"))->click();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
  EXPECT_EQ(f.zobrazene, 1);
  EXPECT_EQ(nameWhileOpen, QStringLiteral("Okno"));
  EXPECT_EQ(titleWhileOpen, QStringLiteral(" MODEL UND GETRIEBE EINZUSTELLEN ! "));
  EXPECT_FALSE(f.Visible);
  EXPECT_FALSE(f.OnCloseRequested);

  // The window is reused, and its close box cancels.
  QDialog* first = qobject_cast<QDialog*>(ui.Binder().Find(f)->Window());
  QDialog* second = nullptr;
  test::WhenModal<QDialog>([&](QDialog* d) {
    second = d;
    d->close();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Cancel);
  EXPECT_EQ(second, first);
  EXPECT_EQ(f.zobrazene, 2);
}

TEST_F(QtUiTest, FormClosingInItsShowHandlerDoesNotHang) {
  f.zavriHned = true;
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
}

TEST_F(QtUiTest, ShownFormClosesItsWindowOnRequest) {
  ui.Show(f);
  QWidget* w = ui.Binder().Find(f)->Window();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(f.Visible);
  EXPECT_EQ(f.zobrazene, 1);
  // Showing a shown form again does not show it anew.
  ui.Show(f);
  EXPECT_EQ(f.zobrazene, 1);
  f.Close();
  test::Spracuj();
  EXPECT_FALSE(w->isVisible());

  ui.Show(f);
  ui.Hide(f);
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(f.Visible);
}

TEST_F(QtUiTest, PostedWorkRunsLaterAndItsFailureIsReported) {
  std::vector<int> order;
  ui.Post([&order] { order.push_back(2); });
  ui.Post([] { throw std::runtime_error("E/A-Fehler 2"); });
  order.push_back(1);
  QString reported;
  test::WhenModal<QMessageBox>([&](QMessageBox* box) {
    reported = box->text();
    test::Click(box, QStringLiteral("OK"));
  });
  test::Spracuj(100);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(reported, QStringLiteral("E/A-Fehler 2"));
}

TEST_F(QtUiTest, TimerRunsUntilStoppedFromItsOwnHandler) {
  int ticks = 0;
  int id = 0;
  id = ui.StartTimer(5, [&] {
    if (++ticks == 3) ui.StopTimer(id);
  });
  test::Spracuj(150);
  EXPECT_EQ(ticks, 3);
  ui.StopTimer(id);  // stopping again is harmless
}

}  // namespace
}  // namespace kvr
