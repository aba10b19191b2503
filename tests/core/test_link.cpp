// The machine link: framing, the receive state machine, the dispatcher's
// catalogue, the program transfer in both directions and the refusals of
// unsafe input, through an in-memory port.
#include <gtest/gtest.h>

#include <fstream>

#include "link/framing.h"
#include "link/link_window.h"
#include "link/online_senders.h"
#include "model/program_files.h"
#include "model/step_records.h"
#include "support/fake_serial_port.h"
#include "support/station.h"
#include "support/steps.h"
#include "support/temp_dir.h"

namespace kvr {
namespace {

using test::FakeSerialPort;
using Bytes = std::vector<uint8_t>;

// ---- Framing ------------------------------------------------------------------

TEST(LinkFraming, FramesMatchHandComputedBytes) {
  const struct {
    Bytes payload, frame;
  } cases[] = {
      {{77, 0}, {16, 4, 77, 0, 77, 16, 3}},
      // A DLE in the payload goes twice; the check byte 16 ^ 1 = 17.
      {{16, 1}, {16, 4, 16, 16, 1, 17, 16, 3}},
      // The check byte 1 ^ 17 = 16 goes twice too.
      {{1, 17}, {16, 4, 1, 17, 16, 16, 16, 3}},
      {{128, 0, 0}, {16, 4, 128, 0, 0, 128, 16, 3}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Ramec(c.payload), c.frame);
    TPrijemStav s;
    Bytes m;
    TPrijatyBajt last = TPrijatyBajt::Nic;
    for (uint8_t b : c.frame) last = PrijmiBajt(s, b, m);
    EXPECT_EQ(last, TPrijatyBajt::Sprava);
    EXPECT_EQ(m, c.payload);
  }
}

// All complete payloads of a byte stream, fed in pieces of the given size.
std::vector<Bytes> Prijmi(const Bytes& stream, TPrijemStav& s) {
  std::vector<Bytes> out;
  Bytes m;
  for (uint8_t b : stream)
    if (PrijmiBajt(s, b, m) == TPrijatyBajt::Sprava) out.push_back(m);
  return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes r;
  for (const Bytes& p : parts) r.insert(r.end(), p.begin(), p.end());
  return r;
}

TEST(LinkFraming, ReceiveEdgeCases) {
  const Bytes a = Ramec(Bytes{32, 16, 5});
  const Bytes b = Ramec(Bytes{130, 1, 0});
  Bytes bad = Ramec(Bytes{77, 1});
  bad[bad.size() - 3] ^= 0x40;  // wrong check byte
  Bytes overlong = Ramec(Bytes(1051, 7));
  Bytes endless(20000, 9);  // a frame that never ends within the buffer
  const struct {
    const char* what;
    Bytes stream;
    std::vector<Bytes> expected;
  } cases[] = {
      {"two frames in one read", Concat({a, b}), {{32, 16, 5}, {130, 1, 0}}},
      {"bytes between frames", Concat({{1, 2, 3, 16, 7, 4}, a, {16, 16, 99}, b}), {{32, 16, 5}, {130, 1, 0}}},
      {"DLE EOT inside a frame restarts it", Concat({{16, 4, 50, 51}, a}), {{32, 16, 5}}},
      {"a wrong check byte drops the frame", Concat({bad, b}), {{130, 1, 0}}},
      {"a payload over 1050 bytes is dropped", Concat({overlong, b}), {{130, 1, 0}}},
      {"a payload of 1050 bytes is kept", Ramec(Bytes(1050, 7)), {Bytes(1050, 7)}},
      {"an endless frame is dropped, the next one kept", Concat({{16, 4}, endless, {16, 3}, b}), {{130, 1, 0}}},
      {"an endless frame ended by DLE EOT", Concat({{16, 4}, endless, a}), {{32, 16, 5}}},
      {"a frame without a code", Concat({{16, 4, 0, 16, 3}, {16, 4, 16, 3}, b}), {{130, 1, 0}}},
  };
  for (const auto& c : cases) {
    TPrijemStav s;
    EXPECT_EQ(Prijmi(c.stream, s), c.expected) << c.what;
  }
}

// ---- The link window on an in-memory port ----------------------------------------

class RecordingHost : public ILinkHost {
 public:
  void ShowReadings(const std::string& z, const std::string& p, const std::string& s) override {
    calls.push_back(z + "|" + p + "|" + s);
  }
  void ShowLayer(const std::string& t) override { calls.push_back(t); }
  void ShowGear(const std::string& t) override { calls.push_back(t); }
  void CloseWaitWindow() override { calls.push_back("close wait"); }
  void ZobrazStav(uint8_t c) override { calls.push_back(std::string("state ") + static_cast<char>(c)); }
  void ShowStepButton(const std::string& t) override { calls.push_back(t); }
  void FollowStep(int krok, bool navija) override {
    calls.push_back("follow " + std::to_string(krok) + (navija ? " winding" : ""));
  }
  void ConfirmEnter() override { calls.push_back("enter"); }
  void ShowWarning(const std::string& t) override { calls.push_back("warning " + t); }
  void CloseWarnings() override { calls.push_back("close warnings"); }
  void NewProgram() override { calls.push_back("new program"); }
  void SetOnLine() override { calls.push_back("online"); }
  std::vector<std::string> calls;
};

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() {
    k.Link.Port = &port;
    k.Link.AdresarZaznamu = dir.path().string();
    test::SetKvr22(k);
    std::filesystem::create_directories(dir.path() / "drives" / "C");
    sp.OnStatus = [this](const std::string& s) { statuses.push_back(s); };
    sp.FormCreate();
    sp.InicComPort();
  }
  ~LinkTest() override { ui.Verify(); }

