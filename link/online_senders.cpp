#include "link/online_senders.h"

#include <array>
#include <cstdint>
#include <string>

#include "form/ui_services.h"
#include "link/link_window.h"
#include "model/context.h"
#include "model/step_records.h"
#include "platform/serial_port.h"

namespace kvr {

namespace {

// An edit made online while the link cannot carry it stays on the PC, and the
// operator learns once per loss of the link that the machine no longer
// mirrors the program (a box after every stored change would stop the
// editing). Reopening the port or entering online mode again re-arms it.
void Posli(TKontext& k, std::span<const uint8_t> m) {
  TLinkStav& l = k.Link;
  bool odoslane = false;
  if (l.Odosli && l.Port != nullptr && l.Port->IsOpen()) {
    try {
      l.Odosli(m);
      odoslane = true;
    } catch (const TChybaPortu&) {
      odoslane = false;
    }
  }
  if (odoslane || l.StrataHlasena) return;
  l.StrataHlasena = true;
  k.Ui->Error(std::string(kZmenaLenVPC));
}

void Posli(TKontext& k, std::initializer_list<uint8_t> m) { Posli(k, std::span<const uint8_t>(m.begin(), m.size())); }

uint8_t Lo(int n) { return static_cast<uint8_t>(n & 0xFF); }
uint8_t Hi(int n) { return static_cast<uint8_t>((n >> 8) & 0xFF); }

}  // namespace

void Posli_Krok(TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  Posli(k, {97, Lo(n), Hi(n), 0});
}

void Posli_KrokParam(TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  Posli_Krok(k, n);
  if (n < 1 || n > kMaxKrokov) return;
  std::array<uint8_t, 77> m{};
  m[0] = 35;
  m[1] = Lo(n);
  m[2] = Hi(n);
  const uint8_t prevod = PrevodKroku(k.Stroj, k.Program.Kroky, n);
  KrokDoTBuf(k.Stroj, prevod, prevod, k.Program.Kroky[n], m, 5);
  m[73] = prevod;
  Posli(k, m);
}

void Posli_INSERT(TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  Posli(k, {101, Lo(n), Hi(n)});
}

void Posli_DELETE(TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  Posli(k, {102, Lo(n), Hi(n)});
}

void SendProgramChanged(TKontext& k) {
  if (k.Program.Online == 0) return;
  Posli(k, {94, 0});
}

}  // namespace kvr
