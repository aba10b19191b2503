#include "support/fake_ui.h"

#include <gtest/gtest.h>

namespace kvr::test {

namespace {
const char* KindName(TMsgKind k) {
  switch (k) {
    case TMsgKind::Error: return "error";
    case TMsgKind::Information: return "information";
    case TMsgKind::Warning: return "warning";
    case TMsgKind::Confirmation: return "confirmation";
  }
  return "?";
}
}  // namespace

ScriptedUi::~ScriptedUi() {
  if (!verified_) Verify();
}

void ScriptedUi::Verify() {
  verified_ = true;
  for (const Entry& e : script_) ADD_FAILURE() << "scripted UI request never came: " << e.text;
  script_.clear();
}

ScriptedUi& ScriptedUi::ExpectMessage(TMsgKind kind, std::string text, TMsgAnswer answer) {
  Entry e(Kind::Message);
  e.msgKind = kind;
  e.text = std::move(text);
  e.answer = answer;
  script_.push_back(std::move(e));
  return *this;
}

ScriptedUi& ScriptedUi::ExpectOpen(std::optional<std::string> answer, std::function<void(const TFileDialog&)> check) {
  Entry e(Kind::Open);
  e.text = "open dialog";
  e.path = std::move(answer);
  e.check = std::move(check);
  script_.push_back(std::move(e));
  return *this;
}

ScriptedUi& ScriptedUi::ExpectSave(std::optional<std::string> answer, std::function<void(const TFileDialog&)> check) {
  Entry e(Kind::Save);
  e.text = "save dialog";
  e.path = std::move(answer);
  e.check = std::move(check);
  script_.push_back(std::move(e));
  return *this;
}

ScriptedUi& ScriptedUi::ExpectModal(std::string formName, std::function<void(TForm&)> act) {
  Entry e(Kind::Modal);
  e.text = std::move(formName);
  e.act = std::move(act);
  script_.push_back(std::move(e));
  return *this;
}

ScriptedUi& ScriptedUi::ExpectReport(std::string textPart) {
  Entry e(Kind::Report);
  e.text = std::move(textPart);
  script_.push_back(std::move(e));
  return *this;
}

ScriptedUi::Entry ScriptedUi::Next(Kind kind, const std::string& what) {
  if (script_.empty()) {
    ADD_FAILURE() << "unexpected UI request: " << what;
    return Entry(kind);
  }
  Entry e = std::move(script_.front());
  script_.pop_front();
  if (e.kind != kind) ADD_FAILURE() << "UI request " << what << " came where the script expected: " << e.text;
  return e;
}

TMsgAnswer ScriptedUi::Message(TMsgKind kind, const std::string& text, TMsgButtons) {
  Entry e = Next(Kind::Message, std::string(KindName(kind)) + " box \"" + text + "\"");
  if (e.kind != Kind::Message) return TMsgAnswer::Cancel;
  EXPECT_EQ(e.text, text);
  EXPECT_EQ(KindName(e.msgKind), std::string(KindName(kind))) << "for \"" << text << "\"";
  return e.answer;
}

std::optional<std::string> ScriptedUi::OpenDialog(const TFileDialog& d) {
  Entry e = Next(Kind::Open, "open dialog \"" + d.Title + "\"");
  if (e.kind != Kind::Open) return std::nullopt;
  if (e.check) e.check(d);
  return e.path;
}

std::optional<std::string> ScriptedUi::SaveDialog(const TFileDialog& d) {
  Entry e = Next(Kind::Save, "save dialog \"" + d.Title + "\"");
  if (e.kind != Kind::Save) return std::nullopt;
  if (e.check) e.check(d);
  return e.path;
}

TModalResult ScriptedUi::ShowModal(TForm& f) {
  Entry e = Next(Kind::Modal, "modal form " + f.Name());
  if (e.kind != Kind::Modal) return TModalResult::Cancel;
  EXPECT_EQ(e.text, f.Name());
  f.ModalResult = TModalResult::None;
  f.Visible = true;
  f.FormShow();
  if (e.act) e.act(f);
  f.Visible = false;
  return f.ModalResult == TModalResult::None ? TModalResult::Cancel : f.ModalResult;
}

void ScriptedUi::Show(TForm& f) {
  f.Visible = true;
  shown.push_back(f.Name());
  f.FormShow();
}

void ScriptedUi::Hide(TForm& f) { f.Visible = false; }

void ScriptedUi::Post(std::function<void()> fn) { posted_.push_back(std::move(fn)); }

void ScriptedUi::RunPosted() {
  while (!posted_.empty()) {
    auto fn = std::move(posted_.front());
    posted_.pop_front();
    fn();
  }
}

int ScriptedUi::StartTimer(int intervalMs, std::function<void()> fn) {
  int id = static_cast<int>(timers_.size()) + 1;
  timers_.push_back({id, intervalMs, std::move(fn), true});
  return id;
}

void ScriptedUi::StopTimer(int id) {
  for (Timer& t : timers_)
    if (t.id == id) t.running = false;
}

void ScriptedUi::FireTimer(int id) {
  for (Timer& t : timers_)
    if (t.id == id && t.running) t.fn();
}

void ScriptedUi::Invalidate(TForm& f, const std::string& control) { invalidated.push_back(f.Name() + "/" + control); }
void ScriptedUi::Repaint(TForm& f, const std::string& control) { invalidated.push_back(f.Name() + "/" + control); }

void ScriptedUi::ReportError(const std::string& text) {
  Entry e = Next(Kind::Report, "error report \"" + text + "\"");
  if (e.kind != Kind::Report) return;
  EXPECT_NE(text.find(e.text), std::string::npos) << "report \"" << text << "\" lacks \"" << e.text << "\"";
}

}  // namespace kvr::test
