#include "qt/qt_serial_port.h"

namespace kvr {

QtSerialPort::QtSerialPort() : port_(std::make_unique<QSerialPort>()) {
  QObject::connect(port_.get(), &QSerialPort::readyRead, [this] {
    // A handler may detach itself while it runs.
    if (arrived_) {
      const auto f = arrived_;
      f(static_cast<size_t>(port_->bytesAvailable()));
    }
  });
}

QtSerialPort::~QtSerialPort() {
  arrived_ = nullptr;
  if (port_->isOpen()) port_->close();
}

bool QtSerialPort::Open(const std::string& name, const TPortSettings& s) {
  if (port_->isOpen()) port_->close();
  port_->setPortName(QString::fromStdString(name));
  port_->setBaudRate(s.BaudRate);
  port_->setDataBits(static_cast<QSerialPort::DataBits>(s.DataBits));
  port_->setParity(s.Parity ? QSerialPort::EvenParity : QSerialPort::NoParity);
  port_->setStopBits(s.StopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  port_->setFlowControl(QSerialPort::NoFlowControl);
  port_->setReadBufferSize(s.InBuffer);
  if (!port_->open(QIODevice::ReadWrite)) {
    error_ = name + ": " + port_->errorString().toStdString();
    return false;
  }
  // A pseudo-terminal has no modem lines; their setting fails there harmlessly.
  port_->setDataTerminalReady(s.Dtr);
  port_->setRequestToSend(s.Rts);
  port_->clearError();
  error_.clear();
  return true;
}

bool QtSerialPort::IsOpen() const { return port_->isOpen(); }

bool QtSerialPort::Write(std::span<const uint8_t> bytes) {
  const qint64 n = port_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  if (n != static_cast<qint64>(bytes.size())) {
    error_ = port_->portName().toStdString() + ": " + port_->errorString().toStdString();
    return false;
  }
  return true;
}

void QtSerialPort::SetBytesArrived(std::function<void(size_t)> fn) { arrived_ = std::move(fn); }

size_t QtSerialPort::Read(std::span<uint8_t> into) {
  if (!port_->isOpen() || into.empty()) return 0;
  const qint64 n = port_->read(reinterpret_cast<char*>(into.data()), static_cast<qint64>(into.size()));
  return n > 0 ? static_cast<size_t>(n) : 0;
}

void QtSerialPort::Discard() {
  if (port_->isOpen()) port_->clear(QSerialPort::Input);
}

void QtSerialPort::Close() {
  if (port_->isOpen()) port_->close();
}

std::string QtSerialPort::ErrorText() const { return error_; }

}  // namespace kvr
