// Online mode: the state panel, the mode panels and their windows, and the
// order of the edit messages the editing paths send, through an in-memory
// port on the station's link window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "edit/layer_functions.h"
#include "link/online_senders.h"
#include "model/step_records.h"
#include "support/fake_serial_port.h"
#include "support/station.h"
#include "support/steps.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "view/coil_drawing.h"

namespace kvr {
namespace {

using test::FakeSerialPort;
using test::Winding;
using Bytes = std::vector<uint8_t>;

constexpr TColor kMagenta = 0xFF00FF;
constexpr TColor kTeal = 0x008080;

class OnlineTest : public ::testing::Test {
 protected:
  OnlineTest() {
    std::filesystem::create_directories(dir.path() / "drives" / "C" / "DSQ");
    k.Link.Port = &port;
    k.Link.AdresarZaznamu = dir.path().string();
    test::SetKvr22(k);
    prog.fParam.FormCreate();
    prog.fSP.InicComPort();
  }
  ~OnlineTest() override { ui.Verify(); }

  void Program(int n) {
    std::vector<TKrok> kroky;
    for (int i = 0; i < n; ++i) {
      TKrok w = Winding(100 + i, 0.5L, 10, 20 + i);
      w.Rozbeh = w.Dobeh = 1;
      kroky.push_back(w);
    }
    test::SetProgram(k, kroky);
  }
  void Machine(const Bytes& payload) {
    port.DeliverFrame(payload);
    ui.RunPosted();
  }
  // The codes of what was sent, in order.
  std::vector<int> Codes() const {
    std::vector<int> r;
    for (const Bytes& s : port.sent) r.push_back(s[0]);
    return r;
  }
  // The machine takes a whole program sent by PcNav and answers 94.
  void MachineTakesTheProgram() {
    Machine({77, 2, 3, 0, 0, 0, 0, 22, 1, 1});
    for (int guard = 0; guard < 400 && k.Link.StavPrenosu != 0; ++guard) {
      const Bytes p = port.sent.back();
      if (p[0] != 129) break;
      Machine({130, p[2], p[1]});
    }
    EXPECT_EQ(port.sent.back(), (Bytes{128, 0, 0}));
    Machine({94});
  }
  std::vector<TControl*> ParameterPanels() {
    return {&prog.stepPanel.pPodklad_Param, &prog.captions.pPodklad_Global, &prog.stepKinds.pPodklad_TypKroku,
            &prog.stepPanel.Panel2};
  }

