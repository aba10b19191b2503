// Machine models and gears: the fixed model table, the limits that the
// selection sets, and the rounding of speeds and feeds to what the machine
// can run.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/real48.h"

namespace kvr {

struct TKontext;

constexpr int kPocetModelov = 15;

// One row of the model table; every cell is a text, as the table keeps them.
struct TModelRiadok {
  std::string_view Nazov;
  std::array<std::string_view, 3> Otacky;  // max speed of gears 1..3, "0" = no such gear
  std::string_view Sirka;                  // max traverse width, 1/100 mm
  std::string_view MeniPrevod;             // gear steps allowed
  std::array<std::string_view, 3> Delitel; // feed divisor W of gears 1..3
  std::array<std::string_view, 3> Konstanta;  // feed constant K of gears 1..3 (old formats)
};
extern const std::array<TModelRiadok, kPocetModelov> kModely;

int32_t NumberOfCell(std::string_view s);  // a table cell as an integer

// Old-format code tables. Feed entries 1..104 (index 0 unused); speeds for codes 0..30.
struct TPolozkaPosuvu {
  uint8_t d;   // multiplier of the correction
  uint16_t c;  // divisor
};
using TTabulkaPosuvu = std::array<TPolozkaPosuvu, 105>;
using TTabulkaOtacok = std::array<uint16_t, 31>;

enum class TTabulkaPosuvuId { Kvr22G1, Kvr22G2, Kvr22G3, Kvr32G1, Kvr32G2, Kvr32G3, Kvr100G2, Kvr100G13 };
const TTabulkaPosuvu& TabulkaPosuvu(TTabulkaPosuvuId id);

enum class TTabulkaOtacokId {
  Kvr22G1, Kvr22G2, Kvr22G3, Kvr32G1, Kvr32G2, Kvr32G3, Kvr32SG1, Kvr32SG2, Kvr32SG3, Kvr100G13, Kvr100G2
};
const TTabulkaOtacok& TabulkaOtacok(TTabulkaOtacokId id);

// Machine limits of the selected model and gear.
struct TStroj {
  std::string Model;
  int32_t Prevod = 0;
  int32_t ModelIndex = 0;
  uint16_t MaxOtacky = 0;
  std::array<int32_t, 3> OtackyPrevodu{};
  Real48 MaxBreite{};
  uint8_t DelitelPosuvu = 128;
  Real48 KonstantaPosuvu{};
  uint8_t MeniPrevod = 0;
  const TTabulkaPosuvu* TabulkaPosuvu = nullptr;  // null until a model with old-format tables is set
  const TTabulkaOtacok* TabulkaOtacok = nullptr;
  std::string ModelText;
};

int IndexModelu(std::string_view nazov);
bool ModelZnamy(std::string_view nazov);
int IndexPrevodu(std::string_view nazovPrevodu);
bool PrevodPlatny(int32_t n);
// "PREVODD", "PREVODP", "PREVODH" for gears 1, 2, 3 (gear 1's name for anything else).
std::string_view GearName(int32_t prevod);

// Applies Model and Prevod to the machine limits, correcting an unknown model
// or gear; the result is the operator's messages, in order.
std::vector<std::string> ApplyModel(TStroj& s);
// ApplyModel on the context's machine: the messages go to the operator, and
// the main window shows the model and gear in force.
void NastavModel(TKontext& k);

// The max-speed text of the current gear of the current model ("3000").
std::string MaxSpeedText(const TStroj& s);

// The maximum speed under gear g, the gear in force at a step (PrevodKroku);
// models without gear changes always run the selected gear.
int32_t MaxOtackyKroku(const TStroj& s, uint8_t g);
// A speed rounded to what the machine runs under the gear in force.
int32_t ZaokruhliOtacky(const TStroj& s, uint8_t prevod, int32_t n);
// Feeds rounded to, and stepped along, what the selected gear's divisor allows.
long double ZaokruhliPosuv(const TStroj& s, long double f);
long double PosuvVyssi(const TStroj& s, long double f);
long double PosuvNizsi(const TStroj& s, long double f);
// The feed the machine runs for P machine units with divisor W, kept to three
// decimals; the shared core of the feed rounding and of the record readers.
long double FeedFromUnits(int64_t p, uint8_t w);

}  // namespace kvr