  // The machine sends a message; the posted dispatcher runs.
  void Machine(const Bytes& payload) {
    port.DeliverFrame(payload);
    ui.RunPosted();
  }
  Bytes LastSent() const { return port.sent.empty() ? Bytes{} : port.sent.back(); }
  void Program(int n) {
    std::vector<TKrok> kroky;
    for (int i = 0; i < n; ++i) kroky.push_back(test::Winding(10 + i, 0.5L, 10, 20 + (i % 50)));
    test::SetProgram(k, kroky);
  }
  // A whole send; the data packets the machine received.
  std::vector<Bytes> SendAll() {
    sp.PcNav();
    Machine({77, 2, 3, 0, 0, 0, 0, 22, 1, 1});
    std::vector<Bytes> pakety;
    for (int guard = 0; guard < 400 && k.Link.StavPrenosu != 0; ++guard) {
      const Bytes p = LastSent();
      if (p[0] != 129) break;
      pakety.push_back(p);
      Machine({130, p[2], p[1]});
    }
    return pakety;
  }

  test::TempDir dir{"kvr-link"};
  test::ScriptedUi ui;
  test::FakePlatform pl{(dir.path() / "drives").string(), dir.path().string()};
  TKontext k{ui, pl};
  FakeSerialPort port;
  RecordingHost host;
  TfSP sp{k, &host};
  std::vector<std::string> statuses;
};

TEST_F(LinkTest, PortOpensWithTheLinkSettingsAndAttachesTheReceiver) {
  EXPECT_TRUE(port.open);
  EXPECT_EQ(port.openedName, PortDevice(0));
  EXPECT_EQ(port.settings.BaudRate, 115200);
  EXPECT_EQ(port.settings.DataBits, 8);
  EXPECT_FALSE(port.settings.Parity);
  EXPECT_EQ(port.settings.StopBits, 1);
  EXPECT_FALSE(port.settings.Dtr);
  EXPECT_FALSE(port.settings.Rts);
  EXPECT_TRUE(port.Attached());
  sp.ClosePort();
  EXPECT_FALSE(port.open);
  EXPECT_FALSE(port.Attached());
}

TEST_F(LinkTest, PortNumberComesFromTheIniModulo256) {
  const std::string ini = pl.MapSystemPath(kCestaZavizero);
  EXPECT_EQ(COM_Number(ini), 0);  // no file
  std::filesystem::create_directories(std::filesystem::path(ini).parent_path());
  const struct {
    const char* text;
    int expected;
  } cases[] = {{"[Settings_COM_port]\r\nCOM_port_number=3\r\n", 3},
               {"[Settings_COM_port]\nCOM_port_number=259\n", 3},
               {"[Settings_COM_port]\nCOM_port_number=drei\n", 0},
               {"[Other]\nCOM_port_number=4\n", 0}};
  for (const auto& c : cases) {
    std::ofstream(ini, std::ios::trunc) << c.text;
    EXPECT_EQ(COM_Number(ini), c.expected) << c.text;
  }
  std::ofstream(ini, std::ios::trunc) << "[Settings_COM_port]\nCOM_port_number=7\n";
  sp.FormCreate();
  sp.FormShow();
  EXPECT_EQ(sp.bPort.Caption, "Port: COM 7");
  EXPECT_EQ(sp.bBlok.Caption, "BLOCK: 0");
  sp.Label1.Click();
  EXPECT_EQ(sp.Label1.Caption, "COM: 7");
}

TEST_F(LinkTest, FramesArriveInAnyPieces) {
  const Bytes f = Concat({Ramec(Bytes{223}), Ramec(Bytes{16, 16, 3})});
  for (size_t cut = 0; cut <= f.size(); ++cut) {
    port.sent.clear();
    port.Deliver({f.begin(), f.begin() + static_cast<std::ptrdiff_t>(cut)});
    port.Deliver({f.begin() + static_cast<std::ptrdiff_t>(cut), f.end()});
    ui.RunPosted();
    ASSERT_EQ(port.sent, std::vector<Bytes>{Bytes({222, 48, 0, 0})}) << "cut at " << cut;
  }
  port.sent.clear();
  for (uint8_t b : f) port.Deliver({b});
  ui.RunPosted();
  EXPECT_EQ(port.sent, std::vector<Bytes>{Bytes({222, 48, 0, 0})});
}

TEST_F(LinkTest, TwoFramesInOneReadAreHandledByOneDispatcherRun) {
  port.Deliver(Concat({Ramec(Bytes{223}), Ramec(Bytes{223})}));
  EXPECT_EQ(k.Link.FrontaSprav.size(), 2u);
  ui.RunPosted();
  EXPECT_TRUE(k.Link.FrontaSprav.empty());
  EXPECT_EQ(port.sent.size(), 2u);
}

TEST_F(LinkTest, AWrongCheckByteGetsNoAnswer) {
  Bytes f = Ramec(Bytes{223});
  f[3] ^= 1;
  port.Deliver(f);
  ui.RunPosted();
  EXPECT_TRUE(port.sent.empty());
}

TEST_F(LinkTest, CatalogueOutsideATransfer) {
  Machine({223});
  EXPECT_EQ(LastSent(), (Bytes{222, 48, 0, 0}));
  port.sent.clear();
  // Program name, offline and without a transfer: no effect.
  Machine({133, 'A', 'B', 0});
  EXPECT_TRUE(k.Program.PoslednySubor.empty());
  // Step record and machine error count only online.
  Machine({35, 1, 0, 0, 0});
  Machine({177, 4});
  // Transfer codes without a transfer.
  Machine({77, 0, 0, 0, 0, 0, 1});
  Machine({129, 0, 1, 5});
  Machine({130, 1, 0});
  Machine({128, 0, 0});
  Machine({3});
  EXPECT_TRUE(port.sent.empty());
  EXPECT_EQ(k.Link.StavPrenosu, 0);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(k.Program.Kroky[1], TKrok{});
}

TEST_F(LinkTest, CatalogueInEveryState) {
  // 0: ENTER asked; answered, ENTER shown after the next state message.
  Machine({0});
  EXPECT_EQ(LastSent(), (Bytes{3, 23, 0}));
  EXPECT_TRUE(k.Link.CakaEnter);
  // 32: turns 12345 (123.45), position 0x000102 (2.58), left, step 7, state "2".
  Machine({32, 0x39, 0x30, 0, 0, 0, 0, 0, 0, 0x02, 0x01, 0, 0x80, 7, 0, '2'});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"Windungen: 123.45|Lage: 2.58| <<< ", "state 2", "close wait", "enter"}));
  EXPECT_EQ(LastSent(), (Bytes{1, 0}));
  EXPECT_EQ(k.Kresba.StavStroja, '2');
  EXPECT_EQ(k.Link.KrokStop, 0);  // offline: AktKrok does not follow the machine
  host.calls.clear();
  // Negative turns, direction right, same state: no state mark.
  Machine({32, 0x9C, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, '2'});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"Windungen: -1.00|Lage: 0.00| >>> "}));
  host.calls.clear();
  // 33: layer 258, gear 2; gear 0 leaves the gear panel.
  Machine({33, 0, 0, 0, 2, 0, 0, 2, 1});
  Machine({33, 0, 0, 0, 0, 0, 0, 5, 0});
  EXPECT_EQ(host.calls, (std::vector<std::string>{" LAGE: 258", "Getriebe: 6000", " LAGE: 5"}));
  EXPECT_EQ(k.Link.PrevodStroja, 2);
  host.calls.clear();
  // 94: the wait window closes, the current step becomes 350.
  Machine({94});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"close wait"}));
  EXPECT_EQ(k.Program.AktKrok, 350);
  host.calls.clear();
  // 7: the PC is powered off.
  Machine({7});
  EXPECT_EQ(pl.powerOffs, 1);
  // 188, 189: CAN errors.
  ui.ExpectError("CAN ERROR: 5").ExpectError("CAN DRIVE ERROR: 258");
  Machine({188, 5});
  Machine({189, 0, 1, 2});
  // 211 offline shows nothing; 212 closes the warnings window.
  Machine({211});
  Machine({212});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"close warnings"}));
}

