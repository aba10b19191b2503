// Writing program files, and the open and save commands with their dialogs.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "model/io.h"
#include "model/codepage.h"
#include "model/little_endian.h"
#include "model/machine.h"
#include "model/program_files.h"
#include "model/step_records.h"
#include "platform/platform.h"
#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

namespace {

void PridajZnacku(std::vector<uint8_t>& out, uint32_t znacka) {
  uint8_t z[kDlzkaZnacky];
  PutU32(z, znacka);
  out.insert(out.end(), z, z + kDlzkaZnacky);
}

}  // namespace

std::vector<uint8_t> ProgramImage(TKontext& k, const std::string& cesta, int n, bool gc) {
  n = std::clamp(n, 0, kMaxKrokov);
  // Trailer: the bobbin and machine fields; the other bytes pass on as read.
  uint8_t* t = k.Subory.PataSuboru.data();
  WriteShortString(t + kPataOffModel, k.Stroj.Model, 20);
  WriteShortString(t + kPataOffPrevod, GearName(k.Stroj.Prevod), 20);
  // The panel software on Windows reads this path.
  WriteShortString(t + kPataOffKostricka, k.Platform->WindowsPathOf(k.Program.MenoKostricky), 80);
  if (!k.Program.MenoKostricky.empty()) {
    std::memcpy(t + kPataOffKomory, k.Kostricka.Bytes() + offsetof(TKostricka, Komory), sizeof k.Kostricka.Komory);
    k.Kostricka.Abstand.ToBytes(t + kPataOffAbstand);
  } else {
    std::fill(t + kPataOffKomory, t + kPataKoniecKostricky, uint8_t{0});
  }

  std::vector<uint8_t>& buf = k.Subory.SuborBuf;
  std::fill(buf.begin(), buf.end(), uint8_t{0});
  ZapisBcdSuradnicu(&buf[5], k.Subory.CelkovaKorekcia);
  buf[8] = static_cast<uint8_t>(k.Subory.HlavParam1 & 0xFF);
  buf[9] = static_cast<uint8_t>(((k.Subory.HlavParam2 - 1) * 16) & 0xFF);
  buf[10] = static_cast<uint8_t>(k.Subory.HlavParam3 & 1);
  if (gc) {
    const std::string nazov = Utf8NaCp1252(NazovSuboru(cesta));
    std::copy_n(nazov.begin(), std::min(nazov.size(), kHlavDlzkaNazvu), buf.begin() + kHlavOffNazov);
  }
  for (int i = 1; i <= n; ++i) {
    if (gc)
      KrokDoGC(k.Stroj, k.Program.Kroky[i], k.Subory.SuborBuf, i);
    else
      KrokDoT(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, i), k.Program.Kroky[i], k.Subory.SuborBuf, i);
  }

  const size_t rec = gc ? kZaznamGC : kZaznamT;
  const size_t dlzka = rec * static_cast<size_t>(n + 1);
  std::vector<uint8_t> out;
  out.reserve(dlzka + kPataNovaSoZnackou);
  out.insert(out.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(dlzka));
  out.insert(out.end(), k.Subory.PataSuboru.begin(), k.Subory.PataSuboru.end());
  PridajZnacku(out, gc ? kZnackaGC : kZnackaT);
  return out;
}

void UlozProgramGC(TKontext& k, const std::string& cesta, int n) {
  WriteFileSafely(cesta, ProgramImage(k, cesta, n, true));
}

void UlozProgramT(TKontext& k, const std::string& cesta, int n) {
  WriteFileSafely(cesta, ProgramImage(k, cesta, n, false));
}

void UlozProgramTW(TKontext& k, const std::string& cesta, int n, std::span<const uint8_t> warningy) {
  std::vector<uint8_t> out = ProgramImage(k, cesta, n, false);
  out.insert(out.end(), warningy.begin(), warningy.end());
  PridajZnacku(out, kZnackaTW);
  WriteFileSafely(cesta, out);
}

