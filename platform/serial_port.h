// A serial port as the machine link uses it: opened by name with fixed
// settings, written byte blocks, a notification when bytes have arrived, and
// reading, discarding and closing. The station implements it on Qt's serial
// port; tests use an in-memory port. The link never sees more than this.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace kvr {

struct TPortSettings {
  int32_t BaudRate = 115200;
  int DataBits = 8;
  bool Parity = false;  // none
  int StopBits = 1;
  bool Dtr = false;
  bool Rts = false;
  int32_t InBuffer = 40000;
  int32_t OutBuffer = 32768;
};

class ISerialPort {
 public:
  virtual ~ISerialPort() = default;

  // False when the port cannot be opened (ErrorText says why).
  virtual bool Open(const std::string& name, const TPortSettings& settings) = 0;
  virtual bool IsOpen() const = 0;
  // False when the bytes could not be handed to the port (ErrorText says why).
  virtual bool Write(std::span<const uint8_t> bytes) = 0;
  // Called, on the thread that owns the port, with the number of bytes waiting
  // whenever bytes have arrived; an empty function detaches it.
  virtual void SetBytesArrived(std::function<void(size_t waiting)> fn) = 0;
  // Reads up to into.size() waiting bytes; the number read.
  virtual size_t Read(std::span<uint8_t> into) = 0;
  // Drops what is waiting in the receive buffer.
  virtual void Discard() = 0;
  virtual void Close() = 0;
  virtual std::string ErrorText() const = 0;
};

}  // namespace kvr
