#include "model/ini.h"

#include <string>
#include <vector>

#include "model/io.h"
#include "model/codepage.h"
#include "model/program_files.h"

// Single-byte text only: values pass through as bytes and are decoded here.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace kvr {

struct TIniSubor::Impl {
  CSimpleIniA ini{false, true, false};  // not UTF-8, duplicate keys kept (the first counts), no multi-line values
};

TIniSubor::TIniSubor(std::string cesta) : cesta_(std::move(cesta)), impl_(std::make_unique<Impl>()) {
  impl_->ini.SetQuotes(true);
  impl_->ini.SetSpaces(false);
  std::optional<std::vector<uint8_t>> data;
  try {
    data = CitajCelySubor(cesta_);
  } catch (const TIoError&) {
    data.reset();
  }
  if (!data) return;
  if (impl_->ini.LoadData(reinterpret_cast<const char*>(data->data()), data->size()) < 0) {
    impl_->ini.Reset();
    return;
  }
  nacitany_ = true;
}

TIniSubor::~TIniSubor() = default;

std::string TIniSubor::CitajBajty(std::string_view sekcia, std::string_view kluc, std::string_view predvolene) const {
  const std::string s(sekcia);
  const std::string kl(kluc);
  const char* v = impl_->ini.GetValue(s.c_str(), kl.c_str(), nullptr);
  return v != nullptr ? std::string(v) : std::string(predvolene);
}

std::string TIniSubor::CitajText(std::string_view sekcia, std::string_view kluc, std::string_view predvolene) const {
  const std::string s(sekcia);
  const std::string kl(kluc);
  const char* v = impl_->ini.GetValue(s.c_str(), kl.c_str(), nullptr);
  if (v == nullptr) return std::string(predvolene);
  return impl_->ini.IsUnicode() ? std::string(v) : Cp1252NaUtf8(v);
}

void TIniSubor::ZapisBajty(std::string_view sekcia, std::string_view kluc, std::string_view bajty) {
  const std::string s(sekcia);
  const std::string kl(kluc);
  const std::string v(bajty);
  // Replaces the first of duplicate keys, the one that is read.
  impl_->ini.SetValue(s.c_str(), kl.c_str(), v.c_str(), nullptr, true);
}

void TIniSubor::ZapisText(std::string_view sekcia, std::string_view kluc, std::string_view hodnota) {
  ZapisBajty(sekcia, kluc, impl_->ini.IsUnicode() ? std::string(hodnota) : Utf8NaCp1252(hodnota));
}

void TIniSubor::Uloz() const {
  std::string out;
  if (impl_->ini.Save(out, impl_->ini.IsUnicode()) < 0) throw TIoError("INI-Datei kann nicht erstellt werden: \"" + cesta_ + "\"");
  ZapisSuborBezpecne(cesta_, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(out.data()), out.size()));
}

}  // namespace kvr
