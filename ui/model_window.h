// The model window: choose the machine model and its gear.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;

class TModel : public TForm {
 public:
  explicit TModel(TKontext& k);

  TControl cbModel{*this, "cbModel", TControlKind::ComboBox, "", {16, 16, 260, 28}};
  TControl cbPrevod{*this, "cbPrevod", TControlKind::ComboBox, "", {16, 60, 260, 28}};
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {16, 104, 260, 48}};

  void FormCreate() override;
  void FormShow() override;
  void VypisPrevodov(int r, int g);
  void cbModelSelect();
  void bOKClick();

 private:
  TKontext& k_;
};

}  // namespace kvr