TEST_F(LinkTest, OnlineCodes) {
  Program(3);
  k.Program.Online = 1;
  k.Program.AktKrok = 1;
  k.Program.Warningy[2] = "Draht prüfen";
  // The machine moves to step 2 in state "1" (winding): the station follows.
  Machine({32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, '1'});
  EXPECT_EQ(k.Program.AktKrok, 2);
  EXPECT_EQ(k.Vyber.BlokOd, 2);
  EXPECT_EQ(k.Vyber.BlokDo, 2);
  ASSERT_GE(host.calls.size(), 4u);
  EXPECT_EQ(host.calls[1], "state 1");
  EXPECT_EQ(host.calls[2], "SCHRITT: 2");
  EXPECT_EQ(host.calls[3], "follow 2 winding");
  host.calls.clear();
  // A stop keeps the step in KrokStop.
  Machine({32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, '2'});
  EXPECT_EQ(k.Link.KrokStop, 2);
  host.calls.clear();
  Machine({211});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"warning Draht prüfen"}));
  ui.ExpectError(" Drehzahl gegen Vorschub zu hoch !").ExpectError(" ERROR: 77");
  Machine({177, 4});
  Machine({177, 77});
  // 35: a step record from the machine replaces step 3; beyond 350 nothing.
  Bytes rec(73, 0);
  rec[0] = 35;
  rec[1] = 3;
  KrokDoTBuf(k.Stroj, 1, 1, test::Shift(42), rec, 5);
  Machine(rec);
  EXPECT_EQ(k.Program.Kroky[3].Druh, kDruhVerschiebung);
  EXPECT_EQ(static_cast<long double>(k.Program.Kroky[3].Hodnota), 42.0L);
  rec[1] = 0x5F;
  rec[2] = 0x01;  // 351
  Machine(rec);
  Machine({35, 3});  // a short record reads as zeros
  EXPECT_EQ(k.Program.Kroky[3].Druh, 0);
}

