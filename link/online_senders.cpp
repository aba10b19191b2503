#include "link/online_senders.h"

#include "model/context.h"

namespace kvr {

void Posli_KrokParam(const TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  // No link to send through yet.
  (void)n;
}

void Posli_Krok(const TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  (void)n;
}

void Posli_INSERT(const TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  (void)n;
}

void Posli_DELETE(const TKontext& k, int n) {
  if (k.Program.Online == 0) return;
  (void)n;
}

void SendProgramChanged(const TKontext& k) {
  if (k.Program.Online == 0) return;
}

}  // namespace kvr
