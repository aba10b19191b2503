// Bobbin files and constants files (the nine step templates), and the default
// step records the templates start from.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/bobbin.h"
#include "model/step.h"

namespace kvr {

struct TKontext;

inline constexpr std::string_view kTextNeznamySubor = "Unbekannter Dateiart !";
inline constexpr std::string_view kAdresarKostriciek = "D:\\CONST_BOBBIN\\Korper\\";
inline constexpr std::string_view kAdresarKonstant = "D:\\CONST_BOBBIN\\Konst\\";
inline constexpr std::string_view kSuborDefKonst = "DefKonst.kvr";

constexpr size_t kKostrickaStara = 382;  // the older record: 10 chambers
constexpr size_t kZaznamKonstant = 68;
constexpr size_t kSuborKonstant = 9 * kZaznamKonstant;

enum class TPredvolba { Navijanie, Presun, Skok, Bandaz, Pauza, Prevod };
// A default step record: winding, shift, jump, taping, pause, gear.
TKrok DefaultStep(TPredvolba p);

// One step template and its three numberings.
struct TSablona {
  std::string_view Nazov;  // the KONSTANTEN menu entry that uses it
  int Index;               // in KonstKroky
  int DesktopSlot;         // in the desktop record
  int ZaznamSuboru;        // record of a constants file
  uint8_t DruhZapisany;    // kind forced when a constants file is written
  TPredvolba Predvolba;
};
extern const std::array<TSablona, 9> kSablony;
// The template stored in desktop slot s / file record j.
const TSablona& TemplateOfSlot(int s);
const TSablona& TemplateOfRecord(int j);

// A bobbin file of 502 to 1003 bytes holds one record, one of 382 to 501
// bytes one older record (converted: chambers 11 to 20 empty). Any other size
// shows "Unbekannter Dateiart !" and leaves kostricka as it was. A file that
// cannot be opened throws TIoError.
void NacitajKostricku(TKontext& k, const std::string& cesta, TKostricka& kostricka);
void UlozKostricku(const std::string& cesta, const TKostricka& kostricka);

// Reads the templates from a constants file of exactly nine records (612 to
// 679 bytes); any other file, or none, gives the defaults.
void NacitajKonstanty(TKontext& k, const std::string& cesta);
// Forces the templates' kinds and writes the 612-byte file.
void UlozKonstanty(TKontext& k, const std::string& cesta);
void PredvoleneKonstanty(TKontext& k);

// Current chamber after a bobbin was loaded: 1 when chamber 1 has a right
// reversal point, else 0.
int FirstChamber(const TKostricka& kostricka);

}  // namespace kvr
