// Online mode end to end: the station's edits and commands reach the
// simulated controller through a real pseudo-terminal, in their order.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <filesystem>

#include "model/context.h"
#include "qt/loop_ui.h"
#include "qt/qt_serial_port.h"
#include "sim/simulated_controller.h"
#include "support/fake_platform.h"
#include "support/station.h"
#include "support/steps.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

namespace kvr {
namespace {

using Bytes = std::vector<uint8_t>;

bool WaitUntil(const std::function<bool()>& pred, int ms = 10000) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// Modal windows stay open, with the event loop running, until something
// closes them; the test may act when one opens.
class ModalLoopUi : public QtLoopUi {
 public:
  TModalResult ShowModal(TForm& f) override {
    f.ModalResult = TModalResult::None;
    f.Visible = true;
    shown.push_back(f.Name());
    if (OnModal) OnModal(f);
    if (!WaitUntil([&f] { return !f.Visible; })) {
      f.Visible = false;
      return TModalResult::Cancel;
    }
    return f.ModalResult;
  }
  std::function<void(TForm&)> OnModal;
  std::vector<std::string> shown;
};

class OnlinePtyTest : public ::testing::Test {
 protected:
  OnlinePtyTest() {
    std::filesystem::create_directories(dir.path() / "drives" / "C");
    test::SetKvr22(k);
    k.Link.Port = &port;
    k.Link.MenoPortu = sim.DevicePath();
    k.Link.AdresarZaznamu = dir.path().string();
    sim.Start();
    prog.fSP.InicComPort();
    prog.fParam.FormCreate();
  }

  void Program(int n) {
    std::vector<TKrok> kroky;
    for (int i = 0; i < n; ++i) {
      TKrok w = test::Winding(100 + i, 0.5L, 10, 20 + i);
      w.Rozbeh = w.Dobeh = 1;
      kroky.push_back(w);
    }
    test::SetProgram(k, kroky);
  }
  // What the controller received, once it has received `n` messages.
  std::vector<Bytes> Received(size_t n) {
    WaitUntil([&] { return sim.Received().size() >= n; }, 5000);
    return sim.Received();
  }

  test::TempDir dir{"kvr-online-pty"};
  test::FakePlatform pl{(dir.path() / "drives").string(), dir.path().string()};
  ModalLoopUi ui;
  // Before the station: the link lets go of its port when the station ends.
  SimulatedController sim;
  QtSerialPort port;
  TProg prog{ui, pl};
  TKontext& k = prog.Kontext();
};

TEST_F(OnlinePtyTest, AnInsertSendsInsertThenTheStepWithItsParameters) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  Program(3);
  prog.SetOnLine();
  k.Vyber.BlokOd = 3;
  k.Vyber.BlokDo = 3;
  prog.editMenu.mnCOPY.Click();
  k.Program.AktKrok = 1;
  prog.editMenu.mnPASTE.Click();
  const std::vector<Bytes> r = Received(4);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0], (Bytes{101, 1, 0}));
  EXPECT_EQ(r[1], (Bytes{97, 2, 0, 0}));
  ASSERT_EQ(r[2].size(), 77u);
  EXPECT_EQ(r[2][0], 35);
  EXPECT_EQ(r[2][1], 2);
  EXPECT_EQ(r[3], (Bytes{97, 1, 0, 0}));
}

TEST_F(OnlinePtyTest, ACutOfThreeStepsWaitsForTheMachinesAnswer) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  Program(6);
  prog.SetOnLine();
  k.Program.AktKrok = 5;
  k.Vyber.BlokOd = 2;
  k.Vyber.BlokDo = 4;
  ui.OnModal = [this](TForm& f) {
    if (&f != &prog.fWait) return;
    // The machine has taken the change and says so.
    ASSERT_TRUE(WaitUntil([this] { return sim.Received().size() >= 5; }));
    sim.Send({94});
  };
  prog.editMenu.mnCUT.Click();
  EXPECT_EQ(ui.shown, (std::vector<std::string>{"fWait"}));
  EXPECT_FALSE(prog.fWait.Visible);
  EXPECT_EQ(prog.fWait.ModalResult, TModalResult::Ok);
  const std::vector<Bytes> r = sim.Received();
  EXPECT_EQ(r, (std::vector<Bytes>{{102, 2, 0}, {102, 2, 0}, {102, 2, 0}, {97, 1, 0, 0}, {94, 0}}));
}

TEST_F(OnlinePtyTest, SendProgramToKvrSelectsStepZeroSendsTheProgramAndRequestsItAfterTheWait) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  Program(4);
  k.Program.MenoSuboru = (dir.path() / "SPULE.kvr").string();
  prog.fOFFLINE.pProgToKVR.Click();
  EXPECT_EQ(ui.shown, (std::vector<std::string>{"fWait"}));
  EXPECT_EQ(k.Program.Online, 1);
  EXPECT_EQ(prog.machineState.pOnLine.Caption, "ONLINE");
  ASSERT_TRUE(WaitUntil([this] {
    const auto r = sim.Received();
    return !r.empty() && r.back() == Bytes{81, 0};
  }));
  const std::vector<Bytes> r = sim.Received();
  EXPECT_EQ(r.front(), (Bytes{97, 0, 0, 0}));
  EXPECT_EQ(r[1][0], 133);
  EXPECT_EQ(r[r.size() - 2], (Bytes{128, 0, 0}));
  EXPECT_EQ(sim.ProgramName(), "SPULE.kvr");
  EXPECT_FALSE(sim.LastReceivedImage().empty());
}

TEST_F(OnlinePtyTest, OfflineNoEditIsSentButTheAbortIs) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  Program(3);
  k.Vyber.BlokOd = 2;
  k.Vyber.BlokDo = 2;
  prog.editMenu.mnCUT.Click();
  prog.editMenu.mnPASTE.Click();
  prog.stepPanel.SpinButton1Up.Click();
  prog.machineState.pAbortStep.Click();
  const std::vector<Bytes> r = Received(1);
  EXPECT_EQ(r, (std::vector<Bytes>{{119, 0}}));
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace kvr
