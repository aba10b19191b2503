// The link window TfSP: the serial port and everything that crosses it. The
// framing's receive side (PrijemSprav), the queue of received messages and
// the dispatcher (ObsluhaSpravy), the senders, the program transfer in both
// directions (PcNav, bPC_NAVClick, NavPc, bNAV_PCClick), storing a received
// program (NacitajPrijatySubor) and the window's own controls.
//
// The station creates it hidden and only reads its port number; nothing in
// the station opens the port. The command-line tool drives the same code.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "form/form.h"

namespace kvr {

struct TKontext;

// What the dispatcher asks of the station's other windows. The default does
// nothing: the command-line tool and most tests have no such windows.
class ILinkHost {
 public:
  virtual ~ILinkHost() = default;
  // Machine readings of code 32 ("Windungen: ...", "Lage: ...", " <<< " / " >>> ").
  virtual void ShowReadings(const std::string& zavity, const std::string& poloha, const std::string& smer) {
    (void)zavity, (void)poloha, (void)smer;
  }
  virtual void ShowLayer(const std::string& text) { (void)text; }  // " LAGE: n"
  virtual void ShowGear(const std::string& text) { (void)text; }   // "Getriebe: n"
  virtual void CloseWaitWindow() {}
  // The machine's state character changed (ZobrazStav).
  virtual void ZobrazStav(uint8_t stav) { (void)stav; }
  // The step button's caption ("SCHRITT: n").
  virtual void ShowStepButton(const std::string& text) { (void)text; }
  // The machine moved to another step while online: follow it.
  virtual void FollowStep(int krok, bool navija) { (void)krok, (void)navija; }
  // The machine asked for ENTER: show the ENTER window modally.
  virtual void ConfirmEnter() {}
  virtual void ShowWarning(const std::string& text) { (void)text; }
  virtual void CloseWarnings() {}
  // The main window's "new" command.
  virtual void NewProgram() {}
  // Online mode was switched on (the program store's flag is already set).
  virtual void SetOnLine() {}
  virtual void RepaintDrawing() {}
};

// A send through a port that is not open.
class TChybaPortu : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The system's texts.
inline constexpr std::string_view kCestaZavizero = "C:\\DSQ\\DSQ_disp\\ZAVizERO\\ZAVizERO.ini";
inline constexpr std::string_view kCestaPrijatehoSuboru = "c:\\kvr_T_prij.tmp";
inline constexpr std::string_view kStatusSpajanie = " Verbindungsanknüpfen ";
inline constexpr std::string_view kStatusOdosielanie = " Datensenden ";
inline constexpr std::string_view kStatusPrijem = " Dateneinnahme ";
inline constexpr std::string_view kStatusOk = " Übertragung OK ";
inline constexpr std::string_view kStatusNeuspech = "Übertragung erfolglos :  ";
inline constexpr std::string_view kStatusNastavenie = " Überprüfe EINSTELLUNG ";
inline constexpr std::string_view kStatusBezSpojenia = " Verbin.:  Keine Verbindung!";
inline constexpr std::string_view kChybaPaketuPcNav = "Fehler: falsche Nummer des Datenpackets  PC --> N";
inline constexpr std::string_view kChybaPaketuNavPc = "Fehler: falsche Nummer des Datenpackets  N --> PC";
inline constexpr std::string_view kChybaIdentifikacie = "Fehler: keine Rückmeldung über Maschinennummer";
inline constexpr std::string_view kChybaTimeOut = "Fehler: TimeOut der Verbindung";
inline constexpr std::string_view kChybaVelkyObraz = "Fehler: Programm zu groß (Puffer 32768 Bytes)";
inline constexpr std::string_view kChybaPortZavrety = "Schnittstelle ist nicht geöffnet: ";
inline constexpr std::string_view kOtazkaPrepisat = " Datei umschreiben? ";

// The port number from the INI file (0 when it is missing), taken modulo 256.
uint8_t COM_Number(const std::string& iniCesta);
// The device of port n: "COMn" on Windows, /dev/ttyS(n-1) elsewhere.
std::string PortDevice(uint8_t cislo);
// The text of a machine error number (code 177).
std::string ChybaStrojaText(int cislo);
// Bytes of the image PcNav sends for n steps: header, steps, trailer, marker.
size_t DlzkaObrazuPcNav(int n);
// Packets of an image of the given length (at most 128 data bytes each).
size_t PocetPaketov(size_t dlzka);

class TfSP : public TForm {
 public:
  explicit TfSP(TKontext& k, ILinkHost* host = nullptr);
  ~TfSP() override;

