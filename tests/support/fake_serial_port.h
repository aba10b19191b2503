// An in-memory serial port: what the link writes is kept (and decoded into
// payloads), what the test delivers is handed over as the port would.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "link/framing.h"
#include "platform/serial_port.h"

namespace kvr::test {

class FakeSerialPort : public ISerialPort {
 public:
  bool Open(const std::string& name, const TPortSettings& s) override {
    openedName = name;
    settings = s;
    ++opens;
    open = !failOpen;
    return open;
  }
  bool IsOpen() const override { return open; }
  bool Write(std::span<const uint8_t> bytes) override {
    written.insert(written.end(), bytes.begin(), bytes.end());
    std::vector<uint8_t> m;
    for (uint8_t b : bytes)
      if (PrijmiBajt(decoder_, b, m) == TPrijatyBajt::Sprava) sent.push_back(m);
    return true;
  }
  void SetBytesArrived(std::function<void(size_t)> fn) override { arrived_ = std::move(fn); }
  size_t Read(std::span<uint8_t> into) override {
    size_t n = 0;
    while (n < into.size() && !incoming_.empty()) {
      into[n++] = incoming_.front();
      incoming_.pop_front();
    }
    return n;
  }
  void Discard() override {
    incoming_.clear();
    ++discards;
  }
  void Close() override { open = false; }
  std::string ErrorText() const override { return "fake port error"; }

  // Bytes arrive in one piece.
  void Deliver(const std::vector<uint8_t>& bytes) {
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
    if (arrived_) arrived_(incoming_.size());
  }
  // A framed message arrives.
  void DeliverFrame(const std::vector<uint8_t>& payload) { Deliver(Ramec(payload)); }
  bool Attached() const { return static_cast<bool>(arrived_); }

  // Payloads the link sent, oldest first, and every byte written.
  std::vector<std::vector<uint8_t>> sent;
  std::vector<uint8_t> written;
  std::string openedName;
  TPortSettings settings;
  bool open = false;
  bool failOpen = false;
  int opens = 0;
  int discards = 0;

 private:
  std::function<void(size_t)> arrived_;
  std::deque<uint8_t> incoming_;
  TPrijemStav decoder_;
};

}  // namespace kvr::test
