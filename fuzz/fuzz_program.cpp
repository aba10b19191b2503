// Program files of every end marker through the open command (the two-phase
// PripravProgram / PouziProgram), then saved and reopened twice: a file the
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
#include "model/subory.h"

namespace {

using kvr::fuzz::Fail;

uint32_t Marker(std::span<const uint8_t> b) {
  if (b.size() < 4) return 0;
  const uint8_t* p = b.data() + b.size() - 4;
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// KVR-G/C speeds still drift by a code on each open and save: the reader
// takes byte 12 alone while the writer stores a 10-bit code in byte 12 and
// bits 1 and 2 of byte 11. Until the reader takes the whole code, these bits
// of the step records are left out of the comparison; every other byte is
// compared.
void MaskSpeedCodes(std::vector<uint8_t>& f) {
  constexpr size_t kRecord = 64, kTail = 1198 + 4;
  if (f.size() < kRecord + kTail) return;
  for (size_t r = kRecord; r + kRecord <= f.size() - kTail; r += kRecord) {
    f[r + 11] = static_cast<uint8_t>(f[r + 11] & ~0x06u);
    f[r + 12] = 0;
  }
}

// A file with warnings is still split at the first 54 43 4E 03 rather than
// at the end of its KVR-T part, so a step record, the trailer or the warnings
// text holding those bytes loses the warnings or grows the file on each cycle.
// Until the split follows the structure, such files are not compared.
bool MarkerOutsideItsPlace(const std::vector<uint8_t>& f, size_t kvrtEnd) {
  for (size_t i = 0; i + 4 <= f.size(); ++i)
    if (f[i] == 0x54 && f[i + 1] == 0x43 && f[i + 2] == 0x4E && f[i + 3] == 0x03 && i + 4 != kvrtEnd) return true;
  return false;
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
    if (!kvr::OtvorProgram(k, st.Write("in.prg", file))) return 0;
  } catch (const kvr::TIoError&) {
    return 0;  // reported through the general error report, as the station does
  }
  // The station saves old formats as KVR-T; a file with warnings keeps them.
  const int format = marker == kvr::kZnackaGC ? 0 : 1;
  const bool warnings = marker == kvr::kZnackaTW;
  std::vector<uint8_t> saved[3];
  size_t kvrtEnd[3] = {};
  for (int cycle = 0; cycle < 3; ++cycle) {
    const std::string out = st.Path("cycle.prg");  // one name: KVR-G/C headers hold it
    kvrtEnd[cycle] = 68 * (static_cast<size_t>(k.Program.PocetKrokov) + 1) + 1202;
    try {
      kvr::UlozDoSuboru(k, out, format, warnings);
    } catch (const kvr::TIoError& e) {
      Fail(std::string("saving what was read: ") + e.what());
    }
    saved[cycle] = st.Read(out);
    if (cycle == 2) break;
    st.ui.Vsetky.clear();
    bool opened = false;
    try {
      opened = kvr::OtvorProgram(k, out);
    } catch (const kvr::TIoError& e) {
      Fail(std::string("reopening a saved file: ") + e.what());
    }
    if (!opened) Fail("a saved file is refused: " + (st.ui.Vsetky.empty() ? std::string() : st.ui.Vsetky.back()));
  }
  if (format == 0) {
    MaskSpeedCodes(saved[1]);
    MaskSpeedCodes(saved[2]);
  }
  if (warnings && (MarkerOutsideItsPlace(saved[1], kvrtEnd[1]) || MarkerOutsideItsPlace(saved[2], kvrtEnd[2])))
    return 0;
  if (saved[1] != saved[2])
    Fail("the second open-and-save cycle changed the file, first at " + FirstDifference(saved[1], saved[2]));
  return 0;
}
