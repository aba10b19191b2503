// The link's serial port on Qt's serial port: 115200 8N1, DTR and RTS off.
#pragma once
#include <QSerialPort>
#include <memory>

#include "platform/serial_port.h"

namespace kvr {

class QtSerialPort : public ISerialPort {
 public:
  QtSerialPort();
  ~QtSerialPort() override;
  QtSerialPort(const QtSerialPort&) = delete;
  QtSerialPort& operator=(const QtSerialPort&) = delete;

  bool Open(const std::string& name, const TPortSettings& settings) override;
  bool IsOpen() const override;
  bool Write(std::span<const uint8_t> bytes) override;
  void SetBytesArrived(std::function<void(size_t waiting)> fn) override;
  size_t Read(std::span<uint8_t> into) override;
  void Discard() override;
  void Close() override;
  std::string ErrorText() const override;

 private:
  std::unique_ptr<QSerialPort> port_;
  std::function<void(size_t)> arrived_;
  std::string error_;
};

}  // namespace kvr
