// The warnings INI text ("WARNINGS", "STEP_1" .. "STEP_350").
#include <cstdint>
#include <span>

#include "fuzz/station.h"
#include "model/program_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvr::fuzz::Station st;
  st.Reset();
  kvr::NacitajWarningy(*st.k, st.Write("Program.ini", std::span<const uint8_t>(data, size)));
  for (const std::string& w : st.k->Program.Warningy)
    if (w.size() > 4 * 50) kvr::fuzz::Fail("a warning longer than 50 characters");
  return 0;
}
