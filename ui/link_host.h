// What the link's dispatcher shows in the station's other windows: the main
// window's machine readings and state panel, the wait, warnings and ENTER
// windows, the step button and the drawing.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "link/link_window.h"

namespace kvr {

class TProg;

// The state panel's caption for machine state c (stopped at step krokStop),
// or nothing where the caption stays as it was.
std::optional<std::string> StavCaption(uint8_t c, int krokStop, uint8_t druhAktKroku);
TColor StavColor(uint8_t c);
inline constexpr TColor clMagenta = 0xFF00FF;

class StationLinkHost : public ILinkHost {
 public:
  explicit StationLinkHost(TProg& prog) : prog_(prog) {}

  void ShowReadings(const std::string& zavity, const std::string& poloha, const std::string& smer) override;
  void ShowLayer(const std::string& text) override;
  void ShowGear(const std::string& text) override;
  void CloseWaitWindow() override;
  void ZobrazStav(uint8_t stav) override;
  void ShowStepButton(const std::string& text) override;
  void FollowStep(int krok, bool navija) override;
  void ConfirmEnter() override;
  void ShowWarning(const std::string& text) override;
  void CloseWarnings() override;
  void NewProgram() override;
  void SetOnLine() override;
  void RepaintDrawing() override;


 private:
  TProg& prog_;
};

}  // namespace kvr
