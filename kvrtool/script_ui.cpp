#include "kvrtool/script_ui.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "form/canvas.h"
#include "form/events.h"
#include "tools/keypad.h"
#include "tools/text_input.h"

namespace kvr::tool {

namespace {

struct TWord {
  std::string text;
  bool quoted = false;
};

// The words of a line, or why it has none.
std::optional<std::vector<TWord>> Words(std::string_view s, std::string& why) {
  std::vector<TWord> words;
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n) {
    if (s[i] == ' ' || s[i] == '\t') {
      ++i;
      continue;
    }
    TWord w;
    if (s[i] == '"') {
      w.quoted = true;
      ++i;
      for (;;) {
        if (i >= n) {
          why = "a quoted value has no closing quote";
          return std::nullopt;
        }
        if (s[i] == '"') {
          if (i + 1 < n && s[i + 1] == '"') {
            w.text += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        w.text += s[i++];
      }
      if (i < n && s[i] != ' ' && s[i] != '\t') {
        why = "a quoted value runs into the next word";
        return std::nullopt;
      }
    } else {
      while (i < n && s[i] != ' ' && s[i] != '\t') w.text += s[i++];
    }
    words.push_back(std::move(w));
  }
  return words;
}

std::optional<int> Integer(const TWord& w) {
  int v = 0;
  const char* b = w.text.data();
  const char* e = b + w.text.size();
  const auto r = std::from_chars(b, e, v);
  if (w.text.empty() || r.ec != std::errc() || r.ptr != e) return std::nullopt;
  return v;
}

// "FORM.CONTROL" into the action.
bool Target(const TWord& w, TAction& a) {
  const std::size_t dot = w.text.find('.');
  if (w.quoted || dot == std::string::npos || dot == 0 || dot + 1 == w.text.size()) return false;
  a.form = w.text.substr(0, dot);
  a.control = w.text.substr(dot + 1);
  return true;
}

// The action of one line's words, or why they are none.
std::optional<TAction> Action(const std::vector<TWord>& w, std::string& why) {
  TAction a;
  const std::string& verb = w[0].text;
  const std::size_t args = w.size() - 1;
  auto target = [&]() {
    if (Target(w[1], a)) return true;
    why = "\"" + w[1].text + "\" is not FORM.CONTROL";
    return false;
  };
  auto count = [&](std::size_t lo, std::size_t hi, const char* form) {
    if (args >= lo && args <= hi) return true;
    why = "usage: " + std::string(form);
    return false;
  };
  if (w[0].quoted) {
    why = "unknown action \"" + verb + "\"";
    return std::nullopt;
  }
  if (verb == "click" || verb == "up" || verb == "down") {
    if (!count(1, 1, (verb + " FORM.CONTROL").c_str()) || !target()) return std::nullopt;
    a.kind = verb == "click" ? TActionKind::Click : verb == "up" ? TActionKind::Up : TActionKind::Down;
    return a;
  }
  if (verb == "select") {
    if (!count(2, 2, "select FORM.CONTROL N") || !target()) return std::nullopt;
    const std::optional<int> n = Integer(w[2]);
    if (!n || *n < 0) {
      why = "\"" + w[2].text + "\" is not an item number";
      return std::nullopt;
    }
    a.kind = TActionKind::Select;
    a.index = *n;
    return a;
  }
  if (verb == "mouse") {
    if (!count(4, 5, "mouse FORM.CONTROL down|move|up X Y [ctrl]") || !target()) return std::nullopt;
    a.kind = TActionKind::Mouse;
    const std::string& m = w[2].text;
    if (m == "down") {
      a.mouse = TMouseAction::Down;
    } else if (m == "move") {
      a.mouse = TMouseAction::Move;
    } else if (m == "up") {
      a.mouse = TMouseAction::Up;
    } else {
      why = "\"" + m + "\" is not down, move or up";
      return std::nullopt;
    }
    const std::optional<int> x = Integer(w[3]);
    const std::optional<int> y = Integer(w[4]);
    if (!x || !y) {
      why = "X and Y must be whole numbers";
      return std::nullopt;
    }
    a.x = *x;
    a.y = *y;
    if (args == 5) {
      if (w[5].text != "ctrl" || w[5].quoted) {
        why = "\"" + w[5].text + "\" is not ctrl";
        return std::nullopt;
      }
      a.ctrl = true;
    }
    return a;
  }
  if (verb == "keypad" || verb == "text" || verb == "file") {
    if (!count(1, 1, (verb + (verb == "file" ? " PATH|cancel" : " TEXT|cancel")).c_str())) return std::nullopt;
    a.kind = verb == "keypad" ? TActionKind::Keypad : verb == "text" ? TActionKind::Text : TActionKind::File;
    a.cancel = !w[1].quoted && w[1].text == "cancel";
    a.text = w[1].text;
    if (a.kind == TActionKind::File && !a.cancel && a.text.empty()) {
      why = "the file line needs a path";
      return std::nullopt;
    }
    return a;
  }
  if (verb == "close") {
    if (!count(1, 1, "close FORM")) return std::nullopt;
    if (w[1].quoted || w[1].text.find('.') != std::string::npos) {
      why = "\"" + w[1].text + "\" is not a window";
      return std::nullopt;
    }
    a.kind = TActionKind::Close;
    a.form = w[1].text;
    return a;
  }
  if (verb == "answer") {
    if (!count(1, 1, "answer ok|yes|no|cancel")) return std::nullopt;
    a.kind = TActionKind::Answer;
    const std::string& x = w[1].text;
    if (x == "ok") {
      a.answer = TMsgAnswer::Ok;
    } else if (x == "yes") {
      a.answer = TMsgAnswer::Yes;
    } else if (x == "no") {
      a.answer = TMsgAnswer::No;
    } else if (x == "cancel") {
      a.answer = TMsgAnswer::Cancel;
    } else {
      why = "\"" + x + "\" is not ok, yes, no or cancel";
      return std::nullopt;
    }
    return a;
  }
  why = "unknown action \"" + verb + "\"";
  return std::nullopt;
}

std::string ClassName(const TForm& f) { return "T" + f.Name(); }

const char* AnswerName(TMsgAnswer a) {
  switch (a) {
    case TMsgAnswer::Ok:
      return "ok";
    case TMsgAnswer::Yes:
      return "yes";
    case TMsgAnswer::No:
      return "no";
    case TMsgAnswer::Cancel:
      return "cancel";
  }
  return "ok";
}

bool Offers(TMsgButtons buttons, TMsgAnswer a) {
  switch (buttons) {
    case TMsgButtons::Ok:
      return a == TMsgAnswer::Ok;
    case TMsgButtons::YesNo:
      return a == TMsgAnswer::Yes || a == TMsgAnswer::No;
    case TMsgButtons::YesNoCancel:
      return a != TMsgAnswer::Ok;
  }
  return false;
}

// A paint box's size in the window's pixels, as the Qt layer lays it out.
int Scaled(int v, double zoom) { return static_cast<int>(std::lround(v * (zoom > 0 ? zoom : 1.0))); }

// Past this many rounds of posted work and repaints the idle loop is
// taken to be spinning.
constexpr int kMaxIdleRounds = 10000;

}  // namespace

TParsedScript ParseScript(std::string_view text) {
  TParsedScript out;
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    ++number;
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') {
      if (end == text.size()) break;
      continue;
    }
    std::string why;
    const std::optional<std::vector<TWord>> words = Words(line, why);
    std::optional<TAction> a = words ? Action(*words, why) : std::nullopt;
    if (!a) {
      out.failure = TScriptFailure{number, why};
      out.actions.clear();
      return out;
    }
    a->line = number;
    out.actions.push_back(std::move(*a));
    if (end == text.size()) break;
  }
  return out;
}

