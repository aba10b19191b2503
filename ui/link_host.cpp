#include "ui/link_host.h"

#include "model/context.h"
#include "ui/main_window.h"
#include "view/captions.h"

namespace kvr {

namespace {

constexpr TColor clMagenta = 0xFF00FF;
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

void StationLinkHost::ZobrazStav(uint8_t c) {
  TKontext& k = prog_.Kontext();
  MachineStatePanel& m = prog_.machineState;
  if (k.Program.Online == 0) {
    m.pStav.Color = clBtnFace;
    m.pStav.Caption = StateCaption(k.Stroj.Model);
    m.pAbortStep.Color = clBtnFace;
    m.pAbortStep.Caption = "";
    return;
  }
  m.pStav.Color = StavColor(c);
  const bool stop = m.pStav.Color == 0xFF00FF;
  m.pAbortStep.Color = stop ? m.pStav.Color : clBtnFace;
  m.pAbortStep.Caption = stop ? "Abbruch" : "";
  const int a = k.Program.AktKrok;
  const uint8_t druh = a >= 1 && a <= kMaxKrokov ? DruhKroku(k.Program.Kroky[a]) : 0;
  if (auto t = StavCaption(c, k.Link.KrokStop, druh)) m.pStav.Caption = *t;
}

void StationLinkHost::ShowStepButton(const std::string& text) { prog_.stepPanel.BKrok.Caption = text; }

void StationLinkHost::FollowStep(int krok, bool navija) {
  if (navija)
    prog_.NastavVertPos(krok);
  else
    prog_.drawing.SpustiTimerPaint();
}

void StationLinkHost::ConfirmEnter() {
  fENTER.OnConfirmed = [this] { SetOnLine(); };
  prog_.Kontext().Ui->ShowModal(fENTER);
}

void StationLinkHost::ShowWarning(const std::string& text) { prog_.fWarnings.Zobraz(text); }

void StationLinkHost::CloseWarnings() { prog_.fWarnings.Zavri(); }

void StationLinkHost::NewProgram() { prog_.fileMenu.mnSuborNovyClick(); }

void StationLinkHost::SetOnLine() {
  TKontext& k = prog_.Kontext();
  k.Program.Online = 1;
  prog_.RepaintLater();
  ZobrazStav(static_cast<uint8_t>(k.Kresba.StavStroja));
}

void StationLinkHost::RepaintDrawing() { prog_.RepaintLater(); }

}  // namespace kvr
