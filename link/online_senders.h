// The online senders the editing code calls after a stored change or a new
// step choice. They send only in online mode, through the link window; the
// station never starts the link, so it stays offline and nothing is sent.
#pragma once
#include <string_view>

namespace kvr {

struct TKontext;

// Told once per loss of the link when an online edit cannot reach the machine.
inline constexpr std::string_view kZmenaLenVPC = " Keine Verbindung zur Maschine: Änderungen nur in TORVENA ! ";

// Sends step n's parameters to the machine (online mode only).
void Posli_KrokParam(TKontext& k, int n);
// Asks the machine to make step n its current step (online mode only).
void Posli_Krok(TKontext& k, int n);
// A step was inserted after step n (online mode only).
void Posli_INSERT(TKontext& k, int n);
// Step n was removed (online mode only).
void Posli_DELETE(TKontext& k, int n);
// The program changed as a whole; the machine answers when it has taken it
// (online mode only).
void SendProgramChanged(TKontext& k);

}  // namespace kvr
