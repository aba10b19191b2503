// A platform that records what was asked of it and never touches the machine.
#pragma once
#include <string>

#include "platform/platform.h"

namespace kvr::test {

class FakePlatform : public IPlatform {
 public:
  // Fixed paths map under root ("<root>/<drive>/<rest>").
  explicit FakePlatform(std::string root = "/nonexistent-kvr-drives", std::string startup = "/nonexistent-kvr-start")
      : root_(std::move(root)), startup_(std::move(startup)) {}

  std::string StartupFolder() const override { return startup_; }
  std::string MapSystemPath(std::string_view windowsPath) const override {
    return MapWindowsPathUnder(root_, windowsPath);
  }
  std::string WindowsPathOf(std::string_view path) const override { return WindowsPathFromUnder(root_, path); }
  void StartOnScreenKeyboard() override { ++keyboardStarts; }
  void CloseOnScreenKeyboard() override { ++keyboardCloses; }
  void QuitStarter() override { ++starterQuits; }
  void PowerOff() override { ++powerOffs; }

  int keyboardStarts = 0;
  int keyboardCloses = 0;
  int starterQuits = 0;
  int powerOffs = 0;

 private:
  std::string root_;
  std::string startup_;
};

}  // namespace kvr::test
