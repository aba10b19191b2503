#include "model/bobbin_files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

#include "model/io.h"
#include "model/program.h"
#include "model/program_files.h"
#include "model/step_records.h"
#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

namespace fs = std::filesystem;

const std::array<TSablona, 9> kSablony = {{
    {"WINDUNGEN 1", 0, 0, 0, 1, TPredvolba::Navijanie},
    {"WINDUNGEN 2", 1, 1, 1, 1, TPredvolba::Navijanie},
    {"BANDAGIEREN", 5, 2, 5, 1, TPredvolba::Bandaz},
    {"VERSCHIEBUNG", 6, 3, 2, 2, TPredvolba::Presun},
    {"SPRUNG", 7, 4, 3, 3, TPredvolba::Skok},
    {"PAUSE", 8, 5, 4, 4, TPredvolba::Pauza},
    {"LAGE WIND.AUT.", 2, 6, 8, 1, TPredvolba::Navijanie},
    {"LAGE VORSCH.AUT.", 3, 7, 7, 1, TPredvolba::Navijanie},
    {"LAGE STOP", 4, 8, 6, 1, TPredvolba::Navijanie},
}};

namespace {

const TSablona& FindTemplate(int TSablona::*cislovanie, int hodnota, const char* co) {
  for (const TSablona& t : kSablony)
    if (t.*cislovanie == hodnota) return t;
  throw std::out_of_range(co);
}

}  // namespace

const TSablona& TemplateOfSlot(int s) { return FindTemplate(&TSablona::DesktopSlot, s, "desktop template slot"); }
const TSablona& TemplateOfRecord(int j) {
  return FindTemplate(&TSablona::ZaznamSuboru, j, "constants file record");
}

TKrok DefaultStep(TPredvolba p) {
  TKrok k;
  std::memset(static_cast<void*>(&k), 0, sizeof k);
  k.TypCyklu = 1;
  k.Rozbeh = 1;
  k.Dobeh = 1;
  k.Kryt = 1;
  k.Nulovat = 1;
  switch (p) {
    case TPredvolba::Navijanie:
      k.Druh = 1;
      k.Hodnota = 100.0L;
      k.LRev = 10.0L;
      k.PRev = 50.0L;
      k.PosuvMM = 1.0L;
      k.Otacky = 50;
      break;
    case TPredvolba::Presun:
      k.Druh = 2;
      k.Hodnota = 10.0L;
      k.LRev = 10.0L;
      k.PRev = 50.0L;
      k.PosuvMM = 100.0L;
      break;
    case TPredvolba::Skok:
      k.Druh = 3;
      k.Hodnota = 3.0L;
      k.PosuvMM = 10.0L;
      break;
    case TPredvolba::Bandaz:
      k.Druh = 1;
      k.Hodnota = 3.0L;
      k.Otacky = 75;
      break;
    case TPredvolba::Pauza:
      k.Druh = 4;
      k.Hodnota = 1000.0L;
      k.SmerOtac = 1;
      break;
    case TPredvolba::Prevod:
      k.Druh = 5;
      k.Hodnota = 1.0L;
      k.SmerOtac = 1;
      break;
  }
  return k;
}

int FirstChamber(const TKostricka& kostricka) {
  return static_cast<long double>(kostricka.Komory[0].KomoraP) != 0.0L ? 1 : 0;
}

void NacitajKostricku(TKontext& k, const std::string& cesta, TKostricka& kostricka) {
  std::optional<std::vector<uint8_t>> d = ReadWholeFile(cesta);
  if (!d) throw TIoError(NotARegularFile(cesta).value_or(std::string(kTextNeotvori) + "\"" + cesta + "\""));
  const size_t n = d->size();
  if (n >= sizeof(TKostricka) && n < 2 * sizeof(TKostricka)) {
    std::memcpy(kostricka.Bytes(), d->data(), sizeof(TKostricka));
  } else if (n >= kKostrickaStara && n < sizeof(TKostricka)) {
    TKostricka t{};
    std::memcpy(t.Popis, d->data(), sizeof t.Popis);
    std::memcpy(static_cast<void*>(t.Komory), d->data() + 256, 10 * sizeof(TKomora));
    std::memcpy(static_cast<void*>(&t.Abstand), d->data() + 376, sizeof t.Abstand);
    kostricka = t;
  } else {
    k.Ui->Error(std::string(kTextNeznamySubor));
  }
}

void UlozKostricku(const std::string& cesta, const TKostricka& kostricka) {
  WriteFileSafely(cesta, std::span<const uint8_t>(kostricka.Bytes(), sizeof(TKostricka)));
}

void PredvoleneKonstanty(TKontext& k) {
  for (const TSablona& t : kSablony) k.KonstKroky[static_cast<size_t>(t.Index)] = DefaultStep(t.Predvolba);
}

void NacitajKonstanty(TKontext& k, const std::string& cesta) {
  std::error_code ec;
  const bool existuje = fs::exists(NativePath(cesta), ec) || ec;
  std::optional<std::vector<uint8_t>> d;
  if (existuje) {
    // A file that is there but cannot be read is an input/output error, not
    // a reason to replace the templates by the defaults.
    d = ReadWholeFile(cesta);
    if (!d) throw TIoError(NotARegularFile(cesta).value_or(std::string(kTextNeotvori) + "\"" + cesta + "\""));
  }
  if (!d || d->size() < kSuborKonstant || d->size() >= kSuborKonstant + kZaznamKonstant) {
    PredvoleneKonstanty(k);
    return;
  }
  std::vector<uint8_t>& buf = k.Subory.SuborBuf;
  std::copy_n(d->begin(), std::min(d->size(), buf.size()), buf.begin());
  for (int j = 0; j < 9; ++j) {
    const TSablona& t = TemplateOfRecord(j);
    // Templates are read under the gear in force at the program's step j.
    KrokZT(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, j), buf, j, k.KonstKroky[static_cast<size_t>(t.Index)]);
  }
}

void UlozKonstanty(TKontext& k, const std::string& cesta) {
  std::vector<uint8_t>& buf = k.Subory.SuborBuf;
  std::fill(buf.begin(), buf.end(), uint8_t{0});
  for (int j = 0; j < 9; ++j) {
    const TSablona& t = TemplateOfRecord(j);
    TKrok& krok = k.KonstKroky[static_cast<size_t>(t.Index)];
    krok.Druh = t.DruhZapisany;
    // Templates are written under the gear in force at the program's step j.
    KrokDoT(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, j), krok, buf, j);
  }
  WriteFileSafely(cesta, std::span<const uint8_t>(buf.data(), kSuborKonstant));
}

}  // namespace kvr