TEST_F(LinkTest, SendersSendOnlyOnline) {
  Program(2);
  Posli_Krok(k, 1);
  Posli_KrokParam(k, 2);
  Posli_INSERT(k, 1);
  Posli_DELETE(k, 1);
  EXPECT_TRUE(port.sent.empty());
  k.Program.Online = 1;
  Posli_Krok(k, 300);
  Posli_KrokParam(k, 2);
  Posli_INSERT(k, 1);
  Posli_DELETE(k, 2);
  ASSERT_EQ(port.sent.size(), 5u);
  EXPECT_EQ(port.sent[0], (Bytes{97, 44, 1, 0}));
  EXPECT_EQ(port.sent[1], (Bytes{97, 2, 0, 0}));
  ASSERT_EQ(port.sent[2].size(), 77u);
  EXPECT_EQ(port.sent[2][0], 35);
  EXPECT_EQ(port.sent[2][1], 2);
  EXPECT_EQ(port.sent[2][73], 1);  // the gear in force
  TKrok back;
  KrokZTBuf(k.Stroj, 1, port.sent[2], 5, back);
  EXPECT_EQ(back.Druh, kDruhWicklung);
  EXPECT_EQ(port.sent[3], (Bytes{101, 1, 0}));
  EXPECT_EQ(port.sent[4], (Bytes{102, 2, 0}));
  // Online with the port closed: the edit stays on the PC, and the operator
  // is told once.
  sp.ClosePort();
  port.sent.clear();
  ui.ExpectError(std::string(kZmenaLenVPC));
  Posli_KrokParam(k, 1);
  Posli_KrokParam(k, 2);
  EXPECT_TRUE(port.sent.empty());
}

