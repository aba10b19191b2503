#include "link/link_window.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>

#include "form/ui_services.h"
#include "link/framing.h"
#include "model/codepage.h"
#include "model/context.h"
#include "model/ini.h"
#include "model/little_endian.h"
#include "model/numeric.h"
#include "model/program_files.h"
#include "model/step_records.h"
#include "platform/platform.h"
#include "platform/serial_port.h"
#include "view/coil_drawing.h"

namespace kvr {

namespace {

constexpr size_t kPaket = 128;

// Payload byte i, 0 beyond the end: a short message reads as if padded.
uint8_t B(const std::vector<uint8_t>& m, size_t i) { return i < m.size() ? m[i] : uint8_t{0}; }

std::string Hex(uint8_t b) {
  char t[4];
  std::snprintf(t, sizeof t, "%02X", b);
  return t;
}

// Text bytes of a message from byte 1 up to the first 0.
std::string TextSpravy(const std::vector<uint8_t>& m) {
  std::string t;
  for (size_t i = 1; i < m.size() && m[i] != 0; ++i) t.push_back(static_cast<char>(m[i]));
  return t;
}

// A machine's text as UTF-8: malformed bytes become "?".
std::string PlatneUtf8(std::string_view s) {
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    const size_t a = i;
    uint32_t cp = 0;
    if (DalsiZnakUtf8(s, i, cp))
      out.append(s.substr(a, i - a));
    else
      out.push_back('?');
  }
  return out;
}

}  // namespace

uint8_t COM_Number(const std::string& iniCesta) {
  const auto obsah = ReadWholeFile(iniCesta);
  if (!obsah) return 0;
  const std::string text(obsah->begin(), obsah->end());
  const auto hodnota = IniFindValue(text, "Settings_COM_port", "COM_port_number");
  if (!hodnota) return 0;
  std::string_view v = *hodnota;
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.remove_suffix(1);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  int32_t n = 0;
  const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
  if (r.ec != std::errc{} || r.ptr != v.data() + v.size()) return 0;
  return static_cast<uint8_t>(static_cast<uint32_t>(n) & 0xFF);
}

std::string PortDevice(uint8_t cislo) {
#ifdef _WIN32
  return "COM" + std::to_string(cislo);
#else
  return "/dev/ttyS" + std::to_string(cislo > 0 ? cislo - 1 : 0);
#endif
}

std::string ChybaStrojaText(int cislo) {
  switch (cislo) {
    case 1: return " Mikroschaltergrenze ! ";
    case 2: return " Maschine nicht in Mode Ruhe ! ";
    case 3: return " Schutzschield ist geoffned !";
    case 4: return " Drehzahl gegen Vorschub zu hoch !";
    case 5: return " Drahtfuhrerlage ausser Bereich !";
    case 6: return " Programm ist nicht logisch !";
    case 9: return " Falscher Mikroschalter !";
    case 12: return " Wendepunkte  LINKS > RECHTS !";
    case 33: return " Drehzahl ist fur andere Getriebe programmiert ! ";
    case 34: return " Standig eingestellte Getriebe !";
    default: return " ERROR: " + std::to_string(cislo);
  }
}

size_t DlzkaObrazuPcNav(int n) { return kZaznamT * static_cast<size_t>(n + 1) + kPataNovaSoZnackou; }

size_t PocetPaketov(size_t dlzka) { return (dlzka + kPaket - 1) / kPaket; }

TfSP::TfSP(TKontext& k, ILinkHost* host)
    : TForm("fSP", " DATENÜBERTRAGUNG", {100, 100, 512, 266}), k_(k), host_(host != nullptr ? host : &defaultHost_) {
  BorderStyle = TBorderStyle::Single;
  bPC_NAV.OnClick = [this] { bPC_NAVClick(); };
  bNAV_PC.OnClick = [this] { bNAV_PCClick(); };
  bSubor.OnClick = [this] { bSuborClick(); };
  Label1.OnClick = [this] { Label1Click(); };
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  k_.Link.Odosli = [this](std::span<const uint8_t> m) { PosliSpravu(m); };
}

TfSP::~TfSP() {
  TLinkStav& l = k_.Link;
  l.Odosli = nullptr;
  if (l.Port != nullptr) l.Port->SetBytesArrived({});
}

