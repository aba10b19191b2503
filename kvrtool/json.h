// A small JSON writer for kvrtool's machine-readable output.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvr::tool {

class TJson {
 public:
  TJson& ZaciatokObjektu() {
    PredHodnotou();
    out_ += '{';
    prvy_.push_back(true);
    return *this;
  }
  TJson& KoniecObjektu() {
    out_ += '}';
    prvy_.pop_back();
    return *this;
  }
  TJson& ZaciatokPola() {
    PredHodnotou();
    out_ += '[';
    prvy_.push_back(true);
    return *this;
  }
  TJson& KoniecPola() {
    out_ += ']';
    prvy_.pop_back();
    return *this;
  }
  TJson& Kluc(std::string_view k) {
    Text(k);
    out_ += ':';
    poKluci_ = true;
    return *this;
  }
  TJson& Text(std::string_view s);
  TJson& Cislo(int64_t n) {
    PredHodnotou();
    out_ += std::to_string(n);
    return *this;
  }
  TJson& Realne(long double x);
  TJson& Logicka(bool b) {
    PredHodnotou();
    out_ += b ? "true" : "false";
    return *this;
  }

  const std::string& Vysledok() const { return out_; }

 private:
  void PredHodnotou() {
    if (poKluci_) {
      poKluci_ = false;
      return;
    }
    if (!prvy_.empty()) {
      if (!prvy_.back()) out_ += ',';
      prvy_.back() = false;
    }
  }
  std::string out_;
  std::vector<bool> prvy_;  // per open container: nothing written into it yet
  bool poKluci_ = false;
};

// The shortest text that reads back as the same double.
std::string FormatujRealne(long double x);
// Lowercase hex of n bytes.
std::string Hex(const uint8_t* p, size_t n);

}  // namespace kvr::tool