void UlozPrijatyObraz(TKontext& k, const std::string& cesta, size_t dlzkaObrazu, uint32_t znacka, int32_t prevod,
                      const std::string& model) {
  if (dlzkaObrazu > kSuborBufSize) throw std::out_of_range("image longer than the file image buffer");
  uint8_t* t = k.Subory.PataSuboru.data();
  WriteShortString(t + kPataOffModel, model, 20);
  t[kPataOffNeznamy] = 0;
  WriteShortString(t + kPataOffPrevod, GearName(prevod), 20);
  t[kPataOffKostricka] = 0;
  std::fill(t + kPataOffKomory, t + kPataKoniecKostricky, uint8_t{0});
  std::vector<uint8_t> out(k.Subory.SuborBuf.begin(),
                           k.Subory.SuborBuf.begin() + static_cast<std::ptrdiff_t>(dlzkaObrazu));
  out.insert(out.end(), k.Subory.PataSuboru.begin(), k.Subory.PataSuboru.end());
  PridajZnacku(out, znacka);
  WriteFileSafely(cesta, out);
}

// ---- Commands -----------------------------------------------------------------

std::string DialogStartFolder(const TKontext& k) {
  const TProgram& p = k.Program;
  if (!p.MenoSuboru.empty()) {
    std::string a = FolderOf(p.PoslednyOtvor);
    if (!a.empty()) return a;
  }
  if (!p.AktAdresar.empty()) return p.AktAdresar;
  return k.Platform->MapSystemPath(kAdresarProgramov);
}

bool OpenProgramFile(TKontext& k, const std::string& meno) {
  k.Program.Online = 0;
  bool nacitany = false;
  // Anything but a readable regular file is refused before it is opened, with
  // one message that says why.
  const TMarkerRead typ = ReadMarker(meno);
  if (typ.refusal) {
    k.Ui->Error(*typ.refusal);
  } else {
    std::fill(k.Subory.SuborBuf.begin(), k.Subory.SuborBuf.end(), uint8_t{0});
    const uint32_t znacka = typ.marker;
    if (!IsKnownMarker(znacka)) {
      k.Ui->Error(std::string(kTextNieJeProgram));
    } else if (std::optional<TNacitanyProgram> p = PrepareProgram(k, meno, znacka)) {
      // The warnings file changes only for a file that is taken.
      const std::string ini = WarningsIniPath(k);
      if (znacka == kZnackaTW)
        WriteFileSafely(ini, p->Warningy);
      else
        Delete_WarningsFile(ini);
      k.Program.MenoSuboru = meno;
      k.Program.PoslednyOtvor = meno;
      TakeProgram(k, *p);
      // A program without warnings shows and saves none of the previous one's.
      if (FileExists(ini))
        NacitajWarningy(k, ini);
      else
        std::fill(k.Program.Warningy.begin(), k.Program.Warningy.end(), std::string());
      k.Pohlad.PevnaLava = 0.0L;
      k.Pohlad.PevnaPrava = 0.0L;
      nacitany = true;
    }
  }
  k.MainWindow().VypisProgCaption();
  return nacitany;
}

void WriteProgramFile(TKontext& k, const std::string& cesta, int format, bool sWarningami) {
  const int n = k.Program.PocetKrokov;
  if (format == 0) {
    UlozProgramGC(k, cesta, n);
    return;
  }
  if (sWarningami) {
    const std::string ini = WarningsIniPath(k);
    if (FileExists(ini)) {
      std::optional<std::vector<uint8_t>> text = ReadWholeFile(ini);
      if (!text) throw TIoError(" Kann man nicht öffnen: \"" + ini + "\"");
      UlozProgramTW(k, cesta, n, *text);
      return;
    }
  }
  UlozProgramT(k, cesta, n);
}

}  // namespace kvr
