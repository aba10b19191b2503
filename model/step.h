// One step of a winding program: the 140-byte record that the desktop file
// stores byte for byte, so every field sits at a fixed offset.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/little_endian.h"
#include "model/real48.h"

namespace kvr {

// Step kinds (Druh).
enum : uint8_t {
  kDruhLeer = 0,
  kDruhWicklung = 1,
  kDruhVerschiebung = 2,
  kDruhSprung = 3,
  kDruhPause = 4,
  kDruhGetriebe = 5,
  kDruhBandagieren = 6,
};

// Cycle types (TypCyklu), in the order of the step dialog's radio group.
enum : uint8_t { kCyklusEnde = 0, kCyklusStop = 1, kCyklusAutLangsam = 2, kCyklusAutSchnell = 3 };

// OUT_2..OUT_6: levels byte, 3 reserved, delay, 2 reserved.
struct TVystup {
  uint8_t Stav{};  // bit 7 level at step start, bit 6 level at step end
  uint8_t rez1[3]{};
  LeU16 Oneskorenie{};  // delay, ms
  uint8_t rez2[2]{};
};
static_assert(sizeof(TVystup) == 8);

// Every member is zero-initialised, so a fresh TKrok is the cleared record.
struct TKrok {
  uint8_t Druh{};
  uint8_t TypCyklu{};
  Real48 Hodnota{};
  Real48 LRev{};
  Real48 PRev{};
  uint8_t RychPresun{};
  uint8_t rez21{};
  LeI32 PosuvImp{};
  Real48 PosuvMM{};
  LeI32 Otacky{};
  uint8_t SmerOtac{};
  uint8_t Rozbeh{};
  uint8_t Dobeh{};
  uint8_t SmerPosuvu{};
  uint8_t Kryt{};
  uint8_t Vrstvy{};
  uint8_t VrstvaStop{};
  uint8_t VrstvaKoniec{};
  uint8_t AutKorekcia{};
  uint8_t AutManual{};
  uint8_t Nulovat{};
  uint8_t Vstup[6]{};  // IN_1..IN_6, index 0 = IN_1
  // OUT_1 is packed tighter than the others (2 reserved bytes after its levels).
  uint8_t Vystup1Stav{};
  uint8_t rez54[2]{};
  LeU16 Vystup1Oneskorenie{};
  uint8_t rez58[2]{};
  TVystup VystupDalsie[5]{};
  LeI32 GCHodnotaA{};
  LeI32 GCHodnotaB{};
  uint8_t GCPriznak{};
  uint8_t rez109{};
  Real48 AutKorL{};
  Real48 AutKorP{};
  Real48 TrapezL{};
  uint8_t TrapezLZnamienko{};
  uint8_t rez129{};
  Real48 TrapezP{};
  uint8_t TrapezPZnamienko{};
  uint8_t RezervaT{};
  uint8_t PrevodOtacok{};
  uint8_t rez139{};

  // Output n (1..6): levels byte and delay.
  uint8_t& VystupStav(int n) { return n == 1 ? Vystup1Stav : VystupDalsie[n - 2].Stav; }
  uint8_t VystupStav(int n) const { return n == 1 ? Vystup1Stav : VystupDalsie[n - 2].Stav; }
  LeU16& VystupOneskorenie(int n) { return n == 1 ? Vystup1Oneskorenie : VystupDalsie[n - 2].Oneskorenie; }
  uint16_t VystupOneskorenie(int n) const { return n == 1 ? Vystup1Oneskorenie : VystupDalsie[n - 2].Oneskorenie; }

  const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
  // Byte-wise comparison: two steps are the same record.
  friend bool operator==(const TKrok& a, const TKrok& b) { return std::memcmp(&a, &b, sizeof(TKrok)) == 0; }
};


static_assert(sizeof(TKrok) == 140);
static_assert(alignof(TKrok) == 1);
static_assert(offsetof(TKrok, Druh) == 0);
static_assert(offsetof(TKrok, TypCyklu) == 1);
static_assert(offsetof(TKrok, Hodnota) == 2);
static_assert(offsetof(TKrok, LRev) == 8);
static_assert(offsetof(TKrok, PRev) == 14);
static_assert(offsetof(TKrok, RychPresun) == 20);
static_assert(offsetof(TKrok, PosuvImp) == 22);
static_assert(offsetof(TKrok, PosuvMM) == 26);
static_assert(offsetof(TKrok, Otacky) == 32);
static_assert(offsetof(TKrok, SmerOtac) == 36);
static_assert(offsetof(TKrok, Rozbeh) == 37);
static_assert(offsetof(TKrok, Dobeh) == 38);
static_assert(offsetof(TKrok, SmerPosuvu) == 39);
static_assert(offsetof(TKrok, Kryt) == 40);
static_assert(offsetof(TKrok, Vrstvy) == 41);
static_assert(offsetof(TKrok, VrstvaStop) == 42);
static_assert(offsetof(TKrok, VrstvaKoniec) == 43);
static_assert(offsetof(TKrok, AutKorekcia) == 44);
static_assert(offsetof(TKrok, AutManual) == 45);
static_assert(offsetof(TKrok, Nulovat) == 46);
static_assert(offsetof(TKrok, Vstup) == 47);
static_assert(offsetof(TKrok, Vystup1Stav) == 53);
static_assert(offsetof(TKrok, Vystup1Oneskorenie) == 56);
static_assert(offsetof(TKrok, VystupDalsie) == 60);
static_assert(offsetof(TKrok, VystupDalsie) + 1 * sizeof(TVystup) == 68);
static_assert(offsetof(TKrok, VystupDalsie) + 4 * sizeof(TVystup) + offsetof(TVystup, Oneskorenie) == 96);
static_assert(offsetof(TKrok, GCHodnotaA) == 100);
static_assert(offsetof(TKrok, GCHodnotaB) == 104);
static_assert(offsetof(TKrok, GCPriznak) == 108);
static_assert(offsetof(TKrok, AutKorL) == 110);
static_assert(offsetof(TKrok, AutKorP) == 116);
static_assert(offsetof(TKrok, TrapezL) == 122);
static_assert(offsetof(TKrok, TrapezLZnamienko) == 128);
static_assert(offsetof(TKrok, TrapezP) == 130);
static_assert(offsetof(TKrok, TrapezPZnamienko) == 136);
static_assert(offsetof(TKrok, RezervaT) == 137);
static_assert(offsetof(TKrok, PrevodOtacok) == 138);

}  // namespace kvr