TEST_F(LinkTest, ASendCutsTheImageIntoAcknowledgedPackets) {
  const struct {
    int steps;
    size_t packets, last;
  } cases[] = {{0, 10, 118}, {1, 11, 58}, {350, 196, 110}};
  for (const auto& c : cases) {
    Program(c.steps);
    port.sent.clear();
    statuses.clear();
    const std::vector<Bytes> pakety = SendAll();
    const size_t n = DlzkaObrazuPcNav(c.steps);
    EXPECT_EQ(PocetPaketov(n), c.packets);
    ASSERT_EQ(pakety.size(), c.packets) << c.steps;
    EXPECT_EQ(pakety.back().size() - 3, c.last) << c.steps;
    // Name, connect request, start of data, packets, end.
    EXPECT_EQ(port.sent[0][0], 133);
    EXPECT_EQ(port.sent[1], (Bytes{77, 0}));
    EXPECT_EQ(port.sent[2], (Bytes{128, 1, 0}));
    EXPECT_EQ(LastSent(), (Bytes{128, 0, 0}));
    EXPECT_EQ(statuses, (std::vector<std::string>{" Verbindungsanknüpfen ", " Verbindungsanknüpfen ", " Datensenden ",
                                                  " Übertragung OK "}));
    // The image: header with a blank name, the steps, zeros, "TCN" 3.
    Bytes image;
    for (const Bytes& p : pakety) image.insert(image.end(), p.begin() + 3, p.end());
    ASSERT_EQ(image.size(), n);
    EXPECT_EQ(Bytes(image.begin() + 20, image.begin() + 50), Bytes(30, ' '));
    EXPECT_EQ(Bytes(image.end() - 4, image.end()), (Bytes{'T', 'C', 'N', 3}));
    EXPECT_EQ(Bytes(image.end() - 1202, image.end() - 4), Bytes(1198, 0));
    for (size_t i = 0; i < pakety.size(); ++i) {
      EXPECT_EQ(pakety[i][1], (i + 1) >> 8);
      EXPECT_EQ(pakety[i][2], (i + 1) & 0xFF);
    }
  }
}

TEST_F(LinkTest, SendNamesTheProgramAndRepeatsTheConnectRequestOnCode3) {
  k.Program.MenoSuboru = (dir.path() / "Spule Ä.kvr").string();
  sp.PcNav();
  EXPECT_EQ(port.sent[0], (Bytes{133, 'S', 'p', 'u', 'l', 'e', ' ', 0xC3, 0x84, '.', 'k', 'v', 'r', 0, 0, 0}));
  Machine({3});
  EXPECT_EQ(LastSent(), (Bytes{77, 0}));
  // 128 with byte 1 not 0 changes nothing; nor does 223 during a transfer.
  port.sent.clear();
  Machine({128, 1, 5});
  Machine({223});
  EXPECT_EQ(k.Link.StavPrenosu, kPrenosPcNav);
  EXPECT_TRUE(port.sent.empty());
  // Codes of every state are handled during a transfer too.
  Machine({0});
  EXPECT_EQ(LastSent(), (Bytes{3, 23, 0}));
}

TEST_F(LinkTest, AWrongAcknowledgementAbortsTheSend) {
  Program(5);
  sp.PcNav();
  Machine({77, 0, 0, 0, 0, 0, 0, 22, 1, 1});
  ui.ExpectError(std::string(kChybaPaketuPcNav));
  Machine({130, 2, 0});
  EXPECT_EQ(LastSent(), (Bytes{128, 0, 1}));
  EXPECT_EQ(k.Link.StavPrenosu, 0);
  EXPECT_EQ(sp.pKomunik.Caption, "");
  EXPECT_TRUE(sp.bPC_NAV.Enabled);
}

TEST_F(LinkTest, TheMachineReportsAFailedTransfer) {
  Program(1);
  sp.PcNav();
  Machine({77, 0, 0, 0, 0, 0, 0, 22, 1, 1});
  ui.ExpectError("Übertragung erfolglos :  9");
  Machine({128, 0, 9});
  EXPECT_EQ(sp.pKomunik.Caption, "Übertragung erfolglos :  9");
  EXPECT_EQ(k.Link.StavPrenosu, 0);
}

