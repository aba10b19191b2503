#include "model/ini.h"

#include <cstdint>
#include <span>
#include <vector>

#include "model/io.h"
#include "model/codepage.h"
#include "model/program_files.h"

namespace kvr {

namespace {

constexpr std::string_view kUtf8Signatura = "\xEF\xBB\xBF";

enum class TRiadok { Prazdny, Komentar, Sekcia, Kluc, Iny };

struct TIniRiadok {
  size_t Zaciatok = 0;  // first byte of the line's text (after a signature)
  size_t Koniec = 0;    // end of the text, before the line end
  size_t Dalsi = 0;     // start of the next line
  TRiadok Druh = TRiadok::Iny;
  std::string_view Meno;     // section or key name, trimmed
  std::string_view Hodnota;  // a key's value, trimmed
};

bool Medzera(char c) { return c == ' ' || c == '\t'; }

std::string_view Orez(std::string_view s) {
  while (!s.empty() && Medzera(s.front())) s.remove_prefix(1);
  while (!s.empty() && Medzera(s.back())) s.remove_suffix(1);
  return s;
}

char Male(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool RovnakeMena(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Male(a[i]) != Male(b[i])) return false;
  return true;
}

// Lines end at LF, CR LF or a lone CR: the panel software's files carry all three.
std::vector<TIniRiadok> Riadky(std::string_view text) {
  std::vector<TIniRiadok> r;
  size_t i = text.starts_with(kUtf8Signatura) ? kUtf8Signatura.size() : 0;
  while (i < text.size()) {
    TIniRiadok l;
    l.Zaciatok = i;
    while (i < text.size() && text[i] != '\n' && text[i] != '\r') ++i;
    l.Koniec = i;
    if (i < text.size()) i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    l.Dalsi = i;
    const std::string_view s = Orez(text.substr(l.Zaciatok, l.Koniec - l.Zaciatok));
    const size_t zatvorka = s.find(']');
    const size_t rovna = s.find('=');
    if (s.empty()) {
      l.Druh = TRiadok::Prazdny;
    } else if (s.front() == ';') {
      l.Druh = TRiadok::Komentar;
    } else if (s.front() == '[' && zatvorka != std::string_view::npos) {
      l.Druh = TRiadok::Sekcia;
      l.Meno = Orez(s.substr(1, zatvorka - 1));
    } else if (rovna != std::string_view::npos) {
      l.Druh = TRiadok::Kluc;
      l.Meno = Orez(s.substr(0, rovna));
      l.Hodnota = Orez(s.substr(rovna + 1));
    }
    r.push_back(l);
  }
  return r;
}

struct TPoloha {
  std::optional<size_t> Sekcia;  // index of the section's header line
  std::optional<size_t> Kluc;    // index of the key's line
  size_t KoniecSekcie = 0;       // index of the first line after the section
};

TPoloha Najdi(const std::vector<TIniRiadok>& riadky, std::string_view sekcia, std::string_view kluc) {
  TPoloha p;
  for (size_t i = 0; i < riadky.size(); ++i) {
    if (riadky[i].Druh == TRiadok::Sekcia && RovnakeMena(riadky[i].Meno, sekcia)) {
      p.Sekcia = i;
      break;
    }
  }
  if (!p.Sekcia) return p;
  size_t i = *p.Sekcia + 1;
  for (; i < riadky.size() && riadky[i].Druh != TRiadok::Sekcia; ++i)
    if (!p.Kluc && riadky[i].Druh == TRiadok::Kluc && RovnakeMena(riadky[i].Meno, kluc)) p.Kluc = i;
  p.KoniecSekcie = i;
  return p;
}

std::string_view BezUvodzoviek(std::string_view v) {
  if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
    return v.substr(1, v.size() - 2);
  return v;
}

bool ZlomRiadku(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool PlatneMeno(std::string_view s, char zakazany) {
  return !s.empty() && !ZlomRiadku(s) && Orez(s) == s && s.front() != ';' && s.front() != '[' &&
         s.find(zakazany) == std::string_view::npos;
}

}  // namespace

std::optional<std::string> IniFindValue(std::string_view text, std::string_view section, std::string_view key) {
  const std::vector<TIniRiadok> riadky = Riadky(text);
  const TPoloha p = Najdi(riadky, section, key);
  if (!p.Kluc) return std::nullopt;
  return std::string(BezUvodzoviek(riadky[*p.Kluc].Hodnota));
}

std::string IniSetValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  if (!PlatneMeno(section, ']') || !PlatneMeno(key, '=') || ZlomRiadku(value))
    throw TIoError("Ungültiger INI-Eintrag: [" + std::string(section) + "] " + std::string(key));
  const std::vector<TIniRiadok> riadky = Riadky(text);
  std::string_view eol = "\r\n";
  if (!riadky.empty() && riadky[0].Dalsi > riadky[0].Koniec)
    eol = text.substr(riadky[0].Koniec, riadky[0].Dalsi - riadky[0].Koniec);

