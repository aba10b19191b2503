#include "form/form.h"

namespace kvr {

TControl::TControl(TForm& owner, std::string name, TControlKind kind, std::string caption, TRect bounds)
    : Caption(std::move(caption)), Bounds(bounds), owner_(owner), name_(std::move(name)), kind_(kind) {
  owner_.controls_.push_back(this);
}

std::string TControl::SelectedText() const {
  if (ItemIndex < 0 || ItemIndex >= static_cast<int>(Items.size())) return {};
  return Items[static_cast<size_t>(ItemIndex)];
}

TForm::TForm(std::string name, std::string caption, TRect bounds)
    : Caption(std::move(caption)), Bounds(bounds), name_(std::move(name)) {}

TControl* TForm::FindControl(const std::string& name) const {
  for (TControl* c : controls_)
    if (c->Name() == name) return c;
  return nullptr;
}

void TForm::Close(TModalResult result) {
  ModalResult = result;
  Visible = false;
  if (OnCloseRequested) OnCloseRequested(*this);
}

}  // namespace kvr
