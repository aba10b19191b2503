#include "sim/simulated_controller.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "link/framing.h"

namespace kvr {

namespace {

constexpr size_t kPacket = 128;
constexpr size_t kTrailerAndMarker = 1198 + 4;

uint8_t Byte(const std::vector<uint8_t>& m, size_t i) { return i < m.size() ? m[i] : uint8_t{0}; }

// The program part of an image the PC sent: without the trailer area and
// the end marker when it carries them.
std::vector<uint8_t> ProgramPart(const std::vector<uint8_t>& image) {
  if (image.size() < kTrailerAndMarker) return image;
  const size_t n = image.size();
  const uint8_t* z = &image[n - 4];
  if (z[1] != 'C' || z[2] != 'N') return image;
  // The link window's own send ends its trailer area one byte early.
  const size_t tail = z[0] == 'T' ? kTrailerAndMarker : z[0] == 'U' ? kTrailerAndMarker - 1 : 0;
  if (tail == 0) return image;
  return {image.begin(), image.end() - static_cast<std::ptrdiff_t>(tail)};
}

}  // namespace

SimulatedController::SimulatedController() {
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
    throw std::runtime_error(std::string("no pseudo-terminal: ") + std::strerror(errno));
  device_ = name;
  termios t{};
  tcgetattr(slave_, &t);
  cfmakeraw(&t);
  cfsetispeed(&t, B115200);
  cfsetospeed(&t, B115200);
  tcsetattr(slave_, TCSANOW, &t);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

SimulatedController::~SimulatedController() {
  Stop();
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
}

void SimulatedController::Start() {
  if (thread_.joinable()) return;
  stop_ = false;
  thread_ = std::thread([this] { Serve(); });
}

void SimulatedController::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void SimulatedController::SetIdentification(const Identification& id) {
  std::lock_guard<std::mutex> lock(mutex_);
  id_ = id;
}

void SimulatedController::SetProgram(std::vector<uint8_t> image, std::string name) {
  std::lock_guard<std::mutex> lock(mutex_);
  program_ = std::move(image);
  name_ = std::move(name);
}

std::vector<uint8_t> SimulatedController::Program() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return program_;
}

std::vector<uint8_t> SimulatedController::LastReceivedImage() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastReceived_;
}

std::string SimulatedController::ProgramName() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return name_;
}

std::vector<std::vector<uint8_t>> SimulatedController::Received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

bool SimulatedController::WaitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout, pred);
}

void SimulatedController::Send(std::vector<uint8_t> payload) {
  std::lock_guard<std::mutex> lock(mutex_);
  Answer(std::move(payload));
}

void SimulatedController::SendState(int32_t turns, int32_t position, bool left, uint16_t step, uint8_t state) {
  std::vector<uint8_t> m(16, 0);
  m[0] = 32;
  for (int i = 0; i < 4; ++i) m[1 + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(turns) >> (8 * i));
  for (int i = 0; i < 3; ++i) m[9 + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(position) >> (8 * i));
  m[12] = left ? 0x80 : 0;
  m[13] = static_cast<uint8_t>(step & 0xFF);
  m[14] = static_cast<uint8_t>(step >> 8);
  m[15] = state;
  Send(std::move(m));
}

void SimulatedController::SendLayerAndGear(uint16_t layer, uint8_t gear) {
  Send({33, 0, 0, 0, gear, 0, 0, static_cast<uint8_t>(layer & 0xFF), static_cast<uint8_t>(layer >> 8)});
}

void SimulatedController::SendMachineError(uint8_t n) { Send({177, n}); }
void SimulatedController::SendCanError(uint8_t n) { Send({188, n}); }
void SimulatedController::SendCanDriveError(uint16_t n) {
  Send({189, 0, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n & 0xFF)});
}
void SimulatedController::SendEnterRequest() { Send({0}); }

void SimulatedController::SendRaw(std::vector<uint8_t> bytes) { WriteAll(bytes); }

void SimulatedController::DropFrames(int n, int code) {
  std::lock_guard<std::mutex> lock(mutex_);
  drop_ = n;
  dropCode_ = code;
}

void SimulatedController::CorruptFrames(int n, int code) {
  std::lock_guard<std::mutex> lock(mutex_);
  corrupt_ = n;
  corruptCode_ = code;
}

void SimulatedController::SetDelay(std::chrono::milliseconds delay) {
  std::lock_guard<std::mutex> lock(mutex_);
  delay_ = delay;
}

void SimulatedController::SetSilent(bool silent) {
  std::lock_guard<std::mutex> lock(mutex_);
  silent_ = silent;
}

void SimulatedController::SetChunk(size_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  chunk_ = bytes;
}

bool SimulatedController::Fault(int& count, int code, uint8_t actual) {
  if (count <= 0 || (code >= 0 && code != actual)) return false;
  --count;
  return true;
}

