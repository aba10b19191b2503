// The link end to end: the station's own link code on Qt's serial port talks
// to the simulated controller through a real pseudo-terminal at 115200 8N1.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <filesystem>

#include "link/link_window.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/program_files.h"
#include "qt/loop_ui.h"
#include "qt/qt_serial_port.h"
#include "sim/simulated_controller.h"
#include "support/fake_platform.h"
#include "support/station.h"
#include "support/steps.h"
#include "support/temp_dir.h"

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

class Readings : public ILinkHost {
 public:
  void ShowReadings(const std::string& z, const std::string&, const std::string&) override { turns.push_back(z); }
  std::vector<std::string> turns;
};

class LinkPtyTest : public ::testing::Test {
 protected:
  LinkPtyTest() {
    std::filesystem::create_directories(dir.path() / "drives" / "C");
    test::SetKvr22(k);
    k.Link.Port = &port;
    k.Link.MenoPortu = sim.DevicePath();
    k.Link.AdresarZaznamu = dir.path().string();
    sp.OnStatus = [this](const std::string& s) { statuses.push_back(s); };
    sim.Start();
    sp.InicComPort();
  }

  void Program(int n) {
    std::vector<TKrok> kroky;
    for (int i = 0; i < n; ++i)
      kroky.push_back(i % 3 == 2 ? test::Shift(5 + i % 40) : test::Winding(10 + i, 0.2L + 0.01L * (i % 7), 10, 30 + i % 60));
    test::SetProgram(k, kroky);
  }
  bool Done() { return WaitUntil([this] { return k.Link.StavPrenosu == 0; }); }

  test::TempDir dir{"kvr-link-pty"};
  test::FakePlatform pl{(dir.path() / "drives").string(), dir.path().string()};
  QtLoopUi ui;
  TKontext k{ui, pl};
  SimulatedController sim;
  QtSerialPort port;
  Readings host;
  TfSP sp{k, &host};
  std::vector<std::string> statuses;
};

TEST_F(LinkPtyTest, AProgramOf350StepsGoesToTheControllerAndComesBackByteForByte) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  Program(350);
  k.Program.MenoSuboru = (dir.path() / "SPULE.kvr").string();
  sp.PcNav();
  ASSERT_TRUE(Done());
  EXPECT_EQ(statuses.back(), " Übertragung OK ");
  const Bytes sent(k.Subory.SuborBuf.begin(), k.Subory.SuborBuf.begin() + static_cast<std::ptrdiff_t>(DlzkaObrazuPcNav(350)));
  ASSERT_TRUE(WaitUntil([this] { return !sim.LastReceivedImage().empty(); }));
  EXPECT_EQ(sim.LastReceivedImage(), sent);
  EXPECT_EQ(sim.ProgramName(), "SPULE.kvr");
  const Bytes program(sent.begin(), sent.end() - 1202);

  // And back: the station's program is replaced by the controller's.
  test::SetProgram(k, {});
  k.Program.MenoSuboru.clear();
  statuses.clear();
  sp.NavPc();
  ASSERT_TRUE(Done());
  ASSERT_TRUE(WaitUntil([this] { return k.Program.PocetKrokov == 350; }));
  EXPECT_EQ(statuses, (std::vector<std::string>{" Verbindungsanknüpfen ", " Verbindungsanknüpfen ", " Dateneinnahme ",
                                                " Übertragung OK "}));
  EXPECT_EQ(k.Link.DlzkaObrazu, program.size());
  EXPECT_EQ(Bytes(k.Subory.SuborBuf.begin(), k.Subory.SuborBuf.begin() + static_cast<std::ptrdiff_t>(program.size())),
            program);
  EXPECT_TRUE(ui.Messages.empty()) << ui.Messages.front();
  // The received program is the current program, and it is the same program.
  EXPECT_EQ(k.Program.MenoSuboru, pl.MapSystemPath(kCestaPrijatehoSuboru));
  // (A file's header has no name field; the link's carries blanks.)
  const Bytes again = ProgramImage(k, "x", k.Program.PocetKrokov, false);
  ASSERT_EQ(again.size() - 1202, program.size());
  EXPECT_EQ(Bytes(again.begin(), again.begin() + 20), Bytes(program.begin(), program.begin() + 20));
  EXPECT_EQ(Bytes(again.begin() + 68, again.end() - 1202), Bytes(program.begin() + 68, program.end()));
  EXPECT_EQ(k.Program.PoslednySubor, "SPULE.kvr");
  ASSERT_TRUE(WaitUntil([this] {
    const auto r = sim.Received();
    return !r.empty() && r.back() == Bytes{134, 0};
  }));
}

TEST_F(LinkPtyTest, FramesSplitAtEveryByteBoundaryArriveWhole) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  Program(20);
  sp.PcNav();
  ASSERT_TRUE(Done());
  sim.SetChunk(1);
  test::SetProgram(k, {});
  sp.NavPc();
  ASSERT_TRUE(Done());
  ASSERT_TRUE(WaitUntil([this] { return k.Program.PocetKrokov == 20; }));
  EXPECT_EQ(statuses.back(), " Übertragung OK ");
}

TEST_F(LinkPtyTest, ACorruptedFrameIsIgnored) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  sim.CorruptFrames(1, 32);
  sim.SendState(100, 0, false, 1, '0');
  sim.SendState(250, 0, false, 1, '0');
  ASSERT_TRUE(WaitUntil([this] { return !host.turns.empty(); }));
  // The next frame is handled; the corrupted one never was.
  sim.SendState(300, 0, false, 1, '0');
  ASSERT_TRUE(WaitUntil([this] { return host.turns.size() == 2; }));
  EXPECT_EQ(host.turns, (std::vector<std::string>{"Windungen: 2.50", "Windungen: 3.00"}));
}

TEST_F(LinkPtyTest, ADroppedAcknowledgementEndsInTheTimeOutAndAClosedPort) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  k.Link.CasSpravy = 300;
  Program(30);
  sim.DropFrames(1, 130);
  sp.PcNav();
  ASSERT_TRUE(Done());
  ASSERT_TRUE(WaitUntil([this] { return !ui.Messages.empty(); }));
  EXPECT_EQ(ui.Messages, (std::vector<std::string>{"Fehler: TimeOut der Verbindung"}));
  EXPECT_EQ(statuses.back(), " Überprüfe EINSTELLUNG ");
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "0.trc"));
}

TEST_F(LinkPtyTest, AControllerThatNeverAnswersEndsInTheConnectionTimeOut) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  k.Link.CasSpojenia = 300;
  sim.SetSilent(true);
  sp.NavPc();
  ASSERT_TRUE(Done());
  ASSERT_TRUE(WaitUntil([this] { return !ui.Messages.empty(); }));
  EXPECT_EQ(ui.Messages, (std::vector<std::string>{"Fehler: keine Rückmeldung über Maschinennummer"}));
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(LinkPtyTest, ALateControllerIsWaitedFor) {
  ASSERT_TRUE(port.IsOpen()) << port.ErrorText();
  Program(3);
  sim.SetDelay(std::chrono::milliseconds(50));
  sp.PcNav();
  ASSERT_TRUE(Done());
  EXPECT_EQ(statuses.back(), " Übertragung OK ");
}

}  // namespace
}  // namespace kvr
