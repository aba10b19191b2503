// Reading program files into the program store, and the warnings file.
#include "model/program_files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "model/io.h"
#include "model/ini.h"
#include "model/codepage.h"
#include "model/little_endian.h"
#include "model/numeric.h"
#include "model/machine.h"
#include "model/step_records.h"
#include "platform/platform.h"
#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

namespace fs = std::filesystem;

static_assert(kPataNova == kPataSize);
static_assert(kPataStary3 == kStaraPataSize);
static_assert(kPataOffKomory + sizeof(TKostricka::Komory) == kPataOffAbstand);
static_assert(kPataOffAbstand + sizeof(Real48) == kPataKoniecKostricky);

namespace {

// Larger files are refused before they are read: no image of any format is
// near this, and a warnings text of 350 keys is a few kilobytes.
constexpr uintmax_t kMaxVelkostSuboru = 16u * 1024u * 1024u;

bool JeStary(uint32_t z) { return z == kZnackaStary1 || z == kZnackaStary2 || z == kZnackaStary3; }

size_t DlzkaZaznamu(uint32_t z) {
  if (JeStary(z)) return kZaznamStary;
  return z == kZnackaGC ? kZaznamGC : kZaznamT;
}

// Whether a record holds a step that the store counts (kind 1 to 6), decided
// from its bytes as the decoder would decide the kind.
bool ZaznamNeprazdny(uint32_t z, const uint8_t* r) {
  if (JeStary(z)) return (r[1] | r[2] | r[3] | r[9] | (r[6] & 0x7F) | r[7]) != 0;
  const int druh = r[0] & 7;
  return druh >= 1 && druh <= 6;
}

std::string VUvodzovkach(std::string_view text, const std::string& cesta) {
  return std::string(text) + "\"" + cesta + "\"";
}


void CitajKostricku(TKostricka& kos, const uint8_t* pata) {
  std::memcpy(kos.Bytes() + offsetof(TKostricka, Komory), pata + kPataOffKomory, sizeof kos.Komory);
  kos.Abstand = Real48::FromBytes(pata + kPataOffAbstand);
}

}  // namespace

bool IsKnownMarker(uint32_t z) { return !FormatName(z).empty(); }

std::string_view FormatName(uint32_t z) {
  switch (z) {
    case kZnackaStary1: return "OLD1";
    case kZnackaStary2: return "OLD2";
    case kZnackaStary3: return "OLD3";
    case kZnackaGC: return "KVR-G/C";
    case kZnackaT: return "KVR-T";
    case kZnackaTW: return "KVR-T+W";
    default: return {};
  }
}

std::string WarningsIniPath(const TKontext& k) { return k.Platform->MapSystemPath(kCestaWarningov); }