std::string SpinHalf(const std::string& spinButton, bool up) { return spinButton + (up ? "Up" : "Down"); }

ScriptUi::ScriptUi(std::vector<TAction> script) : script_(std::move(script)) {}

void ScriptUi::Fail(std::string why) {
  if (!failure_) failure_ = TScriptFailure{line_, std::move(why)};
}

void ScriptUi::Dispatch(const std::function<void()>& fn) {
  if (fn) RunEvent(*this, fn);
}

void ScriptUi::Idle() {
  for (int round = 0; !failure_; ++round) {
    if (round == kMaxIdleRounds) {
      Fail("the posted work and repaints never end");
      return;
    }
    if (!posted_.empty()) {
      const std::function<void()> fn = std::move(posted_.front());
      posted_.pop_front();
      Dispatch(fn);
      continue;
    }
    if (invalid_.empty()) return;
    const auto [form, name] = invalid_.front();
    invalid_.erase(invalid_.begin());
    if (TControl* c = form->FindControl(name)) Paint(*form, *c);
  }
}

bool ScriptUi::Run() {
  Idle();
  while (!failure_ && next_ < script_.size()) {
    const TAction& a = script_[next_++];
    RunLine(a);
    // What the line left to do afterwards is still its doing.
    line_ = a.line;
    Idle();
    line_ = 0;
  }
  return !failure_;
}

