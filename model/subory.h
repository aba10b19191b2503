// Winding program files: the six formats recognised by their end marker, the
// readers and writers, the warnings file of the machine's panel software, and
// the open and save commands.
#pragma once
#include <cstdint>
#include <string>

namespace kvr {

struct TKontext;

enum : uint32_t {
  kZnackaStary1 = 0x014E4350,
  kZnackaStary2 = 0x024E4351,
  kZnackaStary3 = 0x024E4352,
  kZnackaGC = 0x024E4355,
  kZnackaT = 0x034E4354,
  kZnackaTW = 0x014E5257,
};

// Refreshes the main window's three name captions.
void VypisProgCaption(TKontext& k);
std::string SkratCestu(const std::string& cesta);
std::string NazovSuboru(const std::string& cesta);

}  // namespace kvr
