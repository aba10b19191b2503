#include "link/online_senders.h"

#include <array>
#include <cstdint>

#include "model/context.h"
#include "model/step_records.h"
#include "platform/serial_port.h"

namespace kvr {

namespace {

// Online with a link whose port is open. An edit made while the port is not
// open stays on the PC: the senders are called after every stored change, and
// an error box for each would stop the editing without helping the operator,
// who sees the link's state and sends the program again.
bool Online(const TKontext& k) {
  return k.Program.Online != 0 && k.Link.Odosli && k.Link.Port != nullptr && k.Link.Port->IsOpen();
}

void Posli(const TKontext& k, std::initializer_list<uint8_t> m) {
  k.Link.Odosli(std::span<const uint8_t>(m.begin(), m.size()));
}

uint8_t Lo(int n) { return static_cast<uint8_t>(n & 0xFF); }
uint8_t Hi(int n) { return static_cast<uint8_t>((n >> 8) & 0xFF); }

}  // namespace

void Posli_Krok(const TKontext& k, int n) {
  if (!Online(k)) return;
  Posli(k, {97, Lo(n), Hi(n), 0});
}

void Posli_KrokParam(const TKontext& k, int n) {
  if (!Online(k)) return;
  Posli_Krok(k, n);
  if (n < 1 || n > kMaxKrokov) return;
  std::array<uint8_t, 77> m{};
  m[0] = 35;
  m[1] = Lo(n);
  m[2] = Hi(n);
  const uint8_t prevod = PrevodKroku(k.Stroj, k.Program.Kroky, n);
  KrokDoTBuf(k.Stroj, prevod, prevod, k.Program.Kroky[n], m, 5);
  m[73] = prevod;
  k.Link.Odosli(m);
}

void Posli_INSERT(const TKontext& k, int n) {
  if (!Online(k)) return;
  Posli(k, {101, Lo(n), Hi(n)});
}

void Posli_DELETE(const TKontext& k, int n) {
  if (!Online(k)) return;
  Posli(k, {102, Lo(n), Hi(n)});
}

void SendProgramChanged(const TKontext& k) {
  if (!Online(k)) return;
  Posli(k, {94, 0});
}

}  // namespace kvr