const TAction* ScriptUi::Take(TActionKind kind) {
  if (next_ >= script_.size() || script_[next_].kind != kind) return nullptr;
  return &script_[next_++];
}

void ScriptUi::RunLine(const TAction& a) {
  const int outer = line_;
  line_ = a.line;
  switch (a.kind) {
    case TActionKind::Click:
    case TActionKind::Up:
    case TActionKind::Down:
    case TActionKind::Select:
    case TActionKind::Mouse: {
      TForm* f = InputForm(a);
      if (f == nullptr) break;
      const std::string name = a.kind == TActionKind::Up     ? SpinHalf(a.control, true)
                               : a.kind == TActionKind::Down ? SpinHalf(a.control, false)
                                                             : a.control;
      TControl* c = FindControlOf(*f, name);
      if (c == nullptr) break;
      if (std::optional<std::string> why = Unreachable(*f, *c)) {
        Fail(*why);
        break;
      }
      if (a.kind == TActionKind::Select)
        Select(*f, *c, a.index);
      else if (a.kind == TActionKind::Mouse)
        Mouse(*f, *c, a);
      else
        Click(*f, *c);
      break;
    }
    case TActionKind::Close:
      if (TForm* f = InputForm(a)) CloseBox(*f);
      break;
    case TActionKind::Keypad:
      Keypad(a);
      break;
    case TActionKind::Text:
      TextInput(a);
      break;
    case TActionKind::Answer:
      Fail("no message box is open");
      break;
    case TActionKind::File:
      Fail("no open or save dialog is open");
      break;
  }
  line_ = outer;
}

TForm* ScriptUi::FindForm(const std::string& className) const {
  if (!windows_) return nullptr;
  for (TForm* f : windows_())
    if (ClassName(*f) == className) return f;
  return nullptr;
}

TForm* ScriptUi::InputForm(const TAction& a) {
  TForm* f = FindForm(a.form);
  if (f == nullptr) {
    Fail("unknown window " + a.form);
    return nullptr;
  }
  if (!f->Visible) {
    Fail("the window " + a.form + " is not shown");
    return nullptr;
  }
  // A modal window keeps the operator's hands off every other window.
  if (!modal_.empty() && modal_.back() != f) {
    Fail("the window " + a.form + " is behind the modal window " + ClassName(*modal_.back()));
    return nullptr;
  }
  return f;
}

TControl* ScriptUi::FindControlOf(TForm& f, const std::string& name) {
  TControl* c = f.FindControl(name);
  if (c == nullptr) Fail("unknown control " + ClassName(f) + "." + name);
  return c;
}

std::optional<std::string> ScriptUi::Unreachable(const TForm& f, const TControl& c) const {
  const std::string full = ClassName(f) + "." + c.Name();
  const TControl* x = &c;
  // Bounded: a parent chain that loops must not hang the run.
  for (std::size_t depth = 0; x != nullptr && depth <= f.Controls().size(); ++depth) {
    const std::string which = x == &c ? full : full + " (its container " + x->Name() + ")";
    if (!x->Visible) return which + " is hidden";
    if (!x->Enabled) return which + " is disabled";
    x = x->Parent.empty() ? nullptr : f.FindControl(x->Parent);
  }
  return std::nullopt;
}