TEST_F(LinkTest, TheLinkWindowsSendKeepsOrCutsTheExtension) {
  const struct {
    const char* file;
    const char* name;
  } cases[] = {{"SPULE.42", "SPULE"}, {"SPULE.999", "SPULE.999"}, {"SPULE.abc", "SPULE.abc"},
               {"EINE SEHR LANGE SPULENBEZEICHNUNG.kvr", "EINE SEHR LANGE SPULENBEZEICHN"}};
  for (const auto& c : cases) {
    k.Program.MenoSuboru = (dir.path() / c.file).string();
    port.sent.clear();
    sp.bPC_NAV.Click();
    EXPECT_FALSE(sp.bPC_NAV.Enabled);
    EXPECT_EQ(sp.pKonekt.Color, clLime);
    std::string name(reinterpret_cast<const char*>(&k.Subory.SuborBuf[20]), 30);
    std::string expected = c.name;
    expected.resize(30, ' ');
    EXPECT_EQ(name, expected) << c.file;
    // The name message carries the path unchanged, without the two zeros.
    const std::string cesta = k.Program.MenoSuboru;
    Bytes m{133};
    m.insert(m.end(), cesta.begin(), cesta.end());
    m.push_back(0);
    EXPECT_EQ(port.sent[0], m);
    // The marker "UCN" 2 ends the image one byte early.
    EXPECT_EQ(k.Link.DlzkaOdoslania, DlzkaObrazuPcNav(0) - 1);
    EXPECT_EQ(Bytes(&k.Subory.SuborBuf[k.Link.DlzkaOdoslania - 4], &k.Subory.SuborBuf[k.Link.DlzkaOdoslania]),
              (Bytes{'U', 'C', 'N', 2}));
    sp.ClosePort();
    sp.InicComPort();
  }
}

TEST_F(LinkTest, ASendThroughAClosedPortFailsAndTheLinkWindowSaysCheckTheSettings) {
  port.Close();
  EXPECT_THROW(sp.PcNav(), TChybaPortu);
  sp.bPC_NAV.Click();
  EXPECT_EQ(sp.pKomunik.Caption, std::string(kStatusNastavenie));
  EXPECT_TRUE(sp.bPC_NAV.Enabled);
  EXPECT_EQ(k.Link.StavPrenosu, 0);
}

// The machine's side of a receive: identification, name, packets, end.
struct Image {
  Bytes bytes;
  int steps;
};

Image MachineImage(TKontext& k, int steps) {
  std::vector<TKrok> kroky;
  for (int i = 0; i < steps; ++i) kroky.push_back(test::Winding(20 + i, 0.25L, 5, 30));
  test::SetProgram(k, kroky);
  const Bytes file = ProgramImage(k, "x", k.Program.PocetKrokov, false);
  return {Bytes(file.begin(), file.end() - 1202), steps};
}

TEST_F(LinkTest, AReceivedProgramBecomesTheCurrentProgram) {
  const Image img = MachineImage(k, 12);
  test::SetProgram(k, {});
  sp.NavPc();
  EXPECT_EQ(LastSent(), (Bytes{77, 0}));
  const uint16_t n = static_cast<uint16_t>(img.bytes.size());
  Machine({77, 2, 3, 0, 0, static_cast<uint8_t>(n & 0xFF), static_cast<uint8_t>(n >> 8), 22, 1, 1});
  EXPECT_EQ(LastSent(), (Bytes{128, 2, 0}));
  Machine({133, 'S', 'P', 0xC3, 0xBC, 0xFF, 0});
  EXPECT_EQ(k.Program.PoslednySubor, "SPü?");
  uint16_t paket = 0;
  for (size_t i = 0; i < img.bytes.size(); i += 128) {
    ++paket;
    Bytes p{129, static_cast<uint8_t>(paket >> 8), static_cast<uint8_t>(paket & 0xFF)};
    p.insert(p.end(), img.bytes.begin() + static_cast<std::ptrdiff_t>(i),
             img.bytes.begin() + static_cast<std::ptrdiff_t>(std::min(img.bytes.size(), i + 128)));
    Machine(p);
    EXPECT_EQ(LastSent(), (Bytes{130, static_cast<uint8_t>(paket >> 8), static_cast<uint8_t>(paket & 0xFF)}));
  }
  Machine({128, 0, 0});
  EXPECT_EQ(statuses, (std::vector<std::string>{" Verbindungsanknüpfen ", " Verbindungsanknüpfen ", " Dateneinnahme ",
                                                " Übertragung OK "}));
  EXPECT_EQ(LastSent(), (Bytes{134, 0}));
  EXPECT_EQ(k.Program.PocetKrokov, 12);
  // The program encodes to the very image the machine sent.
  const Bytes again = ProgramImage(k, "x", k.Program.PocetKrokov, false);
  EXPECT_EQ(Bytes(again.begin(), again.end() - 1202), img.bytes);
  EXPECT_EQ(k.Program.MenoSuboru, pl.MapSystemPath(kCestaPrijatehoSuboru));
  EXPECT_EQ(k.Program.Online, 1);
  EXPECT_EQ(host.calls.back(), "online");
  // The trace and log were written when the port closed.
  sp.ClosePort();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "0.trc"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "0.log"));
}

