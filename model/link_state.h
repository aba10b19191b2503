// The machine link's state: port settings, the transfer in progress, the
// receive state machine and the queue of received messages. One instance in
// the context; the operations live in link/.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kvr {

class ISerialPort;

constexpr size_t kPrijemBufSize = 16384;  // receive buffer of the framing
constexpr size_t kMaxPayload = 1050;      // largest message a queue block holds
constexpr size_t kMaxTrace = 50000;       // entries of the trace and of the log

// Receive state machine of the framing.
struct TPrijemStav {
  bool VRamci = false;  // inside a frame
  bool Dle = false;     // the last byte was a DLE
  uint8_t Xor = 0;
  std::array<uint8_t, kPrijemBufSize> Buf{};
  size_t L = 0;  // bytes stored (payload and check byte)
  bool Pretecenie = false;  // the frame outgrew the buffer; dropped at its end
};

enum : uint8_t { kBezPrenosu = 0, kPrenosPcNav = 8, kPrenosNavPc = 9 };

struct TLinkStav {
  ISerialPort* Port = nullptr;  // set by whoever runs the station or the tool
  // Sends one message through the link window (set while it exists).
  std::function<void(std::span<const uint8_t>)> Odosli;
  std::string MenoPortu;        // device name; empty: derived from CisloCOM
  uint8_t CisloCOM = 0;

  uint8_t StavPrenosu = kBezPrenosu;
  uint16_t CisloPaketu = 0;
  uint8_t CisloBloku = 0;
  uint16_t DlzkaObrazu = 0;
  int32_t KrokStop = 0;
  bool CakaEnter = false;
  // Online edits did not reach the machine and the operator has been told;
  // cleared when the port opens and when online mode is entered.
  bool StrataHlasena = false;
  uint8_t PrevodStroja = 0;  // the machine's gear from code 33

  // Send: next image byte and image length; receive: next position.
  size_t PoziciaOdoslania = 0;
  size_t DlzkaOdoslania = 0;
  size_t PoziciaPrijmu = 0;

  TPrijemStav Prijem;
  std::deque<std::vector<uint8_t>> FrontaSprav;  // payloads, oldest first
  bool NotifikaciaCaka = false;                  // a dispatcher run is posted

  // Kept by the dispatcher until shown.
  uint8_t ChybaStroja = 0;
  uint8_t ChybaCan = 0;
  uint16_t ChybaCanPohonu = 0;

  // Trace (bytes in hexadecimal) and log of a transfer.
  bool Zaznam = false;
  std::vector<std::string> Trace;
  std::vector<std::string> Log;
  bool ZapisujZaznamy = true;   // write "<port>.trc" and "<port>.log" when the port closes
  std::string AdresarZaznamu;   // their folder; empty: the current folder

  // Time-outs (milliseconds) and their timers (0: not running).
  int32_t CasSpojenia = 5000;  // the identification after a connect request
  int32_t CasSpravy = 3000;    // the next message of a running transfer
  int32_t CasConnect = 8000;   // TimerConnect of the link window's own buttons
  int TimerSpojenia = 0;
  int TimerSpravy = 0;
  int TimerConnect = 0;

  // Packets of the running transfer, for progress displays.
  size_t PocetPaketov = 0;
};

}  // namespace kvr
