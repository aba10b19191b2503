// The main window. It owns the context that every other part works on.
#pragma once
#include <memory>

#include "ui/form.h"
#include "ui/kontext.h"
#include "ui/model_okno.h"

namespace kvr {

class TProg : public TForm {
  TKontext k_;  // first: the controls and windows below refer to it

 public:
  TProg(IUi& ui, IPlatform& platform);
  ~TProg() override;

  TKontext& Kontext() { return k_; }

  // Menu "DATEI".
  TControl mnSubor{*this, "mnSubor", TControlKind::MenuItem, "DATEI"};
  TControl mnSuborNovy{*this, "mnSuborNovy", TControlKind::MenuItem, "Neu"};
  TControl mnSuborOtvor{*this, "mnSuborOtvor", TControlKind::MenuItem, "Öffnen"};
  TControl mnUlozGX{*this, "mnUlozGX", TControlKind::MenuItem, "Speichern format KVR-G,KVR-C"};
  TControl mnUlozT{*this, "mnUlozT", TControlKind::MenuItem, "Speichern format  KVR-T"};
  TControl mnUlozT_W{*this, "mnUlozT_W", TControlKind::MenuItem, "Speichern wie KVR-T + Achtungen"};
  TControl mnSuborExit{*this, "mnSuborExit", TControlKind::MenuItem, "Ende"};
  // Menu "MÖGLICHKEITEN".
  TControl mnOPTIONS{*this, "mnOPTIONS", TControlKind::MenuItem, "MÖGLICHKEITEN"};
  TControl mnOptionsModel{*this, "mnOptionsModel", TControlKind::MenuItem, "Model"};

  TControl bPrevod{*this, "bPrevod", TControlKind::Button, "GETRIEBE", {8, 8, 160, 56}};
  TControl pPrevodNav{*this, "pPrevodNav", TControlKind::Panel, "Getriebe: ", {176, 8, 220, 56}};
  TControl pStav{*this, "pStav", TControlKind::Panel, "", {404, 8, 300, 56}};
  TControl pProgram{*this, "pProgram", TControlKind::Panel, "", {8, 72, 696, 40}};
  TControl lbKostricka{*this, "lbKostricka", TControlKind::Label, "KÖRPER NAME:", {8, 120, 340, 48}};
  TControl lbKonstanty{*this, "lbKonstanty", TControlKind::Label, "KONSTANTEN NAME:", {356, 120, 340, 48}};

  // Other windows, created once with the main window and reused.
  TModel fModel;

  // Creation of the main window, which then creates the other windows in their
  // fixed order (the model window last). Call it once, before FormShow.
  void FormCreate() override;
  void FormShow() override;

  void mnSuborNovyClick();
  void mnSuborOtvorClick();
  void mnUlozGXClick();
  void mnUlozTClick();
  void mnUlozT_WClick();
  void mnOptionsModelClick();
  void mnSuborExitClick();
};

}  // namespace kvr
