// A main window on model "KVR - 22" with a scripted UI, for tests of what the
// station does with a program of given steps.
#pragma once
#include <vector>

#include "model/program.h"
#include "model/stroj.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "ui/prog.h"

namespace kvr::test {

struct StanicaSProgramom {
  ScriptedUi ui;
  FakePlatform pl;
  TProg prog{ui, pl};
  TKontext& k = prog.Kontext();

  StanicaSProgramom() {
    k.Stroj.Model = "KVR - 22";  // 210 mm wide, gears 3000, 6000, 12000
    k.Stroj.Prevod = 1;
    NastavModel(k);
  }
  // The steps, the last one "Ende" unless bezKonca.
  void Program(const std::vector<TKrok>& kroky, bool bezKonca = false) {
    k.Program.Kroky.Vymaz();
    for (size_t i = 0; i < kroky.size(); ++i) k.Program.Kroky[static_cast<int>(i) + 1] = kroky[i];
    if (!kroky.empty() && !bezKonca) k.Program.Kroky[static_cast<int>(kroky.size())].TypCyklu = kCyklusEnde;
    PrepocitajKroky(k.Program);
  }
  const TBodKroku& Bod(int i) const { return k.BodyKrokov[static_cast<size_t>(i)]; }
};

}  // namespace kvr::test