void ScriptUi::Click(TForm& f, TControl& c) {
  const std::string full = ClassName(f) + "." + c.Name();
  switch (c.Kind()) {
    case TControlKind::Panel:
    case TControlKind::Label:
    case TControlKind::Image:
    case TControlKind::Button:
      Dispatch(c.OnClick);
      return;
    case TControlKind::CheckBox:
      c.Checked = !c.Checked;
      Dispatch(c.OnClick);
      return;
    case TControlKind::RadioButton:
      // The button that is on stays on and nothing runs.
      if (c.Checked) return;
      for (TControl* o : f.Controls())
        if (o != &c && o->Kind() == TControlKind::RadioButton && o->Parent == c.Parent) o->Checked = false;
      c.Checked = true;
      Dispatch(c.OnClick);
      return;
    case TControlKind::MenuItem: {
      // The operator opens each menu on the way to the entry; opening a menu
      // runs its handler, which may change the entries.
      std::vector<TControl*> menus;
      for (TControl* p = c.Parent.empty() ? nullptr : f.FindControl(c.Parent);
           p != nullptr && menus.size() <= f.Controls().size();
           p = p->Parent.empty() ? nullptr : f.FindControl(p->Parent))
        menus.insert(menus.begin(), p);
      for (TControl* m : menus) {
        Dispatch(m->OnClick);
        Idle();
        if (failure_) return;
      }
      if (!menus.empty()) {
        if (std::optional<std::string> why = Unreachable(f, c)) {
          Fail(*why);
          return;
        }
      }
      Dispatch(c.OnClick);
      return;
    }
    case TControlKind::ComboBox:
    case TControlKind::ListBox:
      Fail(full + " is a list: pick its item with select");
      return;
    case TControlKind::RadioGroup:
      Fail(full + " is a radio group: pick its item with select");
      return;
    case TControlKind::GroupBox:
      Fail(full + " is a group box, which takes no click");
      return;
    case TControlKind::PaintBox:
      Fail(full + " is a paint box: use mouse");
      return;
    case TControlKind::Edit:
    case TControlKind::Memo:
    case TControlKind::ScrollBar:
    case TControlKind::Grid:
      Fail(full + " takes no click");
      return;
  }
}

void ScriptUi::Select(TForm& f, TControl& c, int index) {
  const std::string full = ClassName(f) + "." + c.Name();
  const bool list = c.Kind() == TControlKind::ComboBox || c.Kind() == TControlKind::ListBox;
  const bool group = c.Kind() == TControlKind::RadioGroup;
  if (!list && !group) {
    Fail(full + " is no combo box, list box or radio group");
    return;
  }
  if (index >= static_cast<int>(c.Items.size())) {
    Fail(full + " has no item " + std::to_string(index) + " (" + std::to_string(c.Items.size()) + " items)");
    return;
  }
  switch (c.Kind()) {
    case TControlKind::ComboBox:
      // Picking an entry of a combo box reports it even when it was picked.
      c.ItemIndex = index;
      Dispatch(c.OnChange);
      return;
    case TControlKind::ListBox:
      if (c.ItemIndex == index) return;
      c.ItemIndex = index;
      Dispatch(c.OnChange);
      return;
    default:
      // A radio group: its button that is on stays on and nothing runs.
      if (c.ItemIndex == index) return;
      c.ItemIndex = index;
      Dispatch(c.OnClick ? c.OnClick : c.OnChange);
      return;
  }
}

void ScriptUi::Mouse(TForm& f, TControl& c, const TAction& a) {
  if (c.Kind() != TControlKind::PaintBox) {
    Fail(ClassName(f) + "." + c.Name() + " is no paint box");
    return;
  }
  TMouseEvent e;
  e.X = a.x;
  e.Y = a.y;
  e.Ctrl = a.ctrl;
  std::function<void(const TMouseEvent&)> handler;
  switch (a.mouse) {
    case TMouseAction::Down:
      handler = c.OnMouseDown;
      e.Left = true;
      mouseHeld_ = true;
      break;
    case TMouseAction::Move:
      handler = c.OnMouseMove;
      e.Left = mouseHeld_;
      break;
    case TMouseAction::Up:
      handler = c.OnMouseUp;
      e.Left = true;
      mouseHeld_ = false;
      break;
  }
  if (handler) Dispatch([&handler, &e] { handler(e); });
}