void TfSP::FormCreate() { k_.Link.CisloCOM = COM_Number(k_.Platform->MapSystemPath(kCestaZavizero)); }

void TfSP::FormShow() {
  Caption = " DATENÜBERTRAGUNG";
  bPC_NAV.Caption = "DATEI --> MASCHINE";
  bPC_NAV.Enabled = true;
  bNAV_PC.Caption = "MASCHINE --> DATEI";
  ZobrazSubor(k_.Program.MenoSuboru);
  bBlok.Caption = "BLOCK: " + std::to_string(k_.Link.CisloBloku);
  bPort.Caption = "Port: COM " + std::to_string(k_.Link.CisloCOM);
  gKomunik.Caption = " STEUERUNG DER KOMMUNIKATION ";
}

void TfSP::ZobrazSubor(const std::string& meno) {
  if (PocetZnakov(meno) + 7 > 52)
    bSubor.Caption = "DATEI: .." + PoslednychZnakov(meno, 41);
  else
    bSubor.Caption = "DATEI: " + meno;
}

void TfSP::Status(std::string_view text) {
  pKomunik.Caption = std::string(text);
  if (OnStatus) OnStatus(pKomunik.Caption);
}

// An error text of the link is shown once the message that caused it has
// been handled.
void TfSP::Chyba(std::string text) {
  LogUdalost("error: " + text);
  if (OnChyba) OnChyba(text);
  IUi* ui = k_.Ui;
  ui->Post([ui, text] { ui->Error(text); });
}

// ---- Port ----------------------------------------------------------------------

void TfSP::Zapis(const std::string& smer, std::span<const uint8_t> bajty) {
  TLinkStav& l = k_.Link;
  if (!l.Zaznam) return;
  for (uint8_t b : bajty) {
    if (l.Trace.size() >= kMaxTrace) return;
    l.Trace.push_back(smer + Hex(b));
  }
}

void TfSP::LogUdalost(std::string text) {
  TLinkStav& l = k_.Link;
  if (l.Zaznam && l.Log.size() < kMaxTrace) l.Log.push_back(std::move(text));
}

void TfSP::ZapisZaznamy() {
  TLinkStav& l = k_.Link;
  if (!l.Zaznam) return;
  l.Zaznam = false;
  if (l.ZapisujZaznamy) {
    const std::string zaklad =
        (l.AdresarZaznamu.empty() ? std::string() : l.AdresarZaznamu + "/") + std::to_string(l.CisloCOM);
    // The trace and log are a help for finding faults; a folder that cannot
    // be written loses them without disturbing the transfer's outcome.
    std::ofstream trc(NativePath(zaklad + ".trc"), std::ios::binary | std::ios::trunc);
    for (const std::string& t : l.Trace) trc << t << "\r\n";
    std::ofstream log(NativePath(zaklad + ".log"), std::ios::binary | std::ios::trunc);
    for (const std::string& t : l.Log) log << t << "\r\n";
  }
  l.Trace.clear();
  l.Log.clear();
}

void TfSP::InicComPort() {
  TLinkStav& l = k_.Link;
  l.FrontaSprav.clear();
  l.StavPrenosu = kBezPrenosu;
  if (l.Port == nullptr) {
    EnableButtons();
    return;
  }
  if (l.Port->IsOpen()) l.Port->Close();
  const std::string meno = l.MenoPortu.empty() ? PortDevice(l.CisloCOM) : l.MenoPortu;
  if (!l.Port->Open(meno, TPortSettings{}))
    EnableButtons();
  else
    l.StrataHlasena = false;
  l.Port->Discard();
  l.Port->SetBytesArrived([this](size_t n) { PrijemSprav(n); });
}

void TfSP::InicPrenos() {
  TLinkStav& l = k_.Link;
  l.Trace.clear();
  l.Log.clear();
  l.Zaznam = true;
  LogUdalost("transfer " + std::to_string(l.StavPrenosu));
  Status(kStatusSpajanie);
}

void TfSP::StopTimer(int& id) {
  if (id != 0) k_.Ui->StopTimer(id);
  id = 0;
}

