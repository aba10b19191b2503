// How long the coil drawing takes: one full repaint of a 350-step program
// with a bobbin (two walks and the markers) on a canvas that records, on a
// canvas that draws nothing, and on a QImage as the station paints, both as a
// scroll or click repaints it and after an edit; the single-step layer
// computation alone; and the heaviest program known (data/flank_350.kvr: 350
// trapezoid windings steps, reversal points 50 and 50.1, feed 40 mm, 99999.99
// turns, left flank -0.01 mm, about 14 million passes), its first repaint
// after opening and its repaints while scrolling.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <iostream>
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
#include "model/program_files.h"
#include "ui/main_window.h"
#include "view/walk_cache.h"

namespace kvr {
namespace {

constexpr int kSirka = 427;
constexpr int kVyska = 649;

struct Stanica {
  Stanica() : platforma(CreatePosixPlatform("/nonexistent-kvr-drives")), k(ui, *platforma) {
    k.Stroj.Model = "KVR - 100";
    k.Stroj.Prevod = 1;
    NastavModel(k);
    SampleProgram(k, kMaxKrokov);
    k.Program.AktKrok = 100;
  }
  // A repaint of the station's paint box: the walk kept between repaints.
  void Repaint(ICanvas& c) { PaintCoil(k, c, kSirka, kVyska, 0, clWhite, pamat); }
  HeadlessUi ui;
  std::unique_ptr<IPlatform> platforma;
  TKontext k;
  WalkCache pamat;
};

void RepaintRecording(benchmark::State& state) {
  Stanica s;
  test::RecordingCanvas c(kSirka, kVyska);
  for (auto _ : state) {
    c.Clear();
    s.Repaint(c);
    benchmark::DoNotOptimize(c.calls.data());
  }
  state.counters["canvas_calls"] = static_cast<double>(c.calls.size());
}
BENCHMARK(RepaintRecording)->Unit(benchmark::kMicrosecond);

void RepaintNothingDrawn(benchmark::State& state) {
  Stanica s;
  NullCanvas c(kSirka, kVyska);
  for (auto _ : state) s.Repaint(c);
}
BENCHMARK(RepaintNothingDrawn)->Unit(benchmark::kMicrosecond);

void RepaintQImage(benchmark::State& state) {
  Stanica s;
  QImage obraz(kSirka, kVyska, QImage::Format_RGB32);
  for (auto _ : state) {
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    QtCanvas c(p, kSirka, kVyska);
    s.Repaint(c);
  }
}
BENCHMARK(RepaintQImage)->Unit(benchmark::kMicrosecond);

void RepaintQImageAfterEdit(benchmark::State& state) {
  Stanica s;
  QImage obraz(kSirka, kVyska, QImage::Format_RGB32);
  int n = 0;
  for (auto _ : state) {
    // A changed step: the whole program is walked again.
    s.k.Program.Kroky[2].Hodnota = 200.0L + static_cast<long double>(++n % 2);
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    QtCanvas c(p, kSirka, kVyska);
    s.Repaint(c);
  }
}
BENCHMARK(RepaintQImageAfterEdit)->Unit(benchmark::kMicrosecond);

// The heaviest program, opened in a main window so that it can scroll.
struct Boky {
  Boky() : platforma(CreatePosixPlatform("/nonexistent-kvr-drives")), prog(ui, *platforma), k(prog.Kontext()) {
    k.Stroj.Model = "KVR - 100";
    k.Stroj.Prevod = 1;
    NastavModel(k);
    if (!OpenProgramFile(k, KVR_BENCH_DATA "/flank_350.kvr") || k.Program.PocetKrokov != kMaxKrokov ||
        static_cast<long double>(k.Program.Kroky[350].TrapezL) == 0.0L) {
      std::cerr << "flank_350.kvr did not open as expected\n";
      std::exit(1);
    }
  }
  void Repaint(QImage& obraz) {
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    QtCanvas c(p, kSirka, kVyska);
    prog.drawing.PaintBox1Paint(c);
  }
  HeadlessUi ui;
  std::unique_ptr<IPlatform> platforma;
  TProg prog;
  TKontext& k;
};

void FlankFirstRepaint(benchmark::State& state) {
  Boky b;
  QImage obraz(kSirka, kVyska, QImage::Format_RGB32);
  for (auto _ : state) {
    b.prog.drawing.ForgetWalk();  // as just opened
    b.Repaint(obraz);
  }
}
BENCHMARK(FlankFirstRepaint)->Unit(benchmark::kMillisecond)->Iterations(3);

void FlankRepaintScrolled(benchmark::State& state) {
  Boky b;
  QImage obraz(kSirka, kVyska, QImage::Format_RGB32);
  b.Repaint(obraz);
  TControl& sb = b.prog.drawing.ScrollBar1;
  const int polohy[] = {sb.Max, sb.Max / 2, 0};  // bottom, middle, top of the scroll range
  int n = 0;
  for (auto _ : state) {
    sb.Position = polohy[n++ % 3];
    b.Repaint(obraz);
  }
}
BENCHMARK(FlankRepaintScrolled)->Unit(benchmark::kMicrosecond);

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

// One windings step of 2^30 exact passes (2^20 mm of turns between 0 and
// 2^-10 mm), walked silently: the runs of passes are taken in bulk.
void HugePassCount(benchmark::State& state) {
  Stanica s;
  s.k.Program.Kroky.Vymaz();
  TKrok& krok = s.k.Program.Kroky[1];
  krok.Druh = kDruhWicklung;
  krok.Hodnota = 1048576.0L;
  krok.PosuvMM = 1.0L;
  krok.PRev = 1.0L / 1024.0L;
  PrepocitajKroky(s.k.Program);
  NullCanvas c(kSirka, kVyska);
  const TMierka m = Mierka(s.k.Pohlad, kSirka, kVyska, 0);
  for (auto _ : state) {
    s.k.Kresba.KresliZapnute = false;
    Vykresli(s.k, c, m);
    benchmark::DoNotOptimize(s.k.BodyKrokov[1].PocetVrstiev);
  }
}
BENCHMARK(HugePassCount)->Unit(benchmark::kMicrosecond);

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
