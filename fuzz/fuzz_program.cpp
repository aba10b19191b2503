// Program files of every end marker through the open command (the two-phase
// PrepareProgram / TakeProgram), then saved and reopened twice: a file the
// station wrote must open again, and the second open-and-save cycle must give
// the bytes of the first.
// Input: one configuration byte (model and gear in force before the open),
// then the file.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz/station.h"
#include "model/io.h"
#include "model/program_files.h"

namespace {

using kvr::fuzz::Fail;

uint32_t Marker(std::span<const uint8_t> b) {
  if (b.size() < 4) return 0;
  const uint8_t* p = b.data() + b.size() - 4;
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i])
      return "offset " + std::to_string(i) + ": " + std::to_string(a[i]) + " then " + std::to_string(b[i]);
  return "none";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvr::fuzz::Station st;
  if (size < 1) return 0;
  st.Reset();
  st.SetModel(data[0]);
  const std::span<const uint8_t> file(data + 1, size - 1);
  const uint32_t marker = Marker(file);
  kvr::TKontext& k = *st.k;
  try {
    if (!kvr::OpenProgramFile(k, st.Write("in.prg", file))) return 0;
  } catch (const kvr::TIoError&) {
    return 0;  // reported through the general error report, as the station does
  }
  // The station saves old formats as KVR-T; a file with warnings keeps them.
  const int format = marker == kvr::kZnackaGC ? 0 : 1;
  const bool warnings = marker == kvr::kZnackaTW;
  std::vector<uint8_t> saved[3];
  for (int cycle = 0; cycle < 3; ++cycle) {
    const std::string out = st.Path("cycle.prg");  // one name: KVR-G/C headers hold it
    try {
      kvr::WriteProgramFile(k, out, format, warnings);
    } catch (const kvr::TIoError& e) {
      Fail(std::string("saving what was read: ") + e.what());
    }
    saved[cycle] = st.Read(out);
    if (cycle == 2) break;
    st.ui.All.clear();
    bool opened = false;
    try {
      opened = kvr::OpenProgramFile(k, out);
    } catch (const kvr::TIoError& e) {
      Fail(std::string("reopening a saved file: ") + e.what());
    }
    if (!opened) Fail("a saved file is refused: " + (st.ui.All.empty() ? std::string() : st.ui.All.back()));
  }
  if (saved[1] != saved[2])
    Fail("the second open-and-save cycle changed the file, first at " + FirstDifference(saved[1], saved[2]));
  return 0;
}
