#include <gtest/gtest.h>

#include "form/events.h"
#include "model/io.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "model/context.h"

namespace kvr {
namespace {

TEST(RunEvent, FailuresEndTheOperationInTheGeneralErrorReport) {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  int after = 0;
  ui.ExpectReport("disk gone");
  RunEvent(*k.Ui, [&] {
    k.Program.AktKrok = 4;
    throw TIoError("disk gone");
    ++after;  // never reached
  });
  EXPECT_EQ(after, 0);
  EXPECT_EQ(k.Program.AktKrok, 4);  // the state reached stays
  ui.ExpectReport("step index 351");
  RunEvent(*k.Ui, [&] { k.Program.Kroky[351].Druh = 1; });
  // A handler that succeeds reports nothing.
  RunEvent(*k.Ui, [&] { k.Program.AktKrok = 5; });
  EXPECT_EQ(k.Program.AktKrok, 5);
}

TEST(Kontext, ContextsAreIndependent) {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext a(ui, pl), b(ui, pl);
  a.Program.Kroky[1].Druh = 1;
  a.Stroj.Model = "KVR - 60";
  EXPECT_EQ(b.Program.Kroky[1].Druh, 0);
  EXPECT_TRUE(b.Stroj.Model.empty());
  EXPECT_EQ(b.Stroj.DelitelPosuvu, 128);
}

}  // namespace
}  // namespace kvr
