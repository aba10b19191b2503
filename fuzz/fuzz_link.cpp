// The link's receive state machine and dispatcher: an arbitrary byte stream
// from the wire, in arbitrary pieces, with no transfer running, a send
// running or a receive running, offline or online. Posted work (the
// dispatcher, error boxes, storing a received program) runs after each piece;
// the time-outs fire at the end.
//
// Input: byte 0 the configuration (bit 0 online, bits 1-2 the transfer
// started first, bits 3-7 the model), byte 1 the seed of the piece sizes,
// then the stream.
#include <stdlib.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/station.h"
#include "form/events.h"
#include "link/link_window.h"
#include "platform/serial_port.h"

namespace {

using namespace kvr;

class QueueUi final : public IUi {
 public:
  TMsgAnswer Message(TMsgKind, const std::string&, TMsgButtons b) override { return OdpovedBezTlacidla(b); }
  std::optional<std::string> OpenDialog(const TFileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveDialog(const TFileDialog&) override { return std::nullopt; }
  TModalResult ShowModal(TForm&) override { return TModalResult::Cancel; }
  void Show(TForm&) override {}
  void Hide(TForm&) override {}
  void Post(std::function<void()> fn) override { posted.push_back(std::move(fn)); }
  int StartTimer(int, std::function<void()> fn) override {
    timers.push_back({std::move(fn), true});
    return static_cast<int>(timers.size());
  }
  void StopTimer(int id) override {
    if (id >= 1 && static_cast<size_t>(id) <= timers.size()) timers[static_cast<size_t>(id) - 1].running = false;
  }
  void Invalidate(TForm&, const std::string&) override {}
  void Repaint(TForm&, const std::string&) override {}
  TScreenSize ScreenSize() override { return {1024, 768}; }
  void ReportError(const std::string&) override {}
  void PrintReport(const TReport&) override {}

  // Runs posted work as the event loop would, each piece as a window event.
  void RunPosted() {
    for (int guard = 0; guard < 10000 && !posted.empty(); ++guard) {
      auto fn = std::move(posted.front());
      posted.pop_front();
      RunEvent(*this, fn);
    }
  }
  std::deque<std::function<void()>> posted;
  struct Timer {
    std::function<void()> fn;
    bool running;
  };
  std::vector<Timer> timers;
};

class SinkPort final : public ISerialPort {
 public:
  bool Open(const std::string&, const TPortSettings&) override { return open = true; }
  bool IsOpen() const override { return open; }
  bool Write(std::span<const uint8_t>) override { return true; }
  void SetBytesArrived(std::function<void(size_t)> fn) override { arrived = std::move(fn); }
  size_t Read(std::span<uint8_t> into) override {
    const size_t n = std::min(into.size(), pending.size() - pos);
    std::copy_n(pending.begin() + static_cast<std::ptrdiff_t>(pos), n, into.begin());
    pos += n;
    return n;
  }
  void Discard() override { pos = pending.size(); }
  void Close() override { open = false; }
  std::string ErrorText() const override { return "closed"; }
  bool open = false;
  std::function<void(size_t)> arrived;
  std::vector<uint8_t> pending;
  size_t pos = 0;
};

struct Root {
  Root() {
    std::string templ = (std::filesystem::temp_directory_path() / "kvr-fuzz-link-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) std::abort();
    path = templ;
    std::filesystem::create_directories(path / "C" / "DSQ" / "DSQ_disp");
    platform = CreatePosixPlatform(path.string());
  }
  ~Root() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::filesystem::path path;
  std::unique_ptr<IPlatform> platform;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Root root;
  if (size < 2) return 0;
  const uint8_t config = data[0];
  uint32_t seed = data[1] * 2654435761u + 1;
  QueueUi ui;
  TKontext k(ui, *root.platform);
  k.Stroj.Model = std::string(kModely[(config >> 3) % kPocetModelov].Nazov);
  k.Stroj.Prevod = 1;
  NastavModel(k);
  k.Link.ZapisujZaznamy = false;
  SinkPort port;
  TfSP sp(k);
  k.Link.Port = &port;
  sp.InicComPort();
  k.Program.Online = config & 1;
  switch ((config >> 1) & 3) {
    case 1:
      k.Program.PocetKrokov = 3;
      RunEvent(ui, [&] { sp.PcNav(); });
      break;
    case 2:
      RunEvent(ui, [&] { sp.NavPc(); });
      break;
    default:
      break;
  }

  size_t i = 2;
  while (i < size) {
    seed = seed * 1103515245u + 12345u;
    const size_t piece = std::min<size_t>(size - i, 1 + (seed >> 16) % 300);
    port.pending.assign(data + i, data + i + piece);
    port.pos = 0;
    if (port.arrived) port.arrived(piece);
    i += piece;
    if (k.Link.Prijem.L > kPrijemBufSize) kvr::fuzz::Fail("receive index beyond its buffer");
    for (const auto& m : k.Link.FrontaSprav)
      if (m.empty() || m.size() > kMaxPayload) kvr::fuzz::Fail("a queued message of a size no block holds");
    ui.RunPosted();
    if (!k.Link.FrontaSprav.empty()) kvr::fuzz::Fail("the dispatcher left messages in the queue");
    if (k.Link.PoziciaPrijmu > k.Subory.SuborBuf.size() || k.Subory.SuborBuf.size() != kSuborBufSize)
      kvr::fuzz::Fail("received data beyond the image buffer");
    if (k.Program.PocetKrokov < 0 || k.Program.PocetKrokov > kMaxKrokov) kvr::fuzz::Fail("step count out of range");
  }
  for (size_t t = 0; t < ui.timers.size(); ++t)
    if (ui.timers[t].running) RunEvent(ui, ui.timers[t].fn);
  ui.RunPosted();
  return 0;
}
