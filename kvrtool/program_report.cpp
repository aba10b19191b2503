#include "kvrtool/program_report.h"

#include <cstdio>

#include "model/little_endian.h"
#include "model/program.h"
#include "model/program_files.h"

namespace kvr::tool {

void KrokJson(TJson& j, const TKrok& k, int index) {
  j.ZaciatokObjektu();
  j.Kluc("index").Cislo(index);
  j.Kluc("Druh").Cislo(k.Druh);
  j.Kluc("TypCyklu").Cislo(k.TypCyklu);
  j.Kluc("Hodnota").Realne(k.Hodnota);
  j.Kluc("LRev").Realne(k.LRev);
  j.Kluc("PRev").Realne(k.PRev);
  j.Kluc("RychPresun").Cislo(k.RychPresun);
  j.Kluc("PosuvImp").Cislo(k.PosuvImp);
  j.Kluc("PosuvMM").Realne(k.PosuvMM);
  j.Kluc("Otacky").Cislo(k.Otacky);
  j.Kluc("SmerOtac").Cislo(k.SmerOtac);
  j.Kluc("Rozbeh").Cislo(k.Rozbeh);
  j.Kluc("Dobeh").Cislo(k.Dobeh);
  j.Kluc("SmerPosuvu").Cislo(k.SmerPosuvu);
  j.Kluc("Kryt").Cislo(k.Kryt);
  j.Kluc("Vrstvy").Cislo(k.Vrstvy);
  j.Kluc("VrstvaStop").Cislo(k.VrstvaStop);
  j.Kluc("VrstvaKoniec").Cislo(k.VrstvaKoniec);
  j.Kluc("AutKorekcia").Cislo(k.AutKorekcia);
  j.Kluc("AutManual").Cislo(k.AutManual);
  j.Kluc("Nulovat").Cislo(k.Nulovat);
  j.Kluc("Vstup").ZaciatokPola();
  for (uint8_t v : k.Vstup) j.Cislo(v);
  j.KoniecPola();
  j.Kluc("Vystup").ZaciatokPola();
  for (int n = 1; n <= 6; ++n) {
    j.ZaciatokObjektu();
    j.Kluc("Stav").Cislo(k.VystupStav(n));
    j.Kluc("Oneskorenie").Cislo(k.VystupOneskorenie(n));
    j.KoniecObjektu();
  }
  j.KoniecPola();
  j.Kluc("GCHodnotaA").Cislo(k.GCHodnotaA);
  j.Kluc("GCHodnotaB").Cislo(k.GCHodnotaB);
  j.Kluc("GCPriznak").Cislo(k.GCPriznak);
  j.Kluc("AutKorL").Realne(k.AutKorL);
  j.Kluc("AutKorP").Realne(k.AutKorP);
  j.Kluc("TrapezL").Realne(k.TrapezL);
  j.Kluc("TrapezLZnamienko").Cislo(k.TrapezLZnamienko);
  j.Kluc("TrapezP").Realne(k.TrapezP);
  j.Kluc("TrapezPZnamienko").Cislo(k.TrapezPZnamienko);
  j.Kluc("RezervaT").Cislo(k.RezervaT);
  j.Kluc("PrevodOtacok").Cislo(k.PrevodOtacok);
  j.Kluc("raw").Text(Hex(k.Bytes(), sizeof(TKrok)));
  j.KoniecObjektu();
}

void ProgramKeysJson(TJson& j, const TKontext& k, std::optional<uint32_t> znacka,
                     const std::function<void(TJson&)>& messages) {
  const TProgram& p = k.Program;
  if (znacka) {
    j.Kluc("format").Text(FormatName(*znacka));
    j.Kluc("marker").Cislo(*znacka);
  }
  j.Kluc("Model").Text(k.Stroj.Model);
  j.Kluc("Prevod").Cislo(k.Stroj.Prevod);
  j.Kluc("MenoKostricky").Text(p.MenoKostricky);
  j.Kluc("Kostricka").Text(Hex(k.Kostricka.Bytes(), sizeof(TKostricka)));
  j.Kluc("CelkovaKorekcia").Realne(k.Subory.CelkovaKorekcia);
  j.Kluc("HlavParam1").Cislo(k.Subory.HlavParam1);
  j.Kluc("HlavParam2").Cislo(k.Subory.HlavParam2);
  j.Kluc("HlavParam3").Cislo(k.Subory.HlavParam3);
  j.Kluc("PocetKrokov").Cislo(p.PocetKrokov);
  j.Kluc("KrokEnde").Cislo(p.KrokEnde);
  j.Kluc("Warningy").ZaciatokObjektu();
  for (int i = 1; i <= kMaxKrokov; ++i) {
    const std::string& w = p.Warningy[static_cast<size_t>(i)];
    if (!w.empty()) j.Kluc(std::to_string(i)).Text(w);
  }
  j.KoniecObjektu();
  j.Kluc("messages");
  messages(j);
  j.Kluc("steps").ZaciatokPola();
  for (int i = 1; i <= p.PocetKrokov; ++i) KrokJson(j, p.Kroky[i], i);
  j.KoniecPola();
}

uint32_t ZnackaSuboru(const std::string& cesta) {
  std::optional<std::vector<uint8_t>> d = ReadWholeFile(cesta);
  if (!d || d->size() < kDlzkaZnacky) return 0;
  return GetU32(d->data() + d->size() - kDlzkaZnacky);
}

std::string ProgramText(const TKontext& k, std::optional<uint32_t> znacka) {
  const TProgram& p = k.Program;
  std::string o;
  if (znacka) {
    char z[16];
    std::snprintf(z, sizeof z, "0x%08X", static_cast<unsigned>(*znacka));
    o += "Format:          " + std::string(FormatName(*znacka)) + " (" + z + ")\n";
  }
  o += "Model:           " + k.Stroj.Model + "\n";
  o += "Prevod:          " + std::to_string(k.Stroj.Prevod) + "\n";
  o += "MenoKostricky:   " + p.MenoKostricky + "\n";
  o += "CelkovaKorekcia: " + FormatujRealne(k.Subory.CelkovaKorekcia) + "\n";
  o += "HlavParam:       " + std::to_string(k.Subory.HlavParam1) + " " + std::to_string(k.Subory.HlavParam2) + " " +
       std::to_string(k.Subory.HlavParam3) + "\n";
  o += "PocetKrokov:     " + std::to_string(p.PocetKrokov) + "\n";
  o += "KrokEnde:        " + std::to_string(p.KrokEnde) + "\n";
  for (int i = 1; i <= p.PocetKrokov; ++i) {
    const TKrok& s = p.Kroky[i];
    char riadok[64];
    std::snprintf(riadok, sizeof riadok, "%4d %-13s", i, NazovDruhu(DruhKroku(s)).c_str());
    o += riadok;
    o += " Hodnota=" + FormatujRealne(s.Hodnota) + " LRev=" + FormatujRealne(s.LRev) +
         " PRev=" + FormatujRealne(s.PRev) + " PosuvMM=" + FormatujRealne(s.PosuvMM) +
         " Otacky=" + std::to_string(static_cast<int32_t>(s.Otacky)) + " TypCyklu=" + std::to_string(s.TypCyklu) + "\n";
  }
  for (int i = 1; i <= kMaxKrokov; ++i) {
    const std::string& w = p.Warningy[static_cast<size_t>(i)];
    if (!w.empty()) o += "Warnung " + std::to_string(i) + ": " + w + "\n";
  }
  return o;
}

}  // namespace kvr::tool