void TfSP::ClosePort() {
  TLinkStav& l = k_.Link;
  LogUdalost("close");
  ZapisZaznamy();
  StopTimer(l.TimerSpojenia);
  StopTimer(l.TimerSpravy);
  StopTimer(l.TimerConnect);
  EnableButtons();
  if (l.Port != nullptr) {
    l.Port->SetBytesArrived({});
    l.Port->Discard();
    if (l.Port->IsOpen()) l.Port->Close();
  }
  l.StavPrenosu = kBezPrenosu;
}

void TfSP::EnableButtons() {
  bPC_NAV.Enabled = true;
  bNAV_PC.Enabled = true;
}

void TfSP::DisableButtons() {
  bPC_NAV.Enabled = false;
  bNAV_PC.Enabled = false;
}

void TfSP::PosliSpravu(std::span<const uint8_t> sprava) {
  if (sprava.empty() || sprava.size() > 256) throw std::invalid_argument("message of 1 to 256 bytes");
  TLinkStav& l = k_.Link;
  const std::string meno = l.MenoPortu.empty() ? PortDevice(l.CisloCOM) : l.MenoPortu;
  if (l.Port == nullptr || !l.Port->IsOpen()) throw TChybaPortu(std::string(kChybaPortZavrety) + meno);
  const std::vector<uint8_t> ramec = Ramec(sprava);
  Zapis("> ", ramec);
  if (!l.Port->Write(ramec)) throw TChybaPortu(l.Port->ErrorText());
}

