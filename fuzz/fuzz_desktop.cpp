// The desktop record, read as the main window's creation takes it: the
// record, its names and the model and gear it names.
#include <cstdint>
#include <span>

#include "fuzz/station.h"
#include "model/desktop.h"
#include "model/io.h"
#include "model/codepage.h"
#include "model/machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvr::fuzz::Station st;
  st.Reset();
  kvr::TKontext& k = *st.k;
  try {
    kvr::NacitajDesktop(k, st.Write("TORVENA_KVR_T.DSK", std::span<const uint8_t>(data, size)));
  } catch (const kvr::TIoError&) {
    return 0;
  }
  const kvr::TDesktop& d = k.Desktop;
  k.Program.MenoSuboru = kvr::ReadShortString(d.MenoSuboru, 255);
  k.Stroj.Model = kvr::ReadShortString(d.Model, 20);
  k.Stroj.Prevod = d.Prevod;
  k.Program.MenoKonstant = kvr::ReadShortString(d.MenoKonstant, 255);
  k.Program.MenoKostricky = kvr::ReadShortString(d.MenoKostricky, 255);
  k.Kostricka = d.Kostricka;
  kvr::NastavModel(k);
  return 0;
}
