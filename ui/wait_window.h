// The wait window: shown modally while a command waits for the machine's
// answer. The operator may give up waiting with " x "; the command closes it
// when the answer arrives. Answers come through the event loop, so they always
// find the window already shown.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;

class TfWait : public TForm {
 public:
  explicit TfWait(TKontext& k);

  TControl pWait{*this, "pWait", TControlKind::Panel, "wait please...", {0, 0, 535, 126}};
  TControl bX{*this, "bX", TControlKind::Button, " x ", {496, 95, 33, 25}};

  // Shows the window modally until " x " or Skonci; both give Ok.
  TModalResult Cakaj();
  // The awaited answer arrived: closes the showing window with Ok; nothing
  // when it is not shown.
  void Skonci();

  void bXClick();

 private:
  TKontext& k_;
};

}  // namespace kvr
