#include "ui/link_host.h"

#include "model/context.h"
#include "ui/main_window.h"
#include "view/captions.h"

namespace kvr {

namespace {

constexpr TColor clTeal = 0x008080;

bool Pohyb(uint8_t c) { return c == '1' || c == '3' || c == '4' || c == '7' || c == '<' || c == 'A'; }

}  // namespace

TColor StavColor(uint8_t c) {
  if (Pohyb(c)) return clLime;
  if (c == '2' || c == '5' || c == '6' || c == '=' || c == 'B') return clMagenta;
  if (c == ':') return clTeal;
  if (c == '>' || c == 'N' || c == 239) return clRed;
  return clBtnFace;
}

std::optional<std::string> StavCaption(uint8_t c, int n, uint8_t druh) {
  const std::string stop = "[" + std::to_string(n) + "]";
  switch (c) {
    case '0':
      switch (druh) {
        case 1: return "WICKELN ";
        case 2: return "VERSCHIEBUNG";
        case 3: return "SPRUNG";
        case 4: return "PAUSE";
        case 5: return "GETRIEBEWECHSEL";
        default: return std::nullopt;
      }
    case '1': return "WICKELN START";
    case '2': return "WICKELN STOP " + stop;
    case '3': return "WICKELN PEDAL";
    case '4': return "VERSCHIEBUNG START";
    case '5': return "VERSCHIEBUNG STOP " + stop;
    case '6': return "SPRUNG STOP " + stop;
    case '7': return "SPRUNG START";
    case '8': return "RÜCKABWICKELN";
    case '9': return std::nullopt;
    case ':': return "MANUAL";
    case '<': return "PAUSE START";
    case '=': return "PAUSE STOP " + stop;
    case '>': return "ERROR";
    case '?': return "NETZ AUS ";
    case 'A': return "LAGE START";
    case 'B': return "LAGE STOP " + stop;
    case 'C':
    case 'D':
    case 'E': return "KOMMUNIKATION";
    case 'F': return "GETRIEBEWECHSEL";
    default: return "";
  }
}

void StationLinkHost::ShowReadings(const std::string& zavity, const std::string& poloha, const std::string& smer) {
  prog_.machineState.pPocetZavitov.Caption = zavity;
  prog_.machineState.pPolohaNav.Caption = poloha;
  prog_.machineState.pSmerPosuvu.Caption = smer;
}

void StationLinkHost::ShowLayer(const std::string& text) { prog_.machineState.pVrstvaNav.Caption = text; }

void StationLinkHost::ShowGear(const std::string& text) { prog_.machineState.pPrevodNav.Caption = text; }

void StationLinkHost::CloseWaitWindow() { prog_.fWait.Skonci(); }

void StationLinkHost::ZobrazStav(uint8_t c) { prog_.ZobrazStav(c); }

void StationLinkHost::ShowStepButton(const std::string& text) { prog_.stepPanel.BKrok.Caption = text; }

void StationLinkHost::FollowStep(int krok, bool navija) {
  if (navija)
    prog_.NastavVertPos(krok);
  else
    prog_.drawing.SpustiTimerPaint();
}

void StationLinkHost::ConfirmEnter() { prog_.Kontext().Ui->ShowModal(prog_.fENTER); }

void StationLinkHost::ShowWarning(const std::string& text) { prog_.fWarnings.Zobraz(text); }

void StationLinkHost::CloseWarnings() { prog_.fWarnings.Zavri(); }

void StationLinkHost::NewProgram() { prog_.fileMenu.mnSuborNovyClick(); }

void StationLinkHost::SetOnLine() { prog_.SetOnLine(); }

void StationLinkHost::RepaintDrawing() { prog_.RepaintLater(); }

}  // namespace kvr
