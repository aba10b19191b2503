// The online senders the editing code calls after a stored change or a new
// step choice. They send only in online mode and while the link's port is
// open, through the link window; the station never starts the link, so it
// stays offline and nothing is sent.
#pragma once

namespace kvr {

struct TKontext;

// Sends step n's parameters to the machine (online mode only).
void Posli_KrokParam(const TKontext& k, int n);
// Asks the machine to make step n its current step (online mode only).
void Posli_Krok(const TKontext& k, int n);
// A step was inserted after step n (online mode only).
void Posli_INSERT(const TKontext& k, int n);
// Step n was removed (online mode only).
void Posli_DELETE(const TKontext& k, int n);
// The program changed as a whole; the machine answers when it has taken it
// (online mode only).
void SendProgramChanged(const TKontext& k);

}  // namespace kvr
