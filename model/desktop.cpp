#include "model/desktop.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "model/ini.h"
#include "model/io.h"
#include "model/codepage.h"
#include "model/bobbin_files.h"
#include "model/program_files.h"
#include "platform/platform.h"
#include "model/context.h"

namespace kvr {

namespace {

struct TMiesto {
  uint16_t Left, Top;
};
constexpr TMiesto kPredvoleneMiesta[kPocetSlotov] = {
    {150, 155}, {343, 57}, {0, 0}, {211, 98}, {200, 149}, {362, 105}, {421, 279},
    {362, 107}, {0, 0},    {358, 245}, {400, 350}, {400, 90}, {253, 219},
};

}  // namespace

TDesktop DefaultDesktop() {
  TDesktop d{};
  WriteShortString(d.Model, "KVR - 22", 20);
  d.Prevod = 1;
  d.Zoom = 100;
  for (int s = 0; s < kPocetSlotov; ++s) {
    d.Okna[s].Left = kPredvoleneMiesta[s].Left;
    d.Okna[s].Top = kPredvoleneMiesta[s].Top;
  }
  d.Kostricka.Abstand = 10.0L;
  for (int s = 0; s < 9; ++s) d.Sablony[s] = DefaultStep(TemplateOfSlot(s).Predvolba);
  return d;
}

TRect UmiestniOkno(const TDesktop& d, int slot, TScreenSize obrazovka, TRect okno) {
  if (slot < 0 || slot >= kPocetSlotov) return okno;
  const TMiestoOkna& m = d.Okna[slot];
  const int left = m.Left;  // unsigned 16-bit, so a negative place is far off the screen
  const int top = m.Top;
  okno.Left = left < obrazovka.Width - 50 ? left : 100;
  okno.Top = top < obrazovka.Height - 50 ? top : 100;
  return okno;
}

void UlozMiestoOkna(TDesktop& d, int slot, const TRect& okno) {
  if (slot < 0 || slot >= kPocetSlotov) return;
  TMiestoOkna& m = d.Okna[slot];
  m.Left = static_cast<uint16_t>(static_cast<int16_t>(okno.Left));
  m.Top = static_cast<uint16_t>(static_cast<int16_t>(okno.Top));
  m.Height = static_cast<uint16_t>(static_cast<int16_t>(okno.Height));
  m.Width = static_cast<uint16_t>(static_cast<int16_t>(okno.Width));
}

std::string InStartFolder(const TKontext& k, std::string_view meno) {
  std::string c = k.Program.StartAdresar;
  if (!c.empty() && c.back() != '/' && c.back() != '\\') c += '/';
  c += meno;
  return c;
}

void NacitajDesktop(TKontext& k, const std::string& cesta) {
  std::optional<std::vector<uint8_t>> d;
  try {
    d = ReadWholeFile(cesta);
  } catch (const TIoError&) {
    // A file that opened but could not be read: the station works on the
    // default record, never on a half-read or empty one, and the operator's
    // file stays as it is until the station writes its desktop at exit.
    k.Desktop = DefaultDesktop();
    throw;
  }
  if (d && d->size() >= sizeof(TDesktop)) {
    std::memcpy(k.Desktop.Bytes(), d->data(), sizeof(TDesktop));
    return;
  }
  // Missing, unreadable or cut short: the default record takes its place.
  k.Desktop = DefaultDesktop();
  WriteFileSafely(cesta, std::span<const uint8_t>(k.Desktop.Bytes(), sizeof(TDesktop)));
}

void UlozDesktop(TKontext& k) {
  TDesktop& d = k.Desktop;
  const IPlatform& pl = *k.Platform;
  WriteShortString(d.MenoSuboru, pl.WindowsPathOf(k.Program.MenoSuboru), 255);
  WriteShortString(d.Model, FirstChars(k.Stroj.Model, 20), 20);
  d.Prevod = static_cast<uint8_t>(k.Stroj.Prevod & 0xFF);
  WriteShortString(d.MenoKonstant, pl.WindowsPathOf(k.Program.MenoKonstant), 255);
  WriteShortString(d.MenoKostricky, pl.WindowsPathOf(k.Program.MenoKostricky), 255);
  d.Kostricka = k.Kostricka;
  for (int s = 0; s < 9; ++s) d.Sablony[s] = k.KonstKroky[static_cast<size_t>(TemplateOfSlot(s).Index)];
  WriteFileSafely(InStartFolder(k, kDesktopSubor), std::span<const uint8_t>(d.Bytes(), sizeof(TDesktop)));
  UlozKonstanty(k, InStartFolder(k, kSuborDefKonst));
}

void ZapisWindingProgram(TKontext& k, const std::string& cesta) {
  const std::string ini = k.Platform->MapSystemPath(kCestaWmCfg);
  if (!FileExists(ini)) return;
  std::string hodnota = k.Platform->WindowsPathOf(cesta);
  std::replace(hodnota.begin(), hodnota.end(), '\\', '/');
  TIniSubor f(ini);
  f.ZapisBajty("KVR", "WindingProgram", hodnota);
  f.Uloz();
}

}  // namespace kvr
