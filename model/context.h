// Everything the station keeps process-wide lives in one context object, owned
// by the main window and passed to whoever needs it. Tests, the command-line
// tool and the benchmark create as many independent contexts as they like.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/bobbin.h"
#include "model/desktop.h"
#include "model/layer_point.h"
#include "model/machine.h"
#include "model/main_window.h"
#include "model/program.h"
#include "model/walk_state.h"

namespace kvr {

class IUi;
class IPlatform;

constexpr size_t kSuborBufSize = 32768;
constexpr size_t kPataSize = 1198;
constexpr size_t kStaraPataSize = 706;

// File image buffers and the header values that files carry.
struct TSuborStav {
  std::vector<uint8_t> SuborBuf = std::vector<uint8_t>(kSuborBufSize);
  std::array<uint8_t, kPataSize> PataSuboru{};      // trailer of KVR-G/C and KVR-T files
  std::array<uint8_t, kStaraPataSize> StaraPata{};  // trailer of old format 3
  Real48 CelkovaKorekcia{};
  int32_t HlavParam1 = 0;
  int32_t HlavParam2 = 1;
  int32_t HlavParam3 = 1;
  uint8_t Ulozene = 0;  // the last save command wrote its file
};

// The coil view's window edges and the operator's fixed edges (0 = automatic).
struct TPohlad {
  Real48 OknoLava{};
  Real48 OknoPrava{};
  Real48 PevnaLava{};
  Real48 PevnaPrava{};
};

// Selection on the drawing: the block BlokOd..BlokDo and the Ctrl marks.
struct TVyber {
  static constexpr uint8_t kOznaceny = 'U';  // a marked step

  int32_t BlokOd = 0;
  int32_t BlokDo = 0;
  std::array<uint8_t, kMaxKrokov + 1> VybraneKroky{};

  void ZrusBlok() {
    BlokOd = 0;
    BlokDo = 0;
  }
  void ZrusVybraneKroky() { VybraneKroky.fill(0); }
  // True when any step is marked.
  bool TestVybraneKroky() const;
  // Marks the steps of the block (within 1..350).
  void OznacBlok();
  bool Oznaceny(int i) const { return i >= 0 && i <= kMaxKrokov && VybraneKroky[static_cast<size_t>(i)] == kOznaceny; }
};

// Variables the dialogs hand over instead of arguments.
struct TDialogy {
  int32_t DruhEditacie = 0;
  int32_t ParamKrok = 0;
  Real48 Suradnica{};
  Real48 SpreadZavity{};
  Real48 SpreadDraha{};   // distance wound in the last, partial layer of the step to spread
  Real48 SpreadPoloha{};  // where the step to spread ends now
  int32_t DruhParametra = 0;
  std::string VstupText;  // at most 20 characters
  Real48 VstupHodnota{};
  uint8_t UpDownDruh = 0;
  Real48 UpDownHodnota{};
  std::string VstupTWText;
};

struct TKontext {
  TKontext(IUi& ui, IPlatform& platform) : Ui(&ui), Platform(&platform) {}
  TKontext(const TKontext&) = delete;
  TKontext& operator=(const TKontext&) = delete;

  IUi* Ui;
  IPlatform* Platform;

  // What the logic asks of the main window; a window that does nothing until
  // the station's main window attaches itself (never for the command-line
  // tool, the benchmark and most tests).
  IMainWindow& MainWindow() const { return *mainWindow_; }
  void AttachMainWindow(IMainWindow* window) { mainWindow_ = window != nullptr ? window : &noMainWindow_; }

  TProgram Program;
  TStroj Stroj;
  TSuborStav Subory;
  TKostricka Kostricka{};
  TKostricka KostrickaNavrh{};
  int32_t AktKomora = 0;
  std::array<TKrok, 9> KonstKroky{};
  std::vector<TBodKroku> BodyKrokov = std::vector<TBodKroku>(kMaxKrokov + 1);  // 1..350
  TVyber Vyber;
  TPohlad Pohlad;
  TDialogy Dialogy;
  Real48 PosunHodnota{};  // accumulated shift of the reversal points
  TDesktop Desktop;       // the desktop record, the one place of zoom and window places
  TStavVrstvenia Vrstvenie;
  TStavKresby Kresba;

 private:
  NoMainWindow noMainWindow_;
  IMainWindow* mainWindow_ = &noMainWindow_;
};

}  // namespace kvr