void ScriptUi::Keypad(const TAction& a) {
  TVstup* v = modal_.empty() ? nullptr : dynamic_cast<TVstup*>(modal_.back());
  if (v == nullptr) {
    Fail("no keypad is open");
    return;
  }
  auto press = [this, v](TControl& key) {
    if (std::optional<std::string> why = Unreachable(*v, key)) {
      Fail(*why);
      return false;
    }
    Click(*v, key);
    return !failure_;
  };
  if (a.cancel) {
    press(v->bCANCEL);
    return;
  }
  for (char ch : a.text) {
    TControl* key = nullptr;
    if (ch >= '0' && ch <= '9') {
      key = v->FindControl(std::string("Button") + ch);
    } else if (ch == '.') {
      key = &v->ButtonBODKA;
    }
    if (key == nullptr) {
      Fail(std::string("the keypad has no key for '") + ch + "'");
      return;
    }
    if (!press(*key)) return;
  }
  press(v->ButtonOK);
}

void ScriptUi::TextInput(const TAction& a) {
  TfVstupTW* t = modal_.empty() ? nullptr : dynamic_cast<TfVstupTW*>(modal_.back());
  if (t == nullptr) {
    Fail("no text input window is open");
    return;
  }
  TControl& key = a.cancel ? t->bCancel : t->bOK;
  if (!a.cancel) {
    if (std::optional<std::string> why = Unreachable(*t, t->Edit1)) {
      Fail(*why);
      return;
    }
    // Typed in one go, as a paste: one change.
    t->Edit1.Caption += a.text;
    Dispatch(t->Edit1.OnChange);
    if (failure_) return;
  }
  if (std::optional<std::string> why = Unreachable(*t, key)) {
    Fail(*why);
    return;
  }
  Click(*t, key);
}

void ScriptUi::CloseBox(TForm& f) {
  if (!f.CloseBox) {
    Fail("the window " + ClassName(f) + " has no close box");
    return;
  }
  // As the Qt layer handles the close box: the form decides, then closes.
  Dispatch([&f] {
    if (f.FormClose()) f.Close(TModalResult::Cancel);
  });
}

TMsgAnswer ScriptUi::Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
  // A drawing's messages wait until the paint is over, as on the screen.
  if (buttons == TMsgButtons::Ok && painting_ > 0) {
    Post([this, kind, text] { Message(kind, text, TMsgButtons::Ok); });
    return TMsgAnswer::Ok;
  }
  TMsgAnswer answer = OdpovedBezTlacidla(buttons);
  if (!failure_) {
    if (const TAction* a = Take(TActionKind::Answer)) {
      if (Offers(buttons, a->answer)) {
        answer = a->answer;
      } else {
        const int outer = line_;
        line_ = a->line;
        Fail(std::string("the message box \"") + text + "\" has no " + AnswerName(a->answer) + " button");
        line_ = outer;
      }
    } else if (buttons != TMsgButtons::Ok) {
      Fail("the question \"" + text + "\" has no answer line");
    }
  }
  messages_.push_back({kind, text, answer});
  return answer;
}

std::optional<std::string> ScriptUi::FileDialog(const TFileDialog& d, const char* what) {
  if (failure_) return std::nullopt;
  const TAction* a = Take(TActionKind::File);
  if (a == nullptr) {
    Fail(std::string("the ") + what + " dialog \"" + d.Title + "\" has no file line");
    return std::nullopt;
  }
  if (a->cancel) return std::nullopt;
  // A dialog hands out absolute paths.
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(a->text), ec);
  return ec ? a->text : p.string();
}

std::optional<std::string> ScriptUi::OpenDialog(const TFileDialog& d) { return FileDialog(d, "open"); }