  const TPoloha p = Najdi(riadky, section, key);
  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
  if (p.Kluc) {
    const TIniRiadok& l = riadky[*p.Kluc];
    out.append(text.substr(0, l.Zaciatok));
    out.append(l.Meno).append("=").append(value);
    out.append(text.substr(l.Koniec));
    return out;
  }
  if (p.Sekcia) {
    // After the section's last key, or after its header when it has none.
    size_t po = *p.Sekcia;
    for (size_t i = *p.Sekcia + 1; i < p.KoniecSekcie; ++i)
      if (riadky[i].Druh == TRiadok::Kluc) po = i;
    // The new line ends as the line it follows: a lone CR of the file's first
    // line could join an LF that follows into one line end and lose a line.
    const TIniRiadok& l = riadky[po];
    out.append(text.substr(0, l.Dalsi));
    if (l.Dalsi == l.Koniec) {  // the file's last line had no line end
      out.append(eol).append(key).append("=").append(value);
    } else {
      out.append(key).append("=").append(value).append(text.substr(l.Koniec, l.Dalsi - l.Koniec));
    }
    out.append(text.substr(l.Dalsi));
    return out;
  }
  out.append(text);
  if (!riadky.empty() && riadky.back().Dalsi == riadky.back().Koniec) out.append(eol);
  out.append("[").append(section).append("]").append(eol);
  out.append(key).append("=").append(value).append(eol);
  return out;
}

TIniSubor::TIniSubor(std::string cesta) : cesta_(std::move(cesta)) {
  std::optional<std::vector<uint8_t>> data;
  try {
    data = ReadWholeFile(cesta_);
  } catch (const TIoError&) {
    data.reset();
  }
  if (!data) return;
  text_.assign(data->begin(), data->end());
  nacitany_ = true;
}

TIniSubor::~TIniSubor() = default;

bool TIniSubor::Utf8() const { return std::string_view(text_).starts_with(kUtf8Signatura); }

std::string TIniSubor::CitajBajty(std::string_view sekcia, std::string_view kluc, std::string_view predvolene) const {
  std::optional<std::string> v = IniFindValue(text_, sekcia, kluc);
  return v ? std::move(*v) : std::string(predvolene);
}

std::string TIniSubor::CitajText(std::string_view sekcia, std::string_view kluc, std::string_view predvolene) const {
  std::optional<std::string> v = IniFindValue(text_, sekcia, kluc);
  if (!v) return std::string(predvolene);
  return Utf8() ? std::move(*v) : Cp1252NaUtf8(*v);
}

void TIniSubor::ZapisBajty(std::string_view sekcia, std::string_view kluc, std::string_view bajty) {
  text_ = IniSetValue(text_, sekcia, kluc, bajty);
}

void TIniSubor::ZapisText(std::string_view sekcia, std::string_view kluc, std::string_view hodnota) {
  ZapisBajty(sekcia, kluc, Utf8() ? std::string(hodnota) : Utf8NaCp1252(hodnota));
}

void TIniSubor::Uloz() const {
  WriteFileSafely(cesta_, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text_.data()), text_.size()));
}

}  // namespace kvr
