// The platform of a headless station: the machine's platform for the fixed
// paths under a drive root, a station folder of its own (its desktop file is
// the run's), and nothing outside the station started or told anything.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/platform.h"

namespace kvr::tool {

class RunPlatform final : public IPlatform {
 public:
  RunPlatform(std::unique_ptr<IPlatform> drives, std::string startup)
      : drives_(std::move(drives)), startup_(std::move(startup)) {}
  std::string StartupFolder() const override { return startup_; }
  std::string MapSystemPath(std::string_view windowsPath) const override { return drives_->MapSystemPath(windowsPath); }
  std::string WindowsPathOf(std::string_view path) const override { return drives_->WindowsPathOf(path); }
  void StartOnScreenKeyboard() override {}
  void CloseOnScreenKeyboard() override {}
  void QuitStarter() override {}
  void PowerOff() override {}

 private:
  std::unique_ptr<IPlatform> drives_;
  std::string startup_;
};

}  // namespace kvr::tool
