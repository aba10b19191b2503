// A context, or a whole main window, on model "KVR - 22" with a scripted UI,
// for tests of what the station does with a program of given steps.
#pragma once
#include <vector>

#include "model/context.h"
#include "model/machine.h"
#include "model/program.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/recording_main_window.h"
#include "ui/main_window.h"
#include "view/scale.h"

namespace kvr::test {

// The steps, the last one "Ende" unless bezKonca.
inline void SetProgram(TKontext& k, const std::vector<TKrok>& kroky, bool bezKonca = false) {
  k.Program.Kroky.Vymaz();
  for (size_t i = 0; i < kroky.size(); ++i) k.Program.Kroky[static_cast<int>(i) + 1] = kroky[i];
  if (!kroky.empty() && !bezKonca) k.Program.Kroky[static_cast<int>(kroky.size())].TypCyklu = kCyklusEnde;
  PrepocitajKroky(k.Program);
}

inline void SetKvr22(TKontext& k) {
  k.Stroj.Model = "KVR - 22";  // 210 mm wide, gears 3000, 6000, 12000
  k.Stroj.Prevod = 1;
  NastavModel(k);
}

// The context alone, with a main window double that records what it is asked.
struct ContextWithProgram {
  ScriptedUi ui;
  FakePlatform pl;
  TKontext k{ui, pl};
  RecordingMainWindow okno;

  ContextWithProgram() {
    k.AttachMainWindow(&okno);
    SetKvr22(k);
    okno.calls.clear();
  }
  void Program(const std::vector<TKrok>& kroky, bool bezKonca = false) { SetProgram(k, kroky, bezKonca); }
  const TBodKroku& Bod(int i) const { return k.BodyKrokov[static_cast<size_t>(i)]; }
  // The scaling of a paint box of the design size scrolled by posun.
  int32_t posun = 0;
  TMierka Mierka() const { return kvr::Mierka(k.Pohlad, kSirkaBoxuNavrh, kVyskaBoxuNavrh, posun); }
};

struct StationWithProgram {
  ScriptedUi ui;
  FakePlatform pl;
  TProg prog{ui, pl};
  TKontext& k = prog.Kontext();

  StationWithProgram() { SetKvr22(k); }
  void Program(const std::vector<TKrok>& kroky, bool bezKonca = false) { SetProgram(k, kroky, bezKonca); }
  const TBodKroku& Bod(int i) const { return k.BodyKrokov[static_cast<size_t>(i)]; }
};

}  // namespace kvr::test
