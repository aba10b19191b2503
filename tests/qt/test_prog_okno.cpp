#include "qt/prog_okno.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt/binder.h"
#include "qt/model_okno.h"
#include "qt/qt_pomoc.h"
#include "qt/qt_ui.h"
#include "support/fake_platform.h"
#include "ui/prog.h"

namespace kvr {
namespace {

// The station's two windows on the Qt layer, as the station puts them together.
class ProgOknoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ui.SetKontext(prog.Kontext());
    // The whole creation, so the desktop and constants files go into the
    // temporary startup folder.
    ui.Binder().Dispatch([this] { prog.FormCreate(); });
  }

  test::UnexpectedBoxGuard guard;
  QTemporaryDir dir;
  test::FakePlatform pl{dir.filePath(QStringLiteral("drives")).toStdString(), dir.path().toStdString()};
  QtUi ui;
  TProg prog{ui, pl};
  QtProgOkno okno{prog, ui.Binder()};
  QtModelOkno modelOkno{prog.fModel, ui.Binder(), &okno};
};

TEST_F(ProgOknoTest, ModelMenuOpensTheModelWindowAndItsChoiceReachesTheMainWindow) {
  QMenu* moznosti = okno.findChild<QMenu*>(QStringLiteral("mnOPTIONS"));
  ASSERT_NE(moznosti, nullptr);
  EXPECT_EQ(moznosti->title(), QStringLiteral("MÖGLICHKEITEN"));
  EXPECT_TRUE(okno.menuBar()->actions().contains(moznosti->menuAction()));
  QAction* model = okno.findChild<QAction*>(QStringLiteral("mnOptionsModel"));
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->text(), QStringLiteral("Model"));
  EXPECT_TRUE(moznosti->actions().contains(model));

  QString title;
  test::WhenModal<QDialog>([&](QDialog* d) {
    title = d->windowTitle();
    EXPECT_EQ(d, &modelOkno);
    auto* cb = d->findChild<QComboBox*>(QStringLiteral("cbModel"));
    const int i = cb->findText(QStringLiteral("KVR - 60"));
    ASSERT_GT(i, 0);
    cb->setCurrentIndex(i);
    emit cb->activated(i);
    EXPECT_EQ(d->findChild<QComboBox*>(QStringLiteral("cbPrevod"))->currentText(), QStringLiteral("500"));
    d->findChild<QPushButton*>(QStringLiteral("bOK"))->click();
  });
  model->trigger();

  EXPECT_EQ(title, QStringLiteral(" MODEL UND GETRIEBE EINZUSTELLEN ! "));
  EXPECT_EQ(okno.findChild<QLabel*>(QStringLiteral("pStav"))->text(), QStringLiteral("KVR - 60 :  OFFLINE"));
  EXPECT_EQ(okno.findChild<QLabel*>(QStringLiteral("pPrevodNav"))->text(), QStringLiteral("Getriebe:  500"));
  EXPECT_TRUE(okno.findChild<QPushButton*>(QStringLiteral("bPrevod"))->isEnabled());
}

TEST_F(ProgOknoTest, CloseBoxEndsTheStationLikeTheMenuEntry) {
  int closed = 0;
  QObject::connect(&okno, &QtProgOkno::closed, [&closed] { ++closed; });
  ui.Show(prog);
  ASSERT_TRUE(okno.isVisible());
  // The close box asks the main form; its exit handler closes the window later.
  EXPECT_FALSE(okno.close());
  EXPECT_EQ(closed, 0);
  test::Spracuj();
  EXPECT_FALSE(okno.isVisible());
  EXPECT_FALSE(prog.Visible);
  EXPECT_EQ(closed, 1);

  ui.Show(prog);
  ASSERT_TRUE(okno.isVisible());
  okno.findChild<QAction*>(QStringLiteral("mnSuborExit"))->trigger();
  test::Spracuj();
  EXPECT_FALSE(okno.isVisible());
}

}  // namespace
}  // namespace kvr
