// Everything the station keeps process-wide lives in one context object, owned
// by the main window and passed to whoever needs it. Tests create as many
// independent contexts as they like.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/kostricka.h"
#include "model/program.h"
#include "model/stroj.h"
#include "model/desktop.h"
#include "view/bodkroku.h"
#include "view/stav.h"

namespace kvr {

class IUi;
class IPlatform;
class TProg;

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

// Selection on the drawing.
struct TVyber {
  int32_t BlokOd = 0;
  int32_t BlokDo = 0;
  std::array<uint8_t, kMaxKrokov + 1> VybraneKroky{};
};

// Variables the dialogs hand over instead of arguments.
struct TDialogy {
  int32_t DruhEditacie = 0;
  int32_t ParamKrok = 0;
  Real48 Suradnica{};
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
  TProg* Prog = nullptr;  // the main window, once it exists

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
};

// Runs one user-interface event: an input/output error or any other failure
// that escapes it ends the operation and goes to the general error report; the
// station keeps running with the state reached.
void SpustiUdalost(TKontext& k, const std::function<void()>& fn);

}  // namespace kvr