TMarkerRead ReadMarker(const std::string& cesta) {
  TMarkerRead r;
  if (std::optional<std::string> chyba = NotARegularFile(cesta)) {
    r.refusal = std::move(chyba);
    return r;
  }
  std::ifstream in(NativePath(cesta), std::ios::binary);
  if (!in.is_open()) {
    r.refusal = VUvodzovkach(kTextNeotvori, cesta);
    return r;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff velkost = in.tellg();
  if (velkost < 0) throw TIoError(VUvodzovkach(" Fehler beim Lesen: ", cesta));
  if (velkost < static_cast<std::streamoff>(kDlzkaZnacky)) return r;
  in.seekg(velkost - static_cast<std::streamoff>(kDlzkaZnacky));
  uint8_t z[kDlzkaZnacky]{};
  in.read(reinterpret_cast<char*>(z), kDlzkaZnacky);
  if (!in) throw TIoError(VUvodzovkach(" Fehler beim Lesen: ", cesta));
  r.marker = GetU32(z);
  return r;
}

uint32_t ZistiTypSuboru(TKontext& k, const std::string& cesta) {
  const TMarkerRead r = ReadMarker(cesta);
  if (r.refusal) {
    k.Ui->Error(*r.refusal);
    return 0;
  }
  std::fill(k.Subory.SuborBuf.begin(), k.Subory.SuborBuf.end(), uint8_t{0});
  return r.marker;
}

std::optional<TNacitanyProgram> PrepareProgram(TKontext& k, const std::string& cesta, uint32_t znacka) {
  auto odmietni = [&](std::string text) -> std::optional<TNacitanyProgram> {
    k.Ui->Error(text);
    return std::nullopt;
  };
  if (!IsKnownMarker(znacka)) return odmietni(std::string(kTextNieJeProgram));
  std::error_code ec;
  const uintmax_t velkost = fs::file_size(NativePath(cesta), ec);
  if (ec) return odmietni(VUvodzovkach(kTextNeotvori, cesta));
  if (velkost > kMaxVelkostSuboru) return odmietni(VUvodzovkach(kTextPrilisVelky, cesta));
  std::optional<std::vector<uint8_t>> data = ReadWholeFile(cesta);
  if (!data) return odmietni(VUvodzovkach(kTextNeotvori, cesta));
  const std::vector<uint8_t>& d = *data;
  const size_t velk = d.size();
  // The file may have changed since its marker was read.
  if (velk < kDlzkaZnacky || GetU32(&d[velk - kDlzkaZnacky]) != znacka) return odmietni(std::string(kTextNieJeProgram));

  TNacitanyProgram p;
  p.Cesta = cesta;
  p.Znacka = znacka;
  p.Model = k.Stroj.Model;
  p.Prevod = k.Stroj.Prevod;
  p.MenoKostricky = k.Program.MenoKostricky;

  // The image: what lies before the trailer (and for old format 1 the whole
  // file, marker included, as that reader always took it). An image that is
  // not a whole number of records behind the header is a damaged file: a
  // file cut short must never be saved over a good one.
  size_t b = 0;
  size_t zaznamy = 0;  // bytes that must be whole records
  switch (znacka) {
    case kZnackaStary1:
      b = velk;
      zaznamy = velk - kDlzkaZnacky;
      break;
    case kZnackaStary2:
      if (velk < kPataStary2 + kDlzkaZnacky) return odmietni(VUvodzovkach(kTextPoskodeny, cesta));
      b = zaznamy = velk - kPataStary2 - kDlzkaZnacky;
      break;
    case kZnackaStary3:
      if (velk < kPataStary3 + kDlzkaZnacky) return odmietni(VUvodzovkach(kTextPoskodeny, cesta));
      b = zaznamy = velk - kPataStary3 - kDlzkaZnacky;
      p.StaraPata.assign(d.begin() + static_cast<std::ptrdiff_t>(b),
                         d.begin() + static_cast<std::ptrdiff_t>(b + kPataStary3));
      break;
    case kZnackaGC:
    case kZnackaT:
      if (velk < kPataNovaSoZnackou + DlzkaZaznamu(znacka)) return odmietni(VUvodzovkach(kTextPoskodeny, cesta));
      b = zaznamy = velk - kPataNovaSoZnackou;
      break;
    case kZnackaTW: {
      TRozdelenie r = SplitWarnings(d);
      if (r.p == 0) {
        static constexpr uint8_t kVnutorna[4] = {0x54, 0x43, 0x4E, 0x03};
        const bool vnutorna = std::search(d.begin(), d.end(), std::begin(kVnutorna), std::end(kVnutorna)) != d.end();
        return odmietni(VUvodzovkach(vnutorna ? kTextPoskodeny : kTextBezKvrT, cesta));
      }
      b = zaznamy = r.p - kPataNovaSoZnackou;
      p.Warningy = std::move(r.warningy);
      break;
    }
    default:
      break;
  }
  if (zaznamy % DlzkaZaznamu(znacka) != 0) return odmietni(VUvodzovkach(kTextPoskodeny, cesta));
  if (b > kSuborBufSize) return odmietni(VUvodzovkach(kTextPrilisVelky, cesta));
  p.SuborBuf.assign(kSuborBufSize, 0);
  std::copy_n(d.begin(), b, p.SuborBuf.begin());

  if (znacka == kZnackaStary3) {
    const uint8_t* t = p.StaraPata.data();
    p.Model = ReadShortString(t + kPataOffModel, 20);
    p.Prevod = IndexPrevodu(ReadShortString(t + kPataOffPrevod, 20));
    p.MenoKostricky = k.Platform->MapSystemPath(ReadShortString(t + kPataOffKostricka, 80));
    if (!p.MenoKostricky.empty()) CitajKostricku(p.Kostricka, t);
  } else if (!JeStary(znacka)) {
    p.Pata.assign(d.begin() + static_cast<std::ptrdiff_t>(b),
                  d.begin() + static_cast<std::ptrdiff_t>(b + kPataNova));
    const uint8_t* t = p.Pata.data();
    p.Model = ReadShortString(t + kPataOffModel, 20);
    p.Prevod = IndexPrevodu(ReadShortString(t + kPataOffPrevod, 20));
    // The program's bobbin is the one its trailer carries, whether or not
    // the bobbin file is on this machine: its chambers are in the trailer,
    // and saving the program again passes them on.
    p.MenoKostricky = k.Platform->MapSystemPath(ReadShortString(t + kPataOffKostricka, 80));
    if (!p.MenoKostricky.empty()) CitajKostricku(p.Kostricka, t);
    const uint8_t* h = p.SuborBuf.data();
    p.CelkovaKorekcia = CitajBcdSuradnicu(h + 5);
    p.HlavParam1 = h[8];
    p.HlavParam2 = (h[9] >> 4) + 1;
    p.HlavParam3 = h[10] & 1;
  }

  // Steps: records 1..count, the header formats counting their header record.
  const bool hlavicka = !JeStary(znacka);
  const size_t rec = DlzkaZaznamu(znacka);
  const size_t pocet = b / rec;
  for (size_t i = kMaxKrokov + 1; i <= pocet; ++i) {
    const size_t off = hlavicka ? rec * i : rec * (i - 1);
    if (off >= b) break;
    if (ZaznamNeprazdny(znacka, &p.SuborBuf[off])) return odmietni(VUvodzovkach(kTextViacKrokov, cesta));
  }

  // A KVR-T speed code above 1023 would give a step more than its gear's
  // maximum speed.
  if (znacka == kZnackaT || znacka == kZnackaTW) {
    for (size_t i = 1; i <= kMaxKrokov && rec * (i + 1) <= b; ++i) {
      if (std::optional<std::string> chyba =
              CheckKvrTSpeedCode(std::span<const uint8_t>(&p.SuborBuf[rec * i], rec), static_cast<int>(i)))
        return odmietni(*chyba);
    }
  }

  // Decode under the model and gear the file will set; their messages are
  // given once, when the program is taken into the store.
  TStroj s = k.Stroj;
  s.Model = p.Model;
  s.Prevod = p.Prevod;
  ApplyModel(s);
  // ApplyModel leaves no old-format tables for models without them.
  if (JeStary(znacka) && (s.TabulkaPosuvu == nullptr || s.TabulkaOtacok == nullptr))
    return odmietni(std::string(kTextStaryFormatModel) + s.Model + " !");
  const std::span<const uint8_t> obraz(p.SuborBuf);
  const int n = static_cast<int>(std::min<size_t>(pocet, kMaxKrokov));
  uint8_t prevod = PrevodKroku(s, p.Kroky, 0);
  for (int i = 1; i <= n; ++i) {
    TKrok& krok = p.Kroky[i];
    if (JeStary(znacka)) {
      if (std::optional<std::string> chyba = KrokZGC11(s, obraz, i, krok))
        return odmietni(*chyba);
    } else if (znacka == kZnackaGC) {
      KrokZGC(s, obraz, i, krok);
    } else {
      KrokZT(s, prevod, obraz, i, krok);
    }
    prevod = GearInForce(s, krok, prevod);
  }
  p.PocetZaznamov = static_cast<int32_t>(pocet);
  return p;
}

void TakeProgram(TKontext& k, const TNacitanyProgram& p) {
  TSuborStav& sub = k.Subory;
  std::copy(p.SuborBuf.begin(), p.SuborBuf.end(), sub.SuborBuf.begin());
  if (p.Pata.size() == kPataNova) std::copy(p.Pata.begin(), p.Pata.end(), sub.PataSuboru.begin());
  if (p.StaraPata.size() == kPataStary3) std::copy(p.StaraPata.begin(), p.StaraPata.end(), sub.StaraPata.begin());
  sub.CelkovaKorekcia = p.CelkovaKorekcia;
  sub.HlavParam1 = p.HlavParam1;
  sub.HlavParam2 = p.HlavParam2;
  sub.HlavParam3 = p.HlavParam3;
  for (TBodKroku& bod : k.BodyKrokov) bod = TBodKroku{};
  k.Program.Kroky = p.Kroky;
  k.Kostricka = p.Kostricka;
  k.Program.MenoKostricky = p.MenoKostricky;

  k.Stroj.Model = p.Model;
  k.Stroj.Prevod = p.Prevod;
  NastavModel(k);
  TPohlad& v = k.Pohlad;
  const long double lava = v.OknoLava;
  const long double prava = v.OknoPrava;
  if (!(prava > lava) || prava == 0.0L) {
    v.OknoLava = 0.0L;
    v.OknoPrava = static_cast<long double>(k.Stroj.MaxBreite);
  }

  PrepocitajKroky(k.Program);
  ProgInic(k);
  // The coil's first layers in view.
  k.MainWindow().NastavVertPos(0);
  k.Program.AktAdresar = FolderOf(p.Cesta);
  k.Program.Zmeneny = 0;
  k.MainWindow().ShowModelAndGear();

  // A gear step holds its gear divided by 100; it is a change only when that
  // gear is not the one the model is fixed to.
  if (k.Stroj.MeniPrevod == 0) {
    for (int i = 1; i <= k.Program.PocetKrokov; ++i) {
      const TKrok& krok = k.Program.Kroky[i];
      if (krok.Druh == kDruhGetriebe && Round(static_cast<long double>(krok.Hodnota) * 100.0L) != k.Stroj.Prevod) {
        k.Ui->Error(std::string(kTextStalyPrevod));
        break;
      }
    }
  }
}

bool NacitajProgram(TKontext& k, const std::string& cesta, uint32_t znacka, int32_t& pocet) {
  if (cesta.empty()) return false;
  std::optional<TNacitanyProgram> p = PrepareProgram(k, cesta, znacka);
  if (!p) return false;
  if (znacka == kZnackaTW) WriteFileSafely(WarningsIniPath(k), p->Warningy);
  pocet = p->PocetZaznamov;
  TakeProgram(k, *p);
  pocet = k.Program.PocetKrokov;
  return true;
}

// ---- Warnings -------------------------------------------------------------

size_t KvrTImageEnd(std::span<const uint8_t> subor) {
  static constexpr uint8_t kVzor[4] = {0x54, 0x43, 0x4E, 0x03};
  if (subor.size() < kDlzkaZnacky) return 0;
  const size_t koniec = subor.size() - kDlzkaZnacky;  // the outer end marker stays out
  // The smallest image is a header record and the trailer with its marker.
  for (size_t p = kZaznamT + kPataNovaSoZnackou; p <= koniec; p += kZaznamT) {
    if (std::equal(std::begin(kVzor), std::end(kVzor), subor.begin() + static_cast<std::ptrdiff_t>(p - kDlzkaZnacky)))
      return p;
  }
  return 0;
}

TRozdelenie SplitWarnings(std::span<const uint8_t> subor) {
  TRozdelenie r;
  r.p = KvrTImageEnd(subor);
  if (r.p != 0) r.warningy.assign(subor.begin() + static_cast<std::ptrdiff_t>(r.p), subor.end() - kDlzkaZnacky);
  return r;
}

size_t Hladaj_Zaciatok_Warningov(TKontext& k, const std::string& cesta) {
  std::optional<std::vector<uint8_t>> data = ReadWholeFile(cesta);
  if (!data) throw TIoError(VUvodzovkach(kTextNeotvori, cesta));
  TRozdelenie r = SplitWarnings(*data);
  if (r.p != 0) WriteFileSafely(WarningsIniPath(k), r.warningy);
  return r.p;
}

void NacitajWarningy(TKontext& k, const std::string& iniCesta) {
  const TIniSubor ini(iniCesta);
  for (int i = 1; i <= kMaxKrokov; ++i)
    k.Program.Warningy[static_cast<size_t>(i)] =
        FirstChars(ini.CitajText(kSekciaWarningov, "STEP_" + std::to_string(i)), kMaxWarning);
}

void Delete_WarningsFile(const std::string& iniCesta) {
  if (!FileExists(iniCesta)) return;
  std::error_code ec;
  fs::remove(NativePath(iniCesta), ec);
  if (ec) throw TIoError(" Kann man nicht löschen: \"" + iniCesta + "\" (" + ec.message() + ")");
}

}  // namespace kvr
