// The desktop record: the operator's working state carried from one run to
// the next, one 2668-byte record in the executable's folder.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "model/bobbin.h"
#include "model/step.h"
#include "model/little_endian.h"

namespace kvr {

inline constexpr const char* kDesktopSubor = "TORVENA_KVR_T.DSK";

// Window place slots of the desktop record.
enum TSlotOkna : int {
  kSlotProg = 0,
  kSlotParam = 1,
  kSlotModel = 2,
  kSlotKostricka = 3,
  kSlotSP = 4,
  kSlotPosun = 5,
  kSlotUpDown = 6,
  kSlotVstup = 7,
  kSlotPreview = 8,
  kSlotDgIO = 9,
  kSlotNic = 10,
  kSlotErrors = 11,
  kSlotInfo = 12,
  kPocetSlotov = 13,
};

// Stored as signed 16-bit values; read back as unsigned ones.
struct TMiestoOkna {
  LeU16 Left{};
  LeU16 Top{};
  LeU16 Height{};
  LeU16 Width{};
};
static_assert(sizeof(TMiestoOkna) == 8);

struct TDesktop {
  uint8_t Model[21]{};         // short string, at most 20 characters
  uint8_t Prevod = 0;          // gear 1..3
  uint8_t MenoSuboru[256]{};   // the program reopened at the next start
  LeI32 Zoom{};                // main window zoom, percent
  TMiestoOkna Okna[kPocetSlotov]{};
  uint8_t Nevyuzite[8]{};      // not interpreted; kept as read
  uint8_t MenoKostricky[256]{};
  uint8_t MenoKonstant[256]{};
  TKostricka Kostricka{};
  TKrok Sablony[9]{};          // the step templates by desktop slot

  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
  const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
};
static_assert(sizeof(TDesktop) == 2668);
static_assert(offsetof(TDesktop, Prevod) == 21);
static_assert(offsetof(TDesktop, MenoSuboru) == 22);
static_assert(offsetof(TDesktop, Zoom) == 278);
static_assert(offsetof(TDesktop, Okna) == 282);
static_assert(offsetof(TDesktop, Nevyuzite) == 386);
static_assert(offsetof(TDesktop, MenoKostricky) == 394);
static_assert(offsetof(TDesktop, MenoKonstant) == 650);
static_assert(offsetof(TDesktop, Kostricka) == 906);
static_assert(offsetof(TDesktop, Sablony) == 1408);

}  // namespace kvr

#include <string>
#include <string_view>

#include "form/form.h"
#include "form/ui_services.h"

namespace kvr {

struct TKontext;

// The window at slot `slot` of the record: its Left and Top stored there, each
// falling back to 100 when it lies at or beyond the screen size minus 50
// pixels; the size stays as designed. A slot outside the record changes
// nothing.
TRect UmiestniOkno(const TDesktop& d, int slot, TScreenSize obrazovka, TRect okno);
// Stores a window's Left, Top, Height and Width into its slot.
void UlozMiestoOkna(TDesktop& d, int slot, const TRect& okno);

inline constexpr std::string_view kCestaWmCfg = "C:\\DSQ\\WM_cfg.ini";

// The record a first start uses: model "KVR - 22", gear 1, zoom 100, the
// default window places, a bobbin at 10.0 mm and the default templates.
TDesktop DefaultDesktop();
// A file in the executable's folder.
std::string InStartFolder(const TKontext& k, std::string_view meno);
// Reads the desktop record into k.Desktop. A file that cannot be opened, or
// that is shorter than one record, is recreated with the default record.
// Writing it may throw TIoError, after k.Desktop holds the default record.
void NacitajDesktop(TKontext& k, const std::string& cesta);
// Copies the current state into the record and writes it, then the default
// constants file. Throws TIoError.
void UlozDesktop(TKontext& k);
// Tells the panel software which winding program the machine works with, when
// its configuration file exists: "\" become "/", written as UTF-8.
void ZapisWindingProgram(TKontext& k, const std::string& cesta);

}  // namespace kvr
