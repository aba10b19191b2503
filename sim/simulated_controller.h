// A simulated machine controller on a pseudo-terminal pair: it speaks the
// controller's side of the link as far as the PC's side fixes it. It answers
// the connect request with an identification (code 77), takes a program in
// acknowledged packets and keeps it, sends its program when asked, and can be
// told to send state, readings and error numbers, to drop or corrupt frames
// and to answer late or not at all. The PC opens DevicePath() at 115200 8N1.
//
// It serves from a thread of its own; every public member may be called from
// any thread.
#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/link_state.h"

namespace kvr {

class SimulatedController {
 public:
  struct Identification {
    uint16_t Version = 0x0203;
    uint8_t Model = 22;
    uint8_t Gear = 1;
    uint8_t Number = 1;
  };

  // Opens the pseudo-terminal pair; throws std::runtime_error when it cannot.
  SimulatedController();
  ~SimulatedController();
  SimulatedController(const SimulatedController&) = delete;
  SimulatedController& operator=(const SimulatedController&) = delete;

  // The terminal the PC opens.
  const std::string& DevicePath() const { return device_; }

  void Start();
  void Stop();

  void SetIdentification(const Identification& id);
  // The program the controller holds and sends when asked: the image of
  // header and step records, and its name.
  void SetProgram(std::vector<uint8_t> image, std::string name);
  // What the controller holds: the image kept from the last complete receive
  // (without trailer area and end marker) or set with SetProgram.
  std::vector<uint8_t> Program() const;
  // Everything the PC sent in the last complete transfer to the controller,
  // byte for byte.
  std::vector<uint8_t> LastReceivedImage() const;
  std::string ProgramName() const;
  // Payloads received from the PC, oldest first.
  std::vector<std::vector<uint8_t>> Received() const;
  // Blocks until pred() holds (checked under the lock) or the time is over.
  bool WaitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout);

  // Messages of the controller.
  void Send(std::vector<uint8_t> payload);
  void SendState(int32_t turnsX100, int32_t positionX100, bool left, uint16_t step, uint8_t state);
  void SendLayerAndGear(uint16_t layer, uint8_t gear);
  void SendMachineError(uint8_t number);
  void SendCanError(uint8_t number);
  void SendCanDriveError(uint16_t number);
  void SendEnterRequest();
  // Writes raw bytes, unframed.
  void SendRaw(std::vector<uint8_t> bytes);

  // Faults. The next n frames the controller sends are not sent / are sent
  // with a wrong check byte (the first frame whose code is `code`, or any
  // frame for code -1).
  void DropFrames(int n, int code = -1);
  void CorruptFrames(int n, int code = -1);
  // Every answer is sent this much later.
  void SetDelay(std::chrono::milliseconds delay);
  // No answers at all.
  void SetSilent(bool silent);
  // Frames are written in pieces of this many bytes, each on its own (1:
  // every byte boundary).
  void SetChunk(size_t bytes);

 private:
  void Serve();
  void Handle(const std::vector<uint8_t>& m);  // under the lock
  void Answer(std::vector<uint8_t> payload);   // under the lock
  void SendNextPacket();                       // under the lock
  void WriteAll(const std::vector<uint8_t>& bytes);
  bool Fault(int& count, int code, uint8_t actual);

  int master_ = -1;
  int slave_ = -1;  // kept open so the master never sees a hang-up
  std::string device_;
  std::thread thread_;
  std::atomic<bool> stop_{false};

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::mutex writeMutex_;
  Identification id_;
  std::vector<uint8_t> program_;
  std::string name_;
  std::string pendingName_;
  std::vector<uint8_t> incoming_;
  std::vector<uint8_t> lastReceived_;
  bool receiving_ = false;
  uint16_t expected_ = 0;
  bool sending_ = false;
  size_t sendPos_ = 0;
  uint16_t packet_ = 0;
  std::vector<std::vector<uint8_t>> received_;
  TPrijemStav frame_;
  int drop_ = 0, dropCode_ = -1, corrupt_ = 0, corruptCode_ = -1;
  std::chrono::milliseconds delay_{0};
  bool silent_ = false;
  size_t chunk_ = 0;
};

}  // namespace kvr