  TControl gKomunik{*this, "gKomunik", TControlKind::GroupBox, " STEUERUNG DER KOMMUNIKATION ", {8, 8, 496, 250}};
  TControl bPC_NAV{*this, "bPC_NAV", TControlKind::Button, "DATEI --> MASCHINE", {24, 32, 228, 49}};
  TControl bNAV_PC{*this, "bNAV_PC", TControlKind::Button, "MASCHINE --> DATEI", {260, 32, 228, 49}};
  TControl bSubor{*this, "bSubor", TControlKind::Button, "DATEI: ", {24, 90, 464, 33}};
  TControl bBlok{*this, "bBlok", TControlKind::Button, "BLOCK: 0", {24, 131, 140, 33}};
  TControl bPort{*this, "bPort", TControlKind::Button, "Port: COM 0", {172, 131, 140, 33}};
  TControl pKonekt{*this, "pKonekt", TControlKind::Panel, "", {320, 131, 33, 33}};
  TControl Label1{*this, "Label1", TControlKind::Label, "COM: ", {362, 139, 120, 17}};
  TControl pKomunik{*this, "pKomunik", TControlKind::Panel, "", {24, 172, 464, 41}};
  TControl Button1{*this, "Button1", TControlKind::Button, "Button1", {24, 221, 100, 28}};
  TControl Button2{*this, "Button2", TControlKind::Button, "Button2", {132, 221, 100, 28}};

  void FormCreate() override;
  void FormShow() override;

  // ---- The port and the framing ----
  void InicComPort();
  void InicPrenos();
  void ClosePort();
  void PosliSpravu(std::span<const uint8_t> sprava);
  void PosliSpravu(std::initializer_list<uint8_t> sprava) { PosliSpravu(std::span<const uint8_t>(sprava.begin(), sprava.size())); }
  void PosliSpravuText(uint8_t kod, std::string_view text);
  // Sends packet `cislo` of the image: the next at most `maximum` bytes.
  void PosliPaketDat(uint16_t cislo, size_t maximum);
  // The port reports `waiting` bytes: frames go to the queue, a dispatcher
  // run is posted.
  void PrijemSprav(size_t waiting);
  // Feeds received bytes as the port would hand them over.
  void PrijmiBajty(std::span<const uint8_t> bajty);
  void ObsluhaSpravy();
  void EnableButtons();
  void DisableButtons();

  // ---- Program transfer ----
  void PcNav();
  void bPC_NAVClick();
  void NavPc();
  void bNAV_PCClick();
  void bSuborClick();
  void NacitajPrijatySubor();
  void Label1Click();
  void Button1Click();
  void Button2Click();

  // The status panel's texts in the order they were shown, for displays
  // that follow a transfer (the command-line tool) and for tests.
  std::function<void(const std::string& status)> OnStatus;
  // A packet was sent or received: packets done of all.
  std::function<void(size_t hotovo, size_t spolu)> OnPaket;
  // An error text of the link, as it is posted for its error box.
  std::function<void(const std::string& text)> OnChyba;

 private:
  void Status(std::string_view text);
  void Chyba(std::string text);
  void SpracujSpravu(const std::vector<uint8_t>& m);
  void Prenos(const std::vector<uint8_t>& m);
  void SpracujPcNav(const std::vector<uint8_t>& m);
  void SpracujNavPc(const std::vector<uint8_t>& m);
  void Koniec(uint8_t vysledok);
  void UkonciPrenos();
  void MenoProgramu(const std::vector<uint8_t>& m);
  void ZobrazSubor(const std::string& meno);
  void PripravObraz(bool pcNavTlacidlo);
  void Zapis(const std::string& smer, std::span<const uint8_t> bajty);
  void LogUdalost(std::string text);
  void ZapisZaznamy();
  void StopTimer(int& id);
  void ArmujSpojenie();
  void PoSprave();
  void TimeOutSpojenia();
  void TimeOutSpravy();
  void TimerConnectTimer();

  TKontext& k_;
  ILinkHost defaultHost_;
  ILinkHost* host_;
  std::string dialogSubor_;  // the open dialog's last answer
  struct TZnacky {
    bool stav = false, krok = false, enter = false, warning = false, zavriWarning = false;
  };
  TZnacky znacky_;
};

}  // namespace kvr