void SimulatedController::Answer(std::vector<uint8_t> payload) {
  if (silent_ || payload.empty()) return;
  if (Fault(drop_, dropCode_, payload[0])) return;
  std::vector<uint8_t> frame = Ramec(payload);
  if (Fault(corrupt_, corruptCode_, payload[0])) {
    // The check byte sits before DLE ETX (doubled when it is a DLE); a
    // changed last payload byte makes the XOR wrong as well.
    const size_t pos = frame.size() - 3;
    frame[pos] = static_cast<uint8_t>(frame[pos] ^ 0x01);
    if (frame[pos] == kDLE || frame[pos] == (kDLE ^ 0x01)) frame[pos] = static_cast<uint8_t>(frame[pos] ^ 0x02);
  }
  if (delay_.count() > 0) std::this_thread::sleep_for(delay_);
  if (chunk_ == 0) {
    WriteAll(frame);
    return;
  }
  for (size_t i = 0; i < frame.size(); i += chunk_) {
    WriteAll({frame.begin() + static_cast<std::ptrdiff_t>(i),
              frame.begin() + static_cast<std::ptrdiff_t>(std::min(frame.size(), i + chunk_))});
    // Give the reader a chance to see each piece on its own.
    std::this_thread::sleep_for(std::chrono::microseconds(300));
  }
}

void SimulatedController::WriteAll(const std::vector<uint8_t>& bytes) {
  std::lock_guard<std::mutex> lock(writeMutex_);
  size_t done = 0;
  while (done < bytes.size() && !stop_) {
    const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      return;
    } else {
      pollfd p{master_, POLLOUT, 0};
      poll(&p, 1, 20);
    }
  }
}

void SimulatedController::SendNextPacket() {
  const size_t n = std::min(kPacket, program_.size() - sendPos_);
  ++packet_;
  std::vector<uint8_t> m{129, static_cast<uint8_t>(packet_ >> 8), static_cast<uint8_t>(packet_ & 0xFF)};
  m.insert(m.end(), program_.begin() + static_cast<std::ptrdiff_t>(sendPos_),
           program_.begin() + static_cast<std::ptrdiff_t>(sendPos_ + n));
  sendPos_ += n;
  Answer(std::move(m));
}

void SimulatedController::Handle(const std::vector<uint8_t>& m) {
  received_.push_back(m);
  switch (m[0]) {
    case 77: {  // connect request: identification
      const auto len = static_cast<uint16_t>(std::min<size_t>(program_.size(), 0xFFFF));
      Answer({77, static_cast<uint8_t>(id_.Version >> 8), static_cast<uint8_t>(id_.Version & 0xFF), 0, 0,
              static_cast<uint8_t>(len & 0xFF), static_cast<uint8_t>(len >> 8), id_.Model, id_.Gear, id_.Number});
      break;
    }
    case 133: {  // name of the program that follows
      pendingName_.clear();
      for (size_t i = 1; i < m.size() && m[i] != 0; ++i) pendingName_.push_back(static_cast<char>(m[i]));
      break;
    }
    case 128:
      if (Byte(m, 1) == 1) {  // the PC's data follow
        receiving_ = true;
        sending_ = false;
        expected_ = 1;
        incoming_.clear();
      } else if (Byte(m, 1) == 2) {  // the PC wants the program
        receiving_ = false;
        sending_ = true;
        sendPos_ = 0;
        packet_ = 0;
        std::vector<uint8_t> meno{133};
        meno.insert(meno.end(), name_.begin(), name_.end());
        meno.push_back(0);
        Answer(std::move(meno));
        if (program_.empty())
          Answer({128, 0, 0});
        else
          SendNextPacket();
      } else if (Byte(m, 2) == 0 && receiving_) {  // 128, 0, 0: complete
        receiving_ = false;
        lastReceived_ = incoming_;
        program_ = ProgramPart(incoming_);
        name_ = pendingName_;
        Answer({94});
      } else {  // 128, 0, 1: aborted
        receiving_ = false;
        sending_ = false;
      }
      break;
    case 129:
      if (receiving_) {
        const uint16_t k = static_cast<uint16_t>(Byte(m, 1) << 8 | Byte(m, 2));
        if (k == expected_) {
          incoming_.insert(incoming_.end(), m.begin() + std::min<std::ptrdiff_t>(3, static_cast<std::ptrdiff_t>(m.size())), m.end());
          ++expected_;
        }
        Answer({130, static_cast<uint8_t>(k & 0xFF), static_cast<uint8_t>(k >> 8)});
      }
      break;
    case 130:
      if (sending_) {
        const uint16_t k = static_cast<uint16_t>(Byte(m, 1) << 8 | Byte(m, 2));
        if (k != packet_) {
          sending_ = false;
          Answer({128, 0, 1});
        } else if (sendPos_ < program_.size()) {
          SendNextPacket();
        } else {
          sending_ = false;
          Answer({128, 0, 0});
        }
      }
      break;
    case 223:
      break;
    default:
      break;  // recorded only
  }
}

void SimulatedController::Serve() {
  uint8_t buf[4096];
  std::vector<uint8_t> m;
  while (!stop_) {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    const ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (ssize_t i = 0; i < n; ++i) {
      if (PrijmiBajt(frame_, buf[i], m) == TPrijatyBajt::Sprava) Handle(m);
    }
    changed_.notify_all();
  }
}

}  // namespace kvr
