#include "link/framing.h"

namespace kvr {

void Posli_Znak(std::vector<uint8_t>& out, uint8_t znak, uint8_t& kontrola) {
  out.push_back(znak);
  kontrola = static_cast<uint8_t>(kontrola ^ znak);
  if (znak == kDLE) out.push_back(znak);
}

std::vector<uint8_t> Ramec(std::span<const uint8_t> payload) {
  std::vector<uint8_t> out;
  out.reserve(payload.size() + 8);
  out.push_back(kDLE);
  out.push_back(kEOT);
  uint8_t kontrola = 0;
  for (uint8_t b : payload) Posli_Znak(out, b, kontrola);
  uint8_t ignorovany = 0;
  Posli_Znak(out, kontrola, ignorovany);
  out.push_back(kDLE);
  out.push_back(kETX);
  return out;
}

namespace {

void ZacniRamec(TPrijemStav& s) {
  s.VRamci = true;
  s.Xor = 0;
  s.L = 0;
  s.Pretecenie = false;
}

void Uloz(TPrijemStav& s, uint8_t b) {
  if (s.Pretecenie) return;
  if (s.L >= s.Buf.size()) {
    s.Pretecenie = true;
    return;
  }
  s.Buf[s.L++] = b;
  s.Xor = static_cast<uint8_t>(s.Xor ^ b);
}

}  // namespace

TPrijatyBajt PrijmiBajt(TPrijemStav& s, uint8_t b, std::vector<uint8_t>& sprava) {
  if (!s.VRamci) {
    if (!s.Dle) {
      if (b == kDLE) s.Dle = true;
    } else {
      s.Dle = false;
      if (b == kEOT) ZacniRamec(s);
    }
    return TPrijatyBajt::Nic;
  }
  if (!s.Dle) {
    if (b == kDLE)
      s.Dle = true;
    else
      Uloz(s, b);
    return TPrijatyBajt::Nic;
  }
  s.Dle = false;
  if (b == kEOT) {
    ZacniRamec(s);
    return TPrijatyBajt::Nic;
  }
  if (b != kETX) {
    Uloz(s, b);
    return TPrijatyBajt::Nic;
  }
  s.VRamci = false;
  // The check byte is stored and folded like the data: a sound frame leaves 0.
  if (s.Pretecenie || (s.L > 0 && s.L - 1 > kMaxPayload)) return TPrijatyBajt::PrilisDlha;
  if (s.Xor != 0) return TPrijatyBajt::ZlaKontrola;
  if (s.L < 2) return TPrijatyBajt::Prazdna;
  sprava.assign(s.Buf.begin(), s.Buf.begin() + static_cast<std::ptrdiff_t>(s.L - 1));
  return TPrijatyBajt::Sprava;
}

}  // namespace kvr