TEST_F(LinkTest, ARepeatedPacketNumberAbortsTheReceive) {
  sp.NavPc();
  Machine({77, 0, 0, 0, 0, 10, 0, 22, 1, 1});
  Machine({129, 0, 1, 1, 2, 3});
  ui.ExpectError(std::string(kChybaPaketuNavPc));
  Machine({129, 0, 1, 1, 2, 3});
  EXPECT_EQ(LastSent(), (Bytes{128, 0, 1}));
  EXPECT_EQ(k.Link.StavPrenosu, 0);
}

class LinkRefusalTest : public LinkTest {
 protected:
  void SetUp() override {
    Program(3);
    k.Program.MenoSuboru = "/some/prog.kvr";
    before = k.Program.Kroky;
  }
  void ExpectStoreUntouched() {
    EXPECT_TRUE(k.Program.Kroky == before);
    EXPECT_EQ(k.Program.PocetKrokov, 3);
    EXPECT_EQ(k.Program.MenoSuboru, "/some/prog.kvr");
    EXPECT_EQ(k.Program.Online, 0);
    for (const Bytes& m : port.sent) EXPECT_NE(m[0], 134);
  }
  TKrokyPole before;
};

TEST_F(LinkRefusalTest, AnAnnouncedImageBeyondTheBufferIsRefused) {
  sp.NavPc();
  ui.ExpectError(std::string(kChybaVelkyObraz));
  Machine({77, 0, 0, 0, 0, 0x01, 0x80, 22, 1, 1});  // 32769 bytes
  EXPECT_EQ(LastSent(), (Bytes{128, 0, 1}));
  EXPECT_EQ(k.Link.StavPrenosu, 0);
  ExpectStoreUntouched();
}

TEST_F(LinkRefusalTest, DataBeyondTheBufferAreRefused) {
  sp.NavPc();
  Machine({77, 0, 0, 0, 0, 0, 0x80, 22, 1, 1});  // 32768 announced
  Bytes p(3 + 1047, 0);
  p[0] = 129;
  uint16_t paket = 0;
  for (size_t got = 0; got + 1047 <= 32768; got += 1047) {
    ++paket;
    p[1] = static_cast<uint8_t>(paket >> 8);
    p[2] = static_cast<uint8_t>(paket & 0xFF);
    Machine(p);
  }
  ++paket;
  p[1] = static_cast<uint8_t>(paket >> 8);
  p[2] = static_cast<uint8_t>(paket & 0xFF);
  ui.ExpectError(std::string(kChybaVelkyObraz));
  Machine(p);
  EXPECT_EQ(LastSent(), (Bytes{128, 0, 1}));
  EXPECT_EQ(k.Link.StavPrenosu, 0);
  ExpectStoreUntouched();
}

TEST_F(LinkRefusalTest, AReceivedImageThatNoFileReaderTakesIsRefused) {
  sp.NavPc();
  Machine({77, 0, 0, 0, 0, 136, 0, 22, 1, 1});
  // A header and a step record whose speed code is beyond what the machine runs.
  Bytes p(3 + 136, 0);
  p[0] = 129;
  p[2] = 1;
  p[3 + 68] = 1;
  p[3 + 68 + 16] = 0xFF;
  p[3 + 68 + 17] = 0xFF;
  Machine(p);
  ui.ExpectError(" Schritt 1: Drehzahlcode 65535 größer als 1023 !");
  Machine({128, 0, 0});
  ExpectStoreUntouched();
}

TEST_F(LinkTest, TheConnectionTimeOutClosesThePort) {
  Program(1);
  sp.PcNav();
  ASSERT_NE(k.Link.TimerSpojenia, 0);
  ui.ExpectError(std::string(kChybaIdentifikacie));
  ui.FireTimer(k.Link.TimerSpojenia);
  ui.RunPosted();
  EXPECT_FALSE(port.open);
  EXPECT_EQ(sp.pKomunik.Caption, std::string(kStatusNastavenie));
  EXPECT_EQ(k.Link.StavPrenosu, 0);
}

