// How long the coil drawing takes: one full repaint of a 350-step program
// with a bobbin (two walks and the markers) on a canvas that records, on a
// canvas that draws nothing, and on a QImage as the station paints; and the
// single-step layer computation alone.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "model/program.h"
#include "model/machine.h"
#include "model/sample_program.h"
#include "platform/platform.h"
#include "qt/qt_canvas.h"
#include "support/recording_canvas.h"
#include "form/headless_ui.h"
#include "form/canvas.h"
#include "model/context.h"
#include "view/coil_drawing.h"
#include "view/layers.h"

namespace kvr {
namespace {

constexpr int kSirka = 427;
constexpr int kVyska = 649;

struct Stanica {
  Stanica() : platforma(CreatePosixPlatform("/nonexistent-kvr-drives")), k(ui, *platforma) {
    k.Stroj.Model = "KVR - 100";
    k.Stroj.Prevod = 1;
    NastavModel(k);
    UkazkovyProgram(k, kMaxKrokov);
    k.Program.AktKrok = 100;
  }
  HeadlessUi ui;
  std::unique_ptr<IPlatform> platforma;
  TKontext k;
};

void RepaintRecording(benchmark::State& state) {
  Stanica s;
  test::RecordingCanvas c(kSirka, kVyska);
  for (auto _ : state) {
    c.Clear();
    KresliCievku(s.k, c);
    benchmark::DoNotOptimize(c.calls.data());
  }
  state.counters["canvas_calls"] = static_cast<double>(c.calls.size());
}
BENCHMARK(RepaintRecording)->Unit(benchmark::kMicrosecond);

void RepaintNothingDrawn(benchmark::State& state) {
  Stanica s;
  TPrazdnyCanvas c(kSirka, kVyska);
  for (auto _ : state) KresliCievku(s.k, c);
}
BENCHMARK(RepaintNothingDrawn)->Unit(benchmark::kMicrosecond);

void RepaintQImage(benchmark::State& state) {
  Stanica s;
  QImage obraz(kSirka, kVyska, QImage::Format_RGB32);
  for (auto _ : state) {
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    QtCanvas c(p, kSirka, kVyska);
    KresliCievku(s.k, c);
  }
}
BENCHMARK(RepaintQImage)->Unit(benchmark::kMicrosecond);

void VrstvujOneStep(benchmark::State& state) {
  Stanica s;
  const TKrok krok = s.k.Program.Kroky[2];
  for (auto _ : state) {
    s.k.Vrstvenie.PredZavity = 0.0L;
    Vrstvuj(s.k, krok, krok.LRev);
    benchmark::DoNotOptimize(s.k.Vrstvenie.PocetVrstiev);
  }
}
BENCHMARK(VrstvujOneStep)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace kvr

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