std::optional<std::string> ScriptUi::SaveDialog(const TFileDialog& d) { return FileDialog(d, "save"); }

TModalResult ScriptUi::ShowModal(TForm& f) {
  if (failure_) {
    f.ModalResult = TModalResult::Cancel;
    return f.ModalResult;
  }
  bool closed = false;
  std::function<void(TForm&)> previous = std::move(f.OnCloseRequested);
  f.OnCloseRequested = [&closed](TForm&) { closed = true; };
  f.ModalResult = TModalResult::None;
  f.Visible = true;
  modal_.push_back(&f);
  Dispatch([&f] { f.FormShow(); });
  InvalidateBox(f, {});
  const int opener = line_;
  // The modal window runs the lines that follow until it closes.
  while (!closed && !failure_) {
    Idle();
    line_ = opener;
    if (closed || failure_) break;
    if (next_ >= script_.size()) {
      Fail("the modal window " + ClassName(f) + " is still open at the end of the script");
      break;
    }
    const TAction& a = script_[next_++];
    RunLine(a);
    line_ = a.line;
  }
  line_ = opener;
  modal_.pop_back();
  if (!closed || f.ModalResult == TModalResult::None) f.ModalResult = TModalResult::Cancel;
  f.Visible = false;
  f.OnCloseRequested = std::move(previous);
  return f.ModalResult;
}

void ScriptUi::Show(TForm& f) {
  if (f.Visible) return;
  f.OnCloseRequested = [](TForm& form) { form.Visible = false; };
  f.Visible = true;
  Dispatch([&f] { f.FormShow(); });
  InvalidateBox(f, {});
}

void ScriptUi::Hide(TForm& f) { f.Visible = false; }

void ScriptUi::Post(std::function<void()> fn) { posted_.push_back(std::move(fn)); }

int ScriptUi::StartTimer(int, std::function<void()>) { return nextTimer_++; }

void ScriptUi::StopTimer(int) {}

void ScriptUi::InvalidateBox(TForm& f, const std::string& control) {
  auto add = [this, &f](const std::string& name) {
    const std::pair<TForm*, std::string> p{&f, name};
    if (std::find(invalid_.begin(), invalid_.end(), p) == invalid_.end()) invalid_.push_back(p);
  };
  if (!control.empty()) {
    add(control);
    return;
  }
  for (const TControl* c : f.Controls())
    if (c->Kind() == TControlKind::PaintBox) add(c->Name());
}

void ScriptUi::Invalidate(TForm& f, const std::string& control) { InvalidateBox(f, control); }

void ScriptUi::Repaint(TForm& f, const std::string& control) {
  std::vector<TControl*> boxes;
  if (!control.empty()) {
    if (TControl* c = f.FindControl(control)) boxes.push_back(c);
  } else {
    for (TControl* c : f.Controls())
      if (c->Kind() == TControlKind::PaintBox) boxes.push_back(c);
  }
  for (TControl* c : boxes) {
    const std::pair<TForm*, std::string> p{&f, c->Name()};
    invalid_.erase(std::remove(invalid_.begin(), invalid_.end(), p), invalid_.end());
    Paint(f, *c);
  }
}

void ScriptUi::Paint(TForm& f, TControl& c) {
  // Only what is on the screen paints.
  if (!c.OnPaint || !f.Visible) return;
  const TControl* x = &c;
  for (std::size_t depth = 0; x != nullptr && depth <= f.Controls().size(); ++depth) {
    if (!x->Visible) return;
    x = x->Parent.empty() ? nullptr : f.FindControl(x->Parent);
  }
  const std::function<void(ICanvas&)> paint = c.OnPaint;
  NullCanvas canvas(Scaled(c.Bounds.Width, f.Zoom), Scaled(c.Bounds.Height, f.Zoom));
  ++painting_;
  Dispatch([&paint, &canvas] { paint(canvas); });
  --painting_;
}

void ScriptUi::ReportError(const std::string& text) { Message(TMsgKind::Error, text, TMsgButtons::Ok); }

}  // namespace kvr::tool
