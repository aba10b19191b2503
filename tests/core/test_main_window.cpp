#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

namespace kvr {
namespace {

TEST(Prog, CreationAppliesTheModelAndPreparesTheModelWindow) {
  test::ScriptedUi ui;
  test::TempDir start;
  test::FakePlatform pl("/nonexistent-kvr-drives", start.path().string());
  TProg prog(ui, pl);
  TKontext& k = prog.Kontext();
  k.Program.Kroky[4].Druh = 1;
  k.Stroj.DelitelPosuvu = 7;
  // A first start begins with the default model and gear, without a message.
  prog.FormCreate();
  EXPECT_EQ(k.Program.StartAdresar, start.path().string());
  EXPECT_EQ(k.Program.Kroky[4].Druh, 0);
  EXPECT_EQ(k.Stroj.Model, "KVR - 22");
  EXPECT_EQ(k.Stroj.DelitelPosuvu, 32);
  EXPECT_EQ(prog.machineState.pStav.Caption, "KVR - 22 :  OFFLINE");
  EXPECT_EQ(prog.fModel.cbModel.SelectedText(), "KVR - 22");
  EXPECT_EQ(prog.fModel.cbPrevod.SelectedText(), "3000");
  prog.FormShow();
  EXPECT_FALSE(prog.stepKinds.bPrevod.Enabled);
  EXPECT_EQ(prog.machineState.pPrevodNav.Caption, "Getriebe:  3000");
  EXPECT_EQ(prog.fileMenu.mnUlozT.Tag, 1);
  EXPECT_EQ(prog.fileMenu.mnUlozT.Parent, "mnSubor");
}

}  // namespace
}  // namespace kvr
