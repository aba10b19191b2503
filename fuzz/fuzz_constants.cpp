// Constants files (nine KVR-T records), read under every model and gear, and
// written again from what was read.
#include <cstdint>
#include <span>

#include "fuzz/station.h"
#include "model/io.h"
#include "model/bobbin_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvr::fuzz::Station st;
  if (size < 1) return 0;
  st.Reset();
  st.SetModel(data[0]);
  try {
    kvr::NacitajKonstanty(*st.k, st.Write("in.kvr", std::span<const uint8_t>(data + 1, size - 1)));
    kvr::UlozKonstanty(*st.k, st.Path("out.kvr"));
  } catch (const kvr::TIoError&) {
  }
  return 0;
}
