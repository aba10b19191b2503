// The program store: the steps of the current winding program and what goes
// with them, and the operations that count and classify steps.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/step.h"

namespace kvr {

struct TKontext;
struct TStroj;

constexpr int kMaxKrokov = 350;

// Steps 1..350. Access outside that range throws std::out_of_range: nothing is
// ever read or written beyond step 350.
class TKrokyPole {
 public:
  TKrokyPole() : k_(std::make_unique<std::array<TKrok, kMaxKrokov>>()) {}
  TKrokyPole(const TKrokyPole& o) : k_(std::make_unique<std::array<TKrok, kMaxKrokov>>(*o.k_)) {}
  TKrokyPole& operator=(const TKrokyPole& o) {
    *k_ = *o.k_;
    return *this;
  }
  TKrok& operator[](int i);
  const TKrok& operator[](int i) const;
  void Vymaz() { k_->fill(TKrok{}); }
  friend bool operator==(const TKrokyPole& a, const TKrokyPole& b) { return *a.k_ == *b.k_; }

 private:
  std::unique_ptr<std::array<TKrok, kMaxKrokov>> k_;
};

constexpr size_t kMaxWarning = 50;

struct TProgram {
  TKrokyPole Kroky;
  int32_t PocetKrokov = 0;
  int32_t KrokEnde = 0;
  int32_t AktKrok = 0;
  TKrok PracKrok{};
  TKrokyPole KrokyZaloha;
  int32_t PocetZaloha = 0;
  uint8_t Zmeneny = 0;
  std::array<std::string, kMaxKrokov + 1> Warningy{};  // 1..350, UTF-8, at most 50 characters
  std::string MenoSuboru;
  std::string PoslednyOtvor;
  std::string PoslednySubor;
  std::string AktAdresar;
  std::string StartAdresar;
  std::string MenoKostricky;
  std::string MenoKonstant;
  uint8_t Online = 0;
};

void PrepocitajKroky(TProgram& p);
uint8_t DruhKroku(const TKrok& k);
std::string NazovDruhu(int druh);
// The gear in force at step i: the selected gear on models without gear
// changes, else the gear of the last gear step up to i (1 before any).
uint8_t PrevodKroku(const TStroj& s, const TKrokyPole& kroky, int i);
// The gear in force at step krok when `predtym` was in force before it: its
// own gear for a gear step (on models with gear changes), else `predtym`.
uint8_t GearInForce(const TStroj& s, const TKrok& krok, uint8_t predtym);
long double PosledneZavity(const TProgram& p, int n);
void DopocitajZavity(const TKontext& kx, TKrok& k, int a);
long double Zaokruhli01(long double x);
std::string RealNaText(long double x);

void NovyProgram(TKontext& k);
void ProgInic(TKontext& k);

}  // namespace kvr
