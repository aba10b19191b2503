// One headless station for a fuzz target: a drive root in a temporary folder
// of its own (created once per process), the POSIX platform, a UI that answers
// nothing, and a context. Reset() gives every input a fresh context and no
// warnings file, so an input found failing fails again on its own.
#pragma once
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/machine.h"
#include "platform/platform.h"
#include "form/headless_ui.h"
#include "model/context.h"

namespace kvr::fuzz {

class Station {
 public:
  Station() {
    std::string templ = (std::filesystem::temp_directory_path() / "kvr-fuzz-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) std::abort();
    root_ = templ;
    std::filesystem::create_directories(root_ / "C" / "DSQ" / "DSQ_disp");
    platform_ = CreatePosixPlatform(root_.string());
    Reset();
  }
  void Reset() {
    ui.Messages.clear();
    ui.Reports.clear();
    ui.All.clear();
    k = std::make_unique<TKontext>(ui, *platform_);
    std::error_code ec;
    std::filesystem::remove(root_ / "C" / "DSQ" / "DSQ_disp" / "Program.ini", ec);
  }
  // Model and gear from one configuration byte: all fifteen models (with and
  // without old-format tables, with and without gear changes), gears 1 to 3.
  void SetModel(uint8_t config) {
    k->Stroj.Model = std::string(kModely[config % kPocetModelov].Nazov);
    k->Stroj.Prevod = 1 + (config / kPocetModelov) % 3;
    NastavModel(*k);
    ui.All.clear();
  }
  ~Station() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  // A file in the temporary folder holding exactly these bytes.
  std::string Write(const std::string& name, std::span<const uint8_t> bytes) const {
    const std::filesystem::path p = root_ / name;
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) std::abort();
    return p.string();
  }
  std::vector<uint8_t> Read(const std::string& path) const {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::string Path(const std::string& name) const { return (root_ / name).string(); }

  HeadlessUi ui;
  std::unique_ptr<TKontext> k;

 private:
  std::filesystem::path root_;
  std::unique_ptr<IPlatform> platform_;
};

// Stops the run with the message; libFuzzer then keeps the input as a crash.
[[noreturn]] inline void Fail(const std::string& why) {
  std::fprintf(stderr, "invariant broken: %s\n", why.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace kvr::fuzz
