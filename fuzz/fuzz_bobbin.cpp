// Bobbin files (502 bytes, older 382 bytes, anything else refused).
#include <cstdint>
#include <span>

#include "fuzz/station.h"
#include "model/io.h"
#include "model/bobbin_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvr::fuzz::Station st;
  st.Reset();
  kvr::TKostricka kostricka{};
  try {
    kvr::NacitajKostricku(*st.k, st.Write("in.kor", std::span<const uint8_t>(data, size)), kostricka);
  } catch (const kvr::TIoError&) {
  }
  return 0;
}