  test::TempDir dir{"kvr-online"};
  test::ScriptedUi ui;
  test::FakePlatform pl{(dir.path() / "drives").string(), dir.path().string()};
  // Before the station: the link lets go of its port when the station ends.
  FakeSerialPort port;
  TProg prog{ui, pl};
  TKontext& k = prog.Kontext();
  MachineStatePanel& m = prog.machineState;
};

// ---- The state panel -------------------------------------------------------------

TEST_F(OnlineTest, StatePanelByStateCharacter) {
  Program(20);
  k.Program.Kroky[17] = test::Still(kDruhPause, 2);
  k.Program.AktKrok = 17;
  k.Link.KrokStop = 17;
  prog.SetOnLine();
  const struct {
    uint8_t c;
    TColor color;
    const char* caption;
  } cases[] = {
      {'0', clBtnFace, "PAUSE"},
      {'1', clLime, "WICKELN START"},
      {'2', kMagenta, "WICKELN STOP [17]"},
      {'3', clLime, "WICKELN PEDAL"},
      {'4', clLime, "VERSCHIEBUNG START"},
      {'5', kMagenta, "VERSCHIEBUNG STOP [17]"},
      {'6', kMagenta, "SPRUNG STOP [17]"},
      {'7', clLime, "SPRUNG START"},
      {'8', clBtnFace, "RÜCKABWICKELN"},
      {':', kTeal, "MANUAL"},
      {'<', clLime, "PAUSE START"},
      {'=', kMagenta, "PAUSE STOP [17]"},
      {'>', clRed, "ERROR"},
      {'?', clBtnFace, "NETZ AUS "},
      {'A', clLime, "LAGE START"},
      {'B', kMagenta, "LAGE STOP [17]"},
      {'C', clBtnFace, "KOMMUNIKATION"},
      {'E', clBtnFace, "KOMMUNIKATION"},
      {'F', clBtnFace, "GETRIEBEWECHSEL"},
      {';', clBtnFace, ""},
      {'N', clRed, ""},
      {64, clBtnFace, ""},
      {239, clRed, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.c));
    prog.ZobrazStav(c.c);
    EXPECT_EQ(m.pStav.Color, c.color);
    EXPECT_EQ(m.pStav.Caption, c.caption);
    const bool stop = c.color == kMagenta;
    EXPECT_EQ(m.pAbortStep.Color, stop ? kMagenta : clBtnFace);
    EXPECT_EQ(m.pAbortStep.Caption, stop ? "Abbruch" : "");
  }
  // "9" leaves the caption as it was.
  prog.ZobrazStav('7');
  prog.ZobrazStav('9');
  EXPECT_EQ(m.pStav.Caption, "SPRUNG START");
}

TEST_F(OnlineTest, StateZeroNamesTheCurrentStepsKindOrKeepsTheCaption) {
  test::SetProgram(k, {test::Still(kDruhLeer), Winding(10, 0.5, 0, 10), test::Shift(5), test::Jump(3, 0),
                       test::Still(kDruhPause, 1), test::Still(kDruhGetriebe, 0.01), test::Still(kDruhBandagieren, 5)},
                   true);
  prog.SetOnLine();
  const char* expected[] = {"", "WICKELN ", "VERSCHIEBUNG", "SPRUNG", "PAUSE", "GETRIEBEWECHSEL", ""};
  for (int i = 1; i <= 7; ++i) {
    SCOPED_TRACE(i);
    prog.ZobrazStav('1');
    k.Program.AktKrok = i;
    prog.ZobrazStav('0');
    EXPECT_EQ(m.pStav.Caption, *expected[i - 1] != 0 ? expected[i - 1] : "WICKELN START");
  }
}

TEST_F(OnlineTest, OfflineTheStatePanelShowsTheModelWhateverTheState) {
  prog.SetOnLine();
  prog.ZobrazStav('4');
  prog.SetOffLine();
  for (uint8_t c : {'0', '2', '4', '>'}) {
    prog.ZobrazStav(c);
    EXPECT_EQ(m.pStav.Caption, "KVR - 22 :  OFFLINE");
    EXPECT_EQ(m.pStav.Color, clBtnFace);
    EXPECT_EQ(m.pAbortStep.Caption, "");
    EXPECT_EQ(m.pAbortStep.Color, clBtnFace);
  }
}

TEST_F(OnlineTest, AMovementDisablesTheParameterPanelsUntilItStops) {
  prog.SetOnLine();
  for (uint8_t c : {'1', '3', '4', '7', '<', 'A'}) {
    prog.ZobrazStav('5');
    for (TControl* p : ParameterPanels()) EXPECT_TRUE(p->Enabled) << p->Name();
    prog.ZobrazStav(c);
    for (TControl* p : ParameterPanels()) EXPECT_FALSE(p->Enabled) << p->Name() << " " << c;
    EXPECT_TRUE(TestujCiNavijame(k, c));
  }
  prog.ZobrazStav('5');
  for (TControl* p : ParameterPanels()) EXPECT_TRUE(p->Enabled) << p->Name();
  EXPECT_FALSE(TestujCiNavijame(k, '5'));
  // Leaving online mode while the machine moves gives the panels back, and
  // offline nothing moves for the station.
  prog.ZobrazStav('4');
  prog.SetOffLine();
  for (TControl* p : ParameterPanels()) EXPECT_TRUE(p->Enabled) << p->Name();
  prog.ZobrazStav('4');
  for (TControl* p : ParameterPanels()) EXPECT_TRUE(p->Enabled) << p->Name();
  EXPECT_FALSE(TestujCiNavijame(k, '4'));
}

TEST_F(OnlineTest, TheDispatcherShowsTheMachinesStateInTheMainWindow) {
  Program(3);
  prog.SetOnLine();
  k.Program.AktKrok = 2;
  Machine({32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, '2'});
  EXPECT_EQ(m.pStav.Caption, "WICKELN STOP [2]");
  EXPECT_EQ(m.pAbortStep.Caption, "Abbruch");
  Machine({32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, '1'});
  EXPECT_EQ(m.pStav.Caption, "WICKELN START");
  EXPECT_FALSE(prog.stepPanel.pPodklad_Param.Enabled);
}

// ---- The mode --------------------------------------------------------------------

TEST_F(OnlineTest, SetOnLineAndSetOffLinePaintTheModePanels) {
  prog.SetOnLine();
  EXPECT_EQ(k.Program.Online, 1);
  EXPECT_EQ(m.pOnLine.Caption, "ONLINE");
  EXPECT_EQ(m.pOnLine.Color, clLime);
  EXPECT_EQ(m.pNavijacka.Color, clLime);
  EXPECT_EQ(ui.invalidated.back(), "Prog/PaintBox1");
  prog.SetOffLine();
  EXPECT_EQ(k.Program.Online, 0);
  EXPECT_EQ(m.pOnLine.Caption, "OFFLINE");
  EXPECT_EQ(m.pOnLine.Color, clBtnFace);
  EXPECT_EQ(m.pNavijacka.Color, clBtnFace);
  EXPECT_EQ(m.pStav.Caption, "KVR - 22 :  OFFLINE");
  // A new program ends online mode, and the panels say so.
  prog.SetOnLine();
  prog.fileMenu.mnSuborNovy.Click();
  EXPECT_EQ(k.Program.Online, 0);
  EXPECT_EQ(m.pOnLine.Caption, "OFFLINE");
}

TEST_F(OnlineTest, TheModePanelAndActionsOpenTheWindowOfTheMode) {
  for (TControl* c : {&m.pOnLine, &m.pAction}) {
    ui.ExpectModal("formOFFLINE", [&](TForm& f) {
      auto& w = dynamic_cast<TformOFFLINE&>(f);
      EXPECT_FALSE(w.GroupBox1.Visible);
      EXPECT_TRUE(w.GroupBox2.Visible);
      EXPECT_EQ(w.lbPopisOffline.Caption, " Diese Version arbeitet immer OFFLINE !");
      w.pClose.Click();
    });
    c->Click();
    ui.Verify();
  }
  // Even a window left with its group shown hides it when shown again.
  prog.fOFFLINE.GroupBox1.Visible = true;
  ui.ExpectModal("formOFFLINE", [](TForm& f) { EXPECT_FALSE(dynamic_cast<TformOFFLINE&>(f).GroupBox1.Visible); });
  m.pAction.Click();
  ui.Verify();
  prog.SetOnLine();
  ui.ExpectModal("formONLINE", [](TForm& f) {
    EXPECT_EQ(dynamic_cast<TformONLINE&>(f).lbStav.Caption, "status:      ONLINE");
  });
  m.pOnLine.Click();
}

TEST_F(OnlineTest, TheEnterWindowSwitchesOnlineWhenTapped) {
  ui.ExpectModal("fENTER", [](TForm& f) { dynamic_cast<TfENTER&>(f).Label1.Click(); });
  Machine({0});
  Machine({32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '0'});
  EXPECT_EQ(k.Program.Online, 1);
  EXPECT_EQ(m.pOnLine.Caption, "ONLINE");
  EXPECT_EQ(port.sent.back(), (Bytes{1, 0}));
}

TEST_F(OnlineTest, LeavingOnlineSends80) {
  prog.SetOnLine();
  prog.fONLINE.pOFFLINE.Click();
  EXPECT_EQ(k.Program.Online, 0);
  EXPECT_EQ(port.sent.back(), (Bytes{80, 0}));
}

TEST_F(OnlineTest, NewProgramInTorvenaStartsAnEmptyProgram) {
  Program(3);
  k.Program.AktKrok = 3;
  prog.fOFFLINE.pNewProg.Click();
  EXPECT_EQ(k.Program.PocetKrokov, 0);
  // Step 1 is shown first; the new program then makes step 0 current.
  EXPECT_EQ(k.Program.AktKrok, 0);
  EXPECT_EQ(prog.fOFFLINE.ModalResult, TModalResult::Ok);
  EXPECT_TRUE(port.sent.empty());
}

// ---- The edit messages -------------------------------------------------------------

TEST_F(OnlineTest, OfflineNoEditIsSentButTheAbortIs) {
  Program(5);
  k.Program.AktKrok = 2;
  k.Vyber.BlokOd = 2;
  k.Vyber.BlokDo = 3;
  prog.editMenu.mnCUT.Click();
  prog.editMenu.mnPASTE.Click();
  prog.stepPanel.SpinButton1Up.Click();
  EXPECT_EQ(k.Program.PocetKrokov, 5);
  EXPECT_TRUE(port.sent.empty());
  m.pAbortStep.Click();
  EXPECT_EQ(port.sent, (std::vector<Bytes>{{119, 0}}));
  prog.SetOnLine();
  m.pAbortStep.Click();
  EXPECT_EQ(port.sent.back(), (Bytes{119, 0}));
}

TEST_F(OnlineTest, AbortWithThePortClosedIsReported) {
  prog.fSP.ClosePort();
  ui.ExpectReport("Schnittstelle ist nicht geöffnet");
  m.pAbortStep.Click();
}

TEST_F(OnlineTest, AnInsertSendsInsertThenTheNewStepsParameters) {
  Program(3);
  prog.SetOnLine();
  k.Program.AktKrok = 2;
  k.Vyber.BlokOd = 3;
  k.Vyber.BlokDo = 3;
  prog.editMenu.mnCOPY.Click();
  port.sent.clear();
  k.Program.AktKrok = 2;
  prog.editMenu.mnPASTE.Click();
  ASSERT_EQ(Codes(), (std::vector<int>{101, 97, 35, 97}));
  EXPECT_EQ(port.sent[0], (Bytes{101, 2, 0}));
  EXPECT_EQ(port.sent[1], (Bytes{97, 3, 0, 0}));
  ASSERT_EQ(port.sent[2].size(), 77u);
  EXPECT_EQ(port.sent[2][1], 3);
  Bytes zaznam(port.sent[2].begin(), port.sent[2].end());
  TKrok spat;
  KrokZTBuf(k.Stroj, 1, zaznam, 5, spat);
  EXPECT_EQ(static_cast<long double>(spat.Hodnota), 102.0L);  // the pasted copy of step 3
  EXPECT_EQ(port.sent[2][73], 1);
}

TEST_F(OnlineTest, TheStepDialogsInsertSendsInsertThenTheNewStep) {
  Program(3);
  prog.SetOnLine();
  k.Program.AktKrok = 1;
  port.sent.clear();
  prog.fVstup.FormCreate();
  TKrok sablona = Winding(50, 0.5, 0, 20);
  sablona.Rozbeh = sablona.Dobeh = 1;
  k.KonstKroky[0] = sablona;
  // "WINDUNGEN 1", then insert after step 1 without changing anything.
  ui.ExpectModal("Param", [&](TForm&) {
    k.Dialogy.ParamKrok = 1;
    prog.fParam.bInsert.Click();
  });
  prog.stepKinds.bDefZav.Click();
  ASSERT_EQ(k.Program.PocetKrokov, 4);
  // The dialog's insert, then the opener sends the current step once more.
  EXPECT_EQ(Codes(), (std::vector<int>{101, 97, 35, 97, 35}));
  EXPECT_EQ(port.sent[4][1], 2);
  EXPECT_EQ(port.sent[0], (Bytes{101, 1, 0}));
  EXPECT_EQ(port.sent[2][1], 2);
  EXPECT_EQ(port.sent[2].size(), 77u);
}

TEST_F(OnlineTest, ACutOfThreeStepsDeletesThreeTimesTheFirstAndWaitsForTheMachine) {
  Program(6);
  prog.SetOnLine();
  k.Program.AktKrok = 5;
  k.Vyber.BlokOd = 2;
  k.Vyber.BlokDo = 4;
  ui.ExpectModal("fWait", [&](TForm& f) {
    EXPECT_TRUE(f.Visible);
    Machine({94});
    EXPECT_FALSE(f.Visible);
  });
  prog.editMenu.mnCUT.Click();
  ui.Verify();
  EXPECT_EQ(k.Program.PocetKrokov, 3);
  ASSERT_EQ(port.sent.size(), 5u);
  EXPECT_EQ(port.sent[0], (Bytes{102, 2, 0}));
  EXPECT_EQ(port.sent[1], (Bytes{102, 2, 0}));
  EXPECT_EQ(port.sent[2], (Bytes{102, 2, 0}));
  EXPECT_EQ(port.sent[3], (Bytes{97, 1, 0, 0}));
  EXPECT_EQ(port.sent[4], (Bytes{94, 0}));
}

TEST_F(OnlineTest, TapSendsEveryStepThenTheCurrentThenProgramChanged) {
  test::SetProgram(k, {test::Shift(10), Winding(400, 0.5, 10, 30, 0, 1)});
  prog.SetOnLine();
  k.Program.AktKrok = 2;
  ui.ExpectModal("Vstup", [&](TForm&) {
    for (char c : std::string("150")) prog.fVstup.KeyPress(c);
    prog.fVstup.ButtonOK.Click();
  });
  ui.ExpectModal("fWait", [&](TForm&) { Machine({94}); });
  prog.fFunction.bOdbocka.Click();
  ASSERT_EQ(k.Program.PocetKrokov, 3);
  EXPECT_EQ(Codes(), (std::vector<int>{97, 35, 97, 35, 97, 35, 97, 94}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(port.sent[2 * i + 1][1], i + 1);
  EXPECT_EQ(port.sent[6], (Bytes{97, 2, 0, 0}));  // the tap step is current
}

TEST_F(OnlineTest, ALayerExpansionInsertsEachLayerAfterTheOneBefore) {
  test::SetProgram(k, std::vector<TKrok>(3, Winding(5, 1.0, 0, 20)));
  k.BodyKrokov[3].Poloha = 10;
  k.Program.AktKrok = 3;
  prog.SetOnLine();
  k.Program.PracKrok = Winding(60, 1.0, 10, 30);  // three layers of 20 turns
  RozlozNaVrstvy(k, true, true);
  ASSERT_EQ(k.Program.PocetKrokov, 6);
  EXPECT_EQ(Codes(), (std::vector<int>{101, 97, 35, 101, 97, 35, 101, 97, 35}));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(port.sent[3 * static_cast<size_t>(i)], (Bytes{101, static_cast<uint8_t>(3 + i), 0}));
    EXPECT_EQ(port.sent[3 * static_cast<size_t>(i) + 2][1], 4 + i);
  }
}

TEST_F(OnlineTest, SendProgramToKvrSelectsStepZeroSendsTheProgramThenRequestsIt) {
  const auto ini = dir.path() / "drives" / "C" / "DSQ" / "WM_cfg.ini";
  { std::ofstream(ini, std::ios::binary) << "; Panel\r\n\r\n[KVR]\r\nWindingProgram = alt ; x\r\nA=1\r\n"; }
  Program(2);
  k.Program.PoslednyOtvor = pl.MapSystemPath("D:\\WINDING PROGRAMS\\Spule.kvr");
  k.Program.AktKrok = 2;
  ui.ExpectModal("fWait", [&](TForm&) {
    // The OFFLINE window has closed with OK before the wait.
    EXPECT_FALSE(prog.fOFFLINE.Visible);
    EXPECT_EQ(prog.fOFFLINE.ModalResult, TModalResult::Ok);
    MachineTakesTheProgram();
  });
  prog.fOFFLINE.pProgToKVR.Click();
  ui.Verify();
  EXPECT_EQ(k.Program.Online, 1);
  EXPECT_EQ(k.Program.AktKrok, kMaxKrokov);  // the machine's 94 leaves no current step
  ASSERT_GE(port.sent.size(), 4u);
  EXPECT_EQ(port.sent[0], (Bytes{97, 0, 0, 0}));
  EXPECT_EQ(port.sent[1][0], 133);
  EXPECT_EQ(port.sent[2], (Bytes{77, 0}));
  EXPECT_EQ(port.sent[port.sent.size() - 2], (Bytes{128, 0, 0}));
  EXPECT_EQ(port.sent.back(), (Bytes{81, 0}));
  std::ifstream in(ini, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "; Panel\r\n\r\n[KVR]\r\nWindingProgram=D:/WINDING PROGRAMS/Spule.kvr\r\nA=1\r\n");
}

TEST_F(OnlineTest, NewProgramInKvrSendsAnEmptyProgramAndEndsOffline) {
  Program(2);
  ui.ExpectModal("fWait", [&](TForm&) { MachineTakesTheProgram(); });
  prog.fONLINE.pNEW.Click();
  EXPECT_EQ(k.Program.PocetKrokov, 0);
  EXPECT_EQ(k.Program.Online, 0);
  EXPECT_EQ(prog.stepPanel.BKrok.Caption, "SCHRITT: 1");
  // The step choice is not sent: the new program left online mode.
  ASSERT_FALSE(port.sent.empty());
  EXPECT_EQ(port.sent[0][0], 133);
}

TEST_F(OnlineTest, EditsOnlineWithoutThePortStayOnThePcAndAreReportedOncePerLoss) {
  Program(4);
  prog.SetOnLine();
  prog.fSP.ClosePort();
  k.Program.AktKrok = 2;
  k.Vyber.BlokOd = 2;
  k.Vyber.BlokDo = 2;
  ui.ExpectError(std::string(kZmenaLenVPC));
  ui.ExpectModal("fWait", [](TForm& f) { f.Close(TModalResult::Ok); });
  prog.editMenu.mnCUT.Click();
  ui.Verify();
  EXPECT_EQ(k.Program.PocetKrokov, 3);
  // Further edits of the same loss say nothing more.
  prog.editMenu.mnPASTE.Click();
  EXPECT_EQ(k.Program.PocetKrokov, 4);
  ui.Verify();
  // The port opens again, the link is lost again: told again.
  prog.fSP.InicComPort();
  Posli_Krok(k, 1);
  EXPECT_EQ(port.sent.back(), (Bytes{97, 1, 0, 0}));
  prog.fSP.ClosePort();
  ui.ExpectError(std::string(kZmenaLenVPC));
  Posli_KrokParam(k, 1);
  Posli_KrokParam(k, 2);
  EXPECT_EQ(port.sent.back(), (Bytes{97, 1, 0, 0}));
}

}  // namespace
}  // namespace kvr
