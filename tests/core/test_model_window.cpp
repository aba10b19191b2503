#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/context.h"
#include "model/machine.h"
#include "model/program.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "ui/main_window.h"

namespace kvr {
namespace {

// The model window, driven as the operator would through the scripted UI.
struct ModelOknoTest : ::testing::Test {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TProg prog{ui, pl};
  TKontext& k = prog.Kontext();
  void SetUp() override {
    k.Stroj.Model = "KVR - 22";
    k.Stroj.Prevod = 2;
    NastavModel(k);
    prog.fModel.FormCreate();
  }
};

TEST_F(ModelOknoTest, ListsModelsAndGearsOfTheCurrentModel) {
  const TModel& m = prog.fModel;
  ASSERT_EQ(m.cbModel.Items.size(), 15u);
  EXPECT_EQ(m.cbModel.Items[0], "UNKNOW");
  EXPECT_EQ(m.cbModel.Items[14], "KVR - 80");
  EXPECT_EQ(m.cbModel.SelectedText(), "KVR - 22");
  EXPECT_EQ(m.cbPrevod.Items, (std::vector<std::string>{"3000", "6000", "12000"}));
  EXPECT_EQ(m.cbPrevod.SelectedText(), "6000");
  EXPECT_EQ(prog.machineState.pPrevodNav.Caption, "Getriebe:  6000");
}

TEST_F(ModelOknoTest, ChoosingAModelResetsTheGearListAndOkApplies) {
  ui.ExpectModal("Model", [](TForm& f) {
    auto& m = static_cast<TModel&>(f);
    EXPECT_EQ(m.Caption, " MODEL UND GETRIEBE EINZUSTELLEN ! ");
    m.cbModel.ItemIndex = IndexModelu("KVR - 60");
    m.cbModel.OnChange();
    EXPECT_EQ(m.cbPrevod.Items, (std::vector<std::string>{"500", "3000"}));
    EXPECT_EQ(m.cbPrevod.ItemIndex, 0);
    m.cbPrevod.ItemIndex = 1;
    m.bOK.Click();
  });
  prog.optionsMenu.mnOptionsModel.Click();
  EXPECT_EQ(k.Stroj.Model, "KVR - 60");
  EXPECT_EQ(k.Stroj.Prevod, 2);
  EXPECT_EQ(k.Stroj.MaxOtacky, 3000);
  EXPECT_TRUE(prog.stepKinds.bPrevod.Enabled);
  EXPECT_EQ(prog.machineState.pPrevodNav.Caption, "Getriebe:  3000");
  EXPECT_EQ(prog.machineState.pStav.Caption, "KVR - 60 :  OFFLINE");
  EXPECT_EQ(prog.fModel.ModalResult, TModalResult::Ok);
  EXPECT_FALSE(ui.invalidated.empty());
}

TEST_F(ModelOknoTest, ThePlaceholderEntryFallsBackToTheFirstModel) {
  ui.ExpectModal("Model", [](TForm& f) {
    auto& m = static_cast<TModel&>(f);
    m.cbModel.ItemIndex = 0;
    m.cbModel.OnChange();
    EXPECT_TRUE(m.cbPrevod.Items.empty());
    m.bOK.Click();
  });
  ui.ExpectError("MODEL UNBEKANNT! [einstellen: KVR 22]").ExpectError("GETRIEBE UNBEKANNT! [einstellen: 3000]");
  prog.optionsMenu.mnOptionsModel.Click();
  EXPECT_EQ(k.Stroj.Model, "KVR - 22");
  EXPECT_EQ(k.Stroj.Prevod, 1);
  EXPECT_FALSE(prog.stepKinds.bPrevod.Enabled);
  EXPECT_EQ(prog.machineState.pStav.Caption, "KVR - 22 :  OFFLINE");
  // The window and the gear caption show the corrected model and gear.
  EXPECT_EQ(prog.fModel.cbModel.SelectedText(), "KVR - 22");
  EXPECT_EQ(prog.fModel.cbPrevod.Items, (std::vector<std::string>{"3000", "6000", "12000"}));
  EXPECT_EQ(prog.fModel.cbPrevod.SelectedText(), "3000");
  EXPECT_EQ(prog.machineState.pPrevodNav.Caption, "Getriebe:  3000");
}

// Whichever way the window closes, the main window shows its current step
// again and redraws the coil.
TEST_F(ModelOknoTest, TheMainWindowShowsTheCurrentStepAgainAfterwards) {
  for (const TModalResult r : {TModalResult::Ok, TModalResult::Cancel}) {
    SCOPED_TRACE(r == TModalResult::Ok ? "OK" : "close box");
    k.Program.Kroky.Vymaz();
    k.Program.Kroky[1].Druh = 2;
    k.Program.Kroky[2].Druh = 1;
    k.Program.Kroky[2].TypCyklu = 0;
    PrepocitajKroky(k.Program);
    prog.ZobrazParametre(0);
    // The current step changed without the panel being told.
    k.Program.AktKrok = 2;
    ui.invalidated.clear();
    ui.ExpectModal("Model", [r](TForm& f) {
      auto& m = static_cast<TModel&>(f);
      if (r == TModalResult::Ok)
        m.bOK.Click();
      else
        m.Close(r);
    });
    prog.optionsMenu.mnOptionsModel.Click();
    EXPECT_EQ(prog.stepPanel.BKrok.Caption, "SCHRITT: 2");
    EXPECT_TRUE(prog.stepPanel.gParam.Visible);
    EXPECT_EQ(prog.stepPanel.gParam.Caption, "SCHRITT: 2 ");
    EXPECT_FALSE(ui.invalidated.empty());
    ui.Verify();
  }
}

}  // namespace
}  // namespace kvr