void TfSP::PosliSpravuText(uint8_t kod, std::string_view text) {
  // The length is taken modulo 256; a message holds at most 256 bytes, so a
  // text of 255 bytes loses its last byte rather than its terminating 0.
  const size_t n = std::min<size_t>(text.size() % 256, 254);
  std::vector<uint8_t> m;
  m.reserve(n + 2);
  m.push_back(kod);
  m.insert(m.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
  m.push_back(0);
  PosliSpravu(m);
}

void TfSP::PosliPaketDat(uint16_t cislo, size_t maximum) {
  TLinkStav& l = k_.Link;
  const size_t zostava = l.DlzkaOdoslania > l.PoziciaOdoslania ? l.DlzkaOdoslania - l.PoziciaOdoslania : 0;
  const size_t n = std::min({zostava, maximum, kPaket});
  std::vector<uint8_t> m{129, static_cast<uint8_t>(cislo >> 8), static_cast<uint8_t>(cislo & 0xFF)};
  const auto od = k_.Subory.SuborBuf.begin() + static_cast<std::ptrdiff_t>(l.PoziciaOdoslania);
  m.insert(m.end(), od, od + static_cast<std::ptrdiff_t>(n));
  l.PoziciaOdoslania += n;
  PosliSpravu(m);
  if (OnPaket) OnPaket(cislo, l.PocetPaketov);
}

// ---- Receiving -----------------------------------------------------------------

void TfSP::PrijemSprav(size_t waiting) {
  TLinkStav& l = k_.Link;
  if (l.Port == nullptr) return;
  std::vector<uint8_t> buf(std::max<size_t>(waiting, 1));
  size_t n;
  while ((n = l.Port->Read(buf)) > 0) PrijmiBajty(std::span<const uint8_t>(buf.data(), n));
}

void TfSP::PrijmiBajty(std::span<const uint8_t> bajty) {
  TLinkStav& l = k_.Link;
  Zapis("< ", bajty);
  std::vector<uint8_t> sprava;
  for (uint8_t b : bajty) {
    switch (PrijmiBajt(l.Prijem, b, sprava)) {
      case TPrijatyBajt::Sprava:
        l.FrontaSprav.push_back(std::move(sprava));
        sprava = {};
        if (!l.NotifikaciaCaka) {
          l.NotifikaciaCaka = true;
          k_.Ui->Post([this] { ObsluhaSpravy(); });
        }
        break;
      case TPrijatyBajt::ZlaKontrola:
        LogUdalost("frame dropped: check byte");
        break;
      case TPrijatyBajt::PrilisDlha:
        LogUdalost("frame dropped: too long");
        break;
      case TPrijatyBajt::Prazdna:
        LogUdalost("frame dropped: empty");
        break;
      case TPrijatyBajt::Nic:
        break;
    }
  }
}

// ---- Dispatcher ------------------------------------------------------------------

void TfSP::ObsluhaSpravy() {
  TLinkStav& l = k_.Link;
  l.NotifikaciaCaka = false;
  while (!l.FrontaSprav.empty()) {
    // Taken off the queue first: a modal window below runs the event loop,
    // and a dispatcher run from there must not handle it again.
    const std::vector<uint8_t> m = std::move(l.FrontaSprav.front());
    l.FrontaSprav.pop_front();
    znacky_ = {};
    SpracujSpravu(m);
    PoSprave();

    if (l.ChybaStroja != 0) {
      const int c = l.ChybaStroja;
      l.ChybaStroja = 0;
      k_.Ui->Error(ChybaStrojaText(c));
    }
    if (l.ChybaCan != 0) {
      const int c = l.ChybaCan;
      l.ChybaCan = 0;
      k_.Ui->Error("CAN ERROR: " + std::to_string(c));
    }
    if (l.ChybaCanPohonu != 0) {
      const int c = l.ChybaCanPohonu;
      l.ChybaCanPohonu = 0;
      k_.Ui->Error("CAN DRIVE ERROR: " + std::to_string(c));
    }
    const TZnacky z = znacky_;
    if (z.stav) {
      const uint8_t c = static_cast<uint8_t>(k_.Kresba.StavStroja);
      if (c == '2' || c == '5' || c == '6' || c == '=' || c == 'B') l.KrokStop = k_.Program.AktKrok;
      host_->ZobrazStav(c);
    }
    if (z.krok) {
      const int a = k_.Program.AktKrok;
      host_->ShowStepButton("SCHRITT: " + std::to_string(a));
      if (a >= 0 && a <= kMaxKrokov && k_.Program.Online != 0) {
        k_.MainWindow().ZobrazParametre(a);
        k_.Vyber.ZrusBlok();
        k_.Vyber.ZrusVybraneKroky();
        k_.Vyber.BlokOd = a;
        k_.Vyber.BlokDo = a;
        host_->FollowStep(a, TestujCiNavijame(k_));
      }
    }
    if (z.enter) {
      host_->CloseWaitWindow();
      host_->ConfirmEnter();
      PosliSpravu({1, 0});
    }
    if (z.warning && k_.Program.Online != 0) {
      const int a = k_.Program.AktKrok;
      if (a >= 1 && a <= kMaxKrokov && !k_.Program.Warningy[static_cast<size_t>(a)].empty())
        host_->ShowWarning(k_.Program.Warningy[static_cast<size_t>(a)]);
    }
    if (z.zavriWarning) host_->CloseWarnings();
  }
}

void TfSP::SpracujSpravu(const std::vector<uint8_t>& m) {
  TLinkStav& l = k_.Link;
  const uint8_t kod = m[0];
  LogUdalost("message " + std::to_string(kod) + ", " + std::to_string(m.size()) + " bytes");
  const bool online = k_.Program.Online != 0;
  switch (kod) {
    case 7:
      k_.Platform->PowerOff();
      break;
    case 0:
      l.CakaEnter = true;
      PosliSpravu({3, 23, 0});
      break;
    case 94:
      host_->CloseWaitWindow();
      k_.Program.AktKrok = kMaxKrokov;
      break;
    case 211:
      znacky_.warning = true;
      break;
    case 212:
      znacky_.zavriWarning = true;
      break;
    case 32: {
      if (l.CakaEnter) {
        l.CakaEnter = false;
        znacky_.enter = true;
      }
      const int32_t zavity = static_cast<int32_t>(B(m, 1) | B(m, 2) << 8 | B(m, 3) << 16 | static_cast<uint32_t>(B(m, 4)) << 24);
      const int32_t poloha = B(m, 9) | B(m, 10) << 8 | B(m, 11) << 16;
      host_->ShowReadings("Windungen: " + FormatFixed(static_cast<long double>(zavity) / 100, 2),
                          "Lage: " + FormatFixed(static_cast<long double>(poloha) / 100, 2),
                          (B(m, 12) & 0x80) != 0 ? " <<< " : " >>> ");
      const uint8_t stav = B(m, 15);
      if (stav != static_cast<uint8_t>(k_.Kresba.StavStroja)) {
        k_.Kresba.StavStroja = static_cast<char>(stav);
        znacky_.stav = true;
      }
      const int krok = B(m, 13) | B(m, 14) << 8;
      if (online && krok != k_.Program.AktKrok) {
        k_.Program.AktKrok = krok;
        znacky_.krok = true;
      }
      break;
    }
    case 33: {
      host_->ShowLayer(" LAGE: " + std::to_string(B(m, 7) | B(m, 8) << 8));
      // Gear 0 names no gear of the table: the gear panel keeps its text.
      const uint8_t g = B(m, 4);
      if (g >= 1 && g <= 3) {
        l.PrevodStroja = g;
        host_->ShowGear("Getriebe: " + std::to_string(k_.Stroj.OtackyPrevodu[g - 1]));
      }
      break;
    }
    case 188:
      l.ChybaCan = B(m, 1);
      break;
    case 189:
      l.ChybaCanPohonu = static_cast<uint16_t>(B(m, 2) << 8 | B(m, 3));
      break;
    default:
      break;
  }
  bool menoSpracovane = false;
  if (online) {
    if (kod == 35) {
      const int n = B(m, 1) | B(m, 2) << 8;
      // Steps beyond the store are not the store's: ignored.
      if (n >= 1 && n <= kMaxKrokov) {
        std::vector<uint8_t> zaznam(5 + kZaznamT, 0);
        std::copy_n(m.begin(), std::min(m.size(), zaznam.size()), zaznam.begin());
        const uint8_t pred = PrevodKroku(k_.Stroj, k_.Program.Kroky, n - 1);
        KrokZTBuf(k_.Stroj, pred, zaznam, 5, k_.Program.Kroky[n]);
      }
    } else if (kod == 133) {
      MenoProgramu(m);
      menoSpracovane = true;
    } else if (kod == 177) {
      l.ChybaStroja = B(m, 1);
    }
  }
  if (l.StavPrenosu == kBezPrenosu) {
    if (kod == 223) PosliSpravu({222, 48, 0, 0});
  } else if (!(kod == 133 && menoSpracovane)) {
    Prenos(m);
  }
}

void TfSP::MenoProgramu(const std::vector<uint8_t>& m) {
  if (k_.Link.StavPrenosu != kPrenosNavPc) return;
  k_.Program.PoslednySubor = PlatneUtf8(TextSpravy(m));
  ZobrazSubor(k_.Program.PoslednySubor);
  k_.MainWindow().VypisProgCaption();
}

void TfSP::Prenos(const std::vector<uint8_t>& m) {
  if (k_.Link.StavPrenosu == kPrenosPcNav)
    SpracujPcNav(m);
  else if (k_.Link.StavPrenosu == kPrenosNavPc)
    SpracujNavPc(m);
}

void TfSP::UkonciPrenos() {
  TLinkStav& l = k_.Link;
  l.StavPrenosu = kBezPrenosu;
  StopTimer(l.TimerSpojenia);
  StopTimer(l.TimerSpravy);
  StopTimer(l.TimerConnect);
}

// 128 with byte 1 = 0: the machine ends the transfer.
void TfSP::Koniec(uint8_t vysledok) {
  const std::string text = std::string(kStatusNeuspech) + std::to_string(vysledok);
  Chyba(text);
  Status(text);
  EnableButtons();
  UkonciPrenos();
}

void TfSP::SpracujPcNav(const std::vector<uint8_t>& m) {
  TLinkStav& l = k_.Link;
  switch (m[0]) {
    case 77:
      StopTimer(l.TimerSpojenia);
      StopTimer(l.TimerConnect);
      Status(kStatusOdosielanie);
      PosliSpravu({128, 1, l.CisloBloku});
      l.CisloPaketu = 1;
      PosliPaketDat(l.CisloPaketu, kPaket);
      break;
    case 130: {
      const uint16_t cislo = static_cast<uint16_t>(B(m, 1) | B(m, 2) << 8);
      if (cislo == l.CisloPaketu) {
        if (l.PoziciaOdoslania < l.DlzkaOdoslania) {
          ++l.CisloPaketu;
          PosliPaketDat(l.CisloPaketu, kPaket);
        } else {
          PosliSpravu({128, 0, 0});
          EnableButtons();
          UkonciPrenos();
          Status(kStatusOk);
        }
      } else {
        Chyba(std::string(kChybaPaketuPcNav));
        EnableButtons();
        Status("");
        UkonciPrenos();
        PosliSpravu({128, 0, 1});
      }
      break;
    }
    case 128:
      if (B(m, 1) != 0) break;
      if (B(m, 2) != 0)
        Koniec(B(m, 2));
      else
        UkonciPrenos();
      break;
    case 3:
      PosliSpravu({77, l.CisloBloku});
      break;
    default:
      break;
  }
}

void TfSP::SpracujNavPc(const std::vector<uint8_t>& m) {
  TLinkStav& l = k_.Link;
  std::vector<uint8_t>& buf = k_.Subory.SuborBuf;
  switch (m[0]) {
    case 77:
      StopTimer(l.TimerSpojenia);
      StopTimer(l.TimerConnect);
      l.DlzkaObrazu = static_cast<uint16_t>(B(m, 5) | B(m, 6) << 8);
      if (l.DlzkaObrazu > buf.size()) {
        // The machine announces more than the image buffer holds.
        Chyba(std::string(kChybaVelkyObraz));
        EnableButtons();
        Status("");
        UkonciPrenos();
        PosliSpravu({128, 0, 1});
        break;
      }
      Status(kStatusPrijem);
      std::fill(buf.begin(), buf.end(), uint8_t{0});
      PosliSpravu({128, 2, 0});
      l.CisloPaketu = 0;
      l.PoziciaPrijmu = 0;
      l.PocetPaketov = PocetPaketov(l.DlzkaObrazu);
      break;
    case 129: {
      const uint16_t cislo = static_cast<uint16_t>(B(m, 1) << 8 | B(m, 2));
      ++l.CisloPaketu;
      const size_t n = m.size() > 3 ? m.size() - 3 : 0;
      if (cislo != l.CisloPaketu) {
        Chyba(std::string(kChybaPaketuNavPc));
        EnableButtons();
        Status("");
        UkonciPrenos();
        PosliSpravu({128, 0, 1});
      } else if (l.PoziciaPrijmu + n > buf.size()) {
        // More data than the image buffer holds: refused, the store untouched.
        Chyba(std::string(kChybaVelkyObraz));
        EnableButtons();
        Status("");
        UkonciPrenos();
        PosliSpravu({128, 0, 1});
      } else {
        std::copy(m.begin() + 3, m.end(), buf.begin() + static_cast<std::ptrdiff_t>(l.PoziciaPrijmu));
        l.PoziciaPrijmu += n;
        PosliSpravu({130, static_cast<uint8_t>(l.CisloPaketu >> 8), static_cast<uint8_t>(l.CisloPaketu & 0xFF)});
        if (OnPaket) OnPaket(l.CisloPaketu, l.PocetPaketov);
      }
      break;
    }
    case 133:
      MenoProgramu(m);
      break;
    case 128:
      if (B(m, 1) != 0) break;
      if (B(m, 2) != 0) {
        Koniec(B(m, 2));
      } else {
        k_.Ui->Post([this] { NacitajPrijatySubor(); });
        EnableButtons();
        Status(kStatusOk);
        UkonciPrenos();
      }
      break;
    case 3:
      PosliSpravu({77, l.CisloBloku});
      break;
    default:
      break;
  }
}

// ---- Time-outs ---------------------------------------------------------------------

void TfSP::ArmujSpojenie() {
  TLinkStav& l = k_.Link;
  StopTimer(l.TimerSpojenia);
  StopTimer(l.TimerSpravy);
  l.TimerSpojenia = k_.Ui->StartTimer(l.CasSpojenia, [this] { TimeOutSpojenia(); });
}

// After each message: a running transfer past its identification expects
// the next message within the message time-out.
void TfSP::PoSprave() {
  TLinkStav& l = k_.Link;
  if (l.StavPrenosu == kBezPrenosu) {
    StopTimer(l.TimerSpojenia);
    StopTimer(l.TimerSpravy);
    return;
  }
  if (l.TimerSpojenia != 0 || l.TimerConnect != 0) return;
  StopTimer(l.TimerSpravy);
  l.TimerSpravy = k_.Ui->StartTimer(l.CasSpravy, [this] { TimeOutSpravy(); });
}

void TfSP::TimeOutSpojenia() {
  StopTimer(k_.Link.TimerSpojenia);
  if (k_.Link.StavPrenosu < kPrenosPcNav) return;
  ClosePort();
  Status(kStatusNastavenie);
  Chyba(std::string(kChybaIdentifikacie));
}

// The machine stopped answering a running transfer: the transfer ends and the
// port closes, so its trace and log are written and the next transfer starts
// from a clean port.
void TfSP::TimeOutSpravy() {
  StopTimer(k_.Link.TimerSpravy);
  if (k_.Link.StavPrenosu < kPrenosPcNav) return;
  Status(kStatusNastavenie);
  Chyba(std::string(kChybaTimeOut));
  ClosePort();
}

void TfSP::TimerConnectTimer() {
  ClosePort();
  Status(kStatusBezSpojenia);
  pKonekt.Color = clYellow;
  pKonekt.Enabled = true;
}

// ---- Program transfer ------------------------------------------------------------------

void TfSP::PripravObraz(bool tlacidlo) {
  TLinkStav& l = k_.Link;
  std::vector<uint8_t>& buf = k_.Subory.SuborBuf;
  l.StavPrenosu = kBezPrenosu;
  std::fill(buf.begin(), buf.end(), uint8_t{0});
  const int n = std::clamp(k_.Program.PocetKrokov, 0, kMaxKrokov);
  ZapisBcdSuradnicu(&buf[5], k_.Subory.CelkovaKorekcia);
  buf[8] = static_cast<uint8_t>(k_.Subory.HlavParam1 & 0xFF);
  buf[9] = static_cast<uint8_t>(((k_.Subory.HlavParam2 - 1) * 16) & 0xFF);
  buf[10] = static_cast<uint8_t>(k_.Subory.HlavParam3 & 1);
  std::fill_n(buf.begin() + kHlavOffNazov, kHlavDlzkaNazvu, uint8_t{' '});
  if (tlacidlo) {
    std::string meno = NazovSuboru(k_.Program.MenoSuboru);
    const size_t bodka = meno.rfind('.');
    if (bodka != std::string::npos) {
      const std::string_view ext = std::string_view(meno).substr(bodka + 1);
      int64_t v = 0;
      const auto r = std::from_chars(ext.data(), ext.data() + ext.size(), v);
      if (!ext.empty() && r.ec == std::errc{} && r.ptr == ext.data() + ext.size() && v < 161) meno.resize(bodka);
    }
    const std::string cp = Utf8NaCp1252(meno);
    std::copy_n(cp.begin(), std::min(cp.size(), kHlavDlzkaNazvu), buf.begin() + kHlavOffNazov);
  }
  for (int i = 1; i <= n; ++i)
    KrokDoT(k_.Stroj, PrevodKroku(k_.Stroj, k_.Program.Kroky, i), k_.Program.Kroky[i], buf, i);
  // Trailer area zeros, then the marker; the link window's send puts its
  // marker one byte earlier.
  const size_t koniec = kZaznamT * static_cast<size_t>(n + 1) + kPataNova;
  const size_t zaciatok = tlacidlo ? koniec - 1 : koniec;
  PutU32(&buf[zaciatok], tlacidlo ? kZnackaGC : kZnackaT);
  l.DlzkaOdoslania = zaciatok + kDlzkaZnacky;
  l.PoziciaOdoslania = 0;
  l.PocetPaketov = PocetPaketov(l.DlzkaOdoslania);
}

void TfSP::PcNav() {
  TLinkStav& l = k_.Link;
  PripravObraz(false);
  Status(kStatusSpajanie);
  l.StavPrenosu = kPrenosPcNav;
  InicPrenos();
  std::string meno = NazovSuboru(k_.Program.MenoSuboru);
  meno.push_back('\0');
  meno.push_back('\0');
  PosliSpravuText(133, meno);
  PosliSpravu({77, l.CisloBloku});
  ArmujSpojenie();
}

void TfSP::bPC_NAVClick() {
  TLinkStav& l = k_.Link;
  pKonekt.Color = clLime;
  Status("");
  Status(kStatusSpajanie);
  k_.Ui->Repaint(*this, "pKomunik");
  DisableButtons();
  try {
    PripravObraz(true);
    l.StavPrenosu = kPrenosPcNav;
    InicPrenos();
    PosliSpravuText(133, Utf8NaCp1252(k_.Program.MenoSuboru));
    PosliSpravu({77, l.CisloBloku});
    StopTimer(l.TimerConnect);
    l.TimerConnect = k_.Ui->StartTimer(l.CasConnect, [this] { TimerConnectTimer(); });
  } catch (const std::exception&) {
    ClosePort();
    Status(kStatusNastavenie);
    EnableButtons();
  }
}

void TfSP::NavPc() {
  TLinkStav& l = k_.Link;
  try {
    DisableButtons();
    l.StavPrenosu = kBezPrenosu;
    InicPrenos();
    l.StavPrenosu = kPrenosNavPc;
    PosliSpravu({77, l.CisloBloku});
    Status(kStatusSpajanie);
    if (l.TimerConnect == 0) ArmujSpojenie();
  } catch (const std::exception&) {
    ClosePort();
    Status(kStatusNastavenie);
    EnableButtons();
  }
}

void TfSP::bNAV_PCClick() {
  TLinkStav& l = k_.Link;
  pKonekt.Color = clLime;
  Status(kStatusSpajanie);
  k_.Ui->Repaint(*this, "pKomunik");
  if (!k_.Program.MenoSuboru.empty()) {
    const TMsgAnswer a = k_.Ui->Message(TMsgKind::Warning, std::string(kOtazkaPrepisat), TMsgButtons::YesNoCancel);
    if (a == TMsgAnswer::Yes)
      host_->NewProgram();
    else if (a == TMsgAnswer::No)
      k_.Program.MenoSuboru.clear();
    else
      return;
  }
  StopTimer(l.TimerConnect);
  l.TimerConnect = k_.Ui->StartTimer(l.CasConnect, [this] { TimerConnectTimer(); });
  NavPc();
}

void TfSP::NacitajPrijatySubor() {
  TLinkStav& l = k_.Link;
  const std::string cesta = k_.Platform->MapSystemPath(kCestaPrijatehoSuboru);
  UlozPrijatyObraz(k_, cesta, l.DlzkaObrazu, kZnackaT, k_.Stroj.Prevod, k_.Stroj.Model);
  ZobrazSubor(cesta);
  if (ZistiTypSuboru(k_, cesta) != kZnackaT) {
    k_.Ui->Error(std::string(kTextNieJeProgram));
    return;
  }
  // The image is read and checked like any file before it replaces the
  // program. A refused image leaves the store as it was, its file name and
  // bobbin included, and the station offline: it does not mirror the machine.
  const std::string predtym = k_.Program.MenoSuboru;
  k_.Program.MenoSuboru = cesta;
  if (!NacitajProgram(k_, cesta, kZnackaT, k_.Program.PocetKrokov)) {
    k_.Program.MenoSuboru = predtym;
    return;
  }
  PosliSpravu({134, 0});
  std::copy_n(k_.Desktop.Kostricka.Bytes(), sizeof(TKostricka), k_.Kostricka.Bytes());
  host_->RepaintDrawing();
  k_.MainWindow().RepaintLater();
  k_.Program.Online = 1;
  host_->SetOnLine();
}

void TfSP::bSuborClick() {
  TFileDialog d;
  d.InitialDir = k_.Program.StartAdresar + "/Spulen";
  d.FileName = dialogSubor_;
  d.Filter = "Programme (*.kvr)|*.kvr|Alle (*.*)|*.*";
  if (const auto meno = k_.Ui->OpenDialog(d)) dialogSubor_ = *meno;
  if (dialogSubor_.empty()) return;
  const uint32_t znacka = ZistiTypSuboru(k_, dialogSubor_);
  if (!IsKnownMarker(znacka)) {
    k_.Ui->Error(std::string(kTextNieJeProgram));
    return;
  }
  k_.Program.MenoSuboru = dialogSubor_;
  Delete_WarningsFile(WarningsIniPath(k_));
  NacitajProgram(k_, k_.Program.MenoSuboru, znacka, k_.Program.PocetKrokov);
  ZobrazSubor(k_.Program.MenoSuboru);
}

void TfSP::Label1Click() {
  Label1.Caption = "COM: " + std::to_string(COM_Number(k_.Platform->MapSystemPath(kCestaZavizero)));
}

void TfSP::Button1Click() { PcNav(); }

void TfSP::Button2Click() { PosliSpravu({77, k_.Link.CisloBloku}); }

}  // namespace kvr
