#include "qt/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt/binder.h"
#include "qt/model_window.h"
#include "qt/qt_helpers.h"
#include "qt/qt_ui.h"
#include "support/fake_platform.h"
#include "model/sample_program.h"
#include "qt/binder.h"
#include "ui/main_window.h"

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
  QtMainWindow okno{prog, ui.Binder()};
  QtModelWindow modelOkno{prog.fModel, ui.Binder(), &okno};
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
  QObject::connect(&okno, &QtMainWindow::closed, [&closed] { ++closed; });
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

// The coil on the screen: painted from the program, picked with the mouse,
// and larger with the zoom.
TEST_F(ProgOknoTest, TheCoilIsPaintedAndStepsArePickedWithTheMouse) {
  TKontext& k = prog.Kontext();
  ui.Show(prog);
  ui.Binder().Dispatch([&k] { SampleProgram(k, 20); });
  auto* pb = okno.findChild<QtPaintBox*>(QStringLiteral("PaintBox1"));
  ASSERT_NE(pb, nullptr);
  const QImage im = pb->grab().toImage();
  // The chambers' walls (lime) and the first windings step (red) are drawn.
  int lime = 0;
  int red = 0;
  for (int y = 0; y < im.height(); y += 2)
    for (int x = 0; x < im.width(); ++x) {
      const QRgb c = im.pixel(x, y) & 0xFFFFFF;
      lime += c == 0x00FF00;
      red += c == 0xFF0000;
    }
  EXPECT_GT(lime, 100);
  EXPECT_GT(red, 100);

  // A click on step 3's marker makes it the current step.
  const TBodKroku& b = k.BodyKrokov[3];
  ASSERT_GT(b.BodY, 0);
  const int y = pb->height() - (b.BodY - (prog.drawing.ScrollBar1.Max - prog.drawing.ScrollBar1.Position));
  const int x = b.BodX + (b.Smer == 0 ? -8 : 8);
  for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(t, QPointF(x, y), pb->mapToGlobal(QPointF(x, y)), Qt::LeftButton,
                  t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pb, &e);
  }
  EXPECT_EQ(k.Program.AktKrok, 3);
  EXPECT_EQ(k.Vyber.BlokOd, 3);
  EXPECT_EQ(k.Vyber.BlokDo, 3);
  EXPECT_EQ(okno.findChild<QPushButton*>(QStringLiteral("BKrok"))->text(), QStringLiteral("SCHRITT: 3"));

  // Zoom + makes the paint box larger by a tenth.
  const QSize vorher = pb->size();
  okno.findChild<QAction*>(QStringLiteral("mnZoomPlus"))->trigger();
  EXPECT_EQ(static_cast<int32_t>(k.Desktop.Zoom), 110);
  EXPECT_NEAR(pb->width(), vorher.width() * 1.1, 1.0);
  EXPECT_NEAR(pb->height(), vorher.height() * 1.1, 1.0);
  pb->grab();
  EXPECT_NEAR(prog.drawing.SirkaBoxu(), vorher.width() * 1.1, 1.0);
}

}  // namespace
}  // namespace kvr