TEST_F(LinkTest, TheMessageTimeOutEndsATransferThatLostItsPartner) {
  Program(1);
  sp.PcNav();
  Machine({77, 0, 0, 0, 0, 0, 0, 22, 1, 1});
  EXPECT_EQ(k.Link.TimerSpojenia, 0);
  const int t = k.Link.TimerSpravy;
  ASSERT_NE(t, 0);
  ui.ExpectError(std::string(kChybaTimeOut));
  ui.FireTimer(t);
  ui.RunPosted();
  EXPECT_FALSE(port.open);
  EXPECT_EQ(statuses.back(), std::string(kStatusNastavenie));
  EXPECT_EQ(k.Link.StavPrenosu, 0);
}

TEST_F(LinkTest, TheLinkWindowsConnectTimerShowsNoConnection) {
  sp.bNAV_PC.Click();
  ASSERT_NE(k.Link.TimerConnect, 0);
  EXPECT_EQ(k.Link.TimerSpojenia, 0);
  ui.FireTimer(k.Link.TimerConnect);
  EXPECT_EQ(sp.pKomunik.Caption, std::string(kStatusBezSpojenia));
  EXPECT_EQ(sp.pKonekt.Color, clYellow);
  EXPECT_FALSE(port.open);
}

TEST_F(LinkTest, ReceivingFromTheLinkWindowAsksAboutTheOpenFile) {
  k.Program.MenoSuboru = "/x/prog.kvr";
  ui.ExpectMessage(TMsgKind::Warning, std::string(kOtazkaPrepisat), TMsgAnswer::Cancel);
  sp.bNAV_PC.Click();
  EXPECT_TRUE(port.sent.empty());
  ui.ExpectMessage(TMsgKind::Warning, std::string(kOtazkaPrepisat), TMsgAnswer::No);
  sp.bNAV_PC.Click();
  EXPECT_TRUE(k.Program.MenoSuboru.empty());
  EXPECT_EQ(LastSent(), (Bytes{77, 0}));
  sp.ClosePort();
  sp.InicComPort();
  k.Program.MenoSuboru = "/x/prog.kvr";
  ui.ExpectMessage(TMsgKind::Warning, std::string(kOtazkaPrepisat), TMsgAnswer::Yes);
  sp.bNAV_PC.Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"new program"}));
  EXPECT_EQ(k.Link.StavPrenosu, kPrenosNavPc);
}

TEST_F(LinkTest, TheFileButtonOpensAProgram) {
  Program(4);
  const std::string prog = (dir.path() / "prog.kvr").string();
  UlozProgramT(k, prog, k.Program.PocetKrokov);
  const std::string text = (dir.path() / "text.kvr").string();
  std::ofstream(text) << "kein Programm";
  test::SetProgram(k, {});
  k.Program.StartAdresar = "/start";
  ui.ExpectOpen(prog, [](const TFileDialog& d) { EXPECT_EQ(d.InitialDir, "/start/Spulen"); });
  sp.bSubor.Click();
  EXPECT_EQ(k.Program.PocetKrokov, 4);
  EXPECT_EQ(k.Program.MenoSuboru, prog);
  EXPECT_EQ(sp.bSubor.Caption, "DATEI: " + prog);
  // A cancelled dialog loads the dialog's last file again.
  test::SetProgram(k, {});
  ui.ExpectOpen(std::nullopt);
  sp.bSubor.Click();
  EXPECT_EQ(k.Program.PocetKrokov, 4);
  // A file of no program format changes nothing.
  ui.ExpectOpen(text).ExpectError(std::string(kTextNieJeProgram));
  sp.bSubor.Click();
  EXPECT_EQ(k.Program.MenoSuboru, prog);
  EXPECT_EQ(k.Program.PocetKrokov, 4);
}

TEST_F(LinkTest, CaptionsOfTheLinkWindow) {
  k.Program.MenoSuboru = "/a/b.kvr";
  sp.FormShow();
  EXPECT_EQ(sp.Caption, " DATENÜBERTRAGUNG");
  EXPECT_EQ(sp.bSubor.Caption, "DATEI: /a/b.kvr");
  EXPECT_EQ(sp.gKomunik.Caption, " STEUERUNG DER KOMMUNIKATION ");
  k.Program.MenoSuboru = "/" + std::string(50, 'x');
  sp.FormShow();
  EXPECT_EQ(sp.bSubor.Caption, "DATEI: .." + std::string(41, 'x'));
}

}  // namespace
}  // namespace kvr
