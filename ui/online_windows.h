// The OFFLINE and ONLINE windows: the operator's way between the program on
// the PC and the program loaded in the machine. This version works offline:
// the OFFLINE window never shows its machine group.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;
class TProg;

class TformOFFLINE : public TForm {
 public:
  TformOFFLINE(TKontext& k, TProg& prog);

  TControl lbStav{*this, "lbStav", TControlKind::Label, "status:      OFFLINE", {16, 12, 420, 32}};
  TControl lbPopisOffline{*this, "lbPopisOffline", TControlKind::Label, " Diese Version arbeitet immer OFFLINE !",
                          {16, 48, 420, 28}};
  TControl GroupBox2{*this, "GroupBox2", TControlKind::GroupBox, "  OFFLINE  ", {16, 84, 420, 196}};
  TControl pNewProg{*this, "pNewProg", TControlKind::Panel, "Neues Program in TORVENA", {12, 24, 396, 50}};
  TControl pProgToFile{*this, "pProgToFile", TControlKind::Panel, "Speichern Program in Datei", {12, 80, 396, 50}};
  TControl pProgFromFile{*this, "pProgFromFile", TControlKind::Panel, "Lese Program aus Datei", {12, 136, 396, 50}};
  TControl GroupBox1{*this, "GroupBox1", TControlKind::GroupBox, "  OFFLINE  >>>  ONLINE   ", {16, 288, 420, 196}};
  TControl pONLINE{*this, "pONLINE", TControlKind::Panel, "Schalte zu ONLINE", {12, 24, 396, 50}};
  TControl pProgToKVR{*this, "pProgToKVR", TControlKind::Panel, "Schicke Program in KVR", {12, 80, 396, 50}};
  TControl pProgFromKVR{*this, "pProgFromKVR", TControlKind::Panel, "Lese Program aus KVR", {12, 136, 396, 50}};
  TControl pClose{*this, "pClose", TControlKind::Panel, "SCHLIESSEN", {16, 492, 204, 50}};
  TControl pExit{*this, "pExit", TControlKind::Panel, "SCHLIESSEN TORVENA", {232, 492, 204, 50}};

  // The machine group is hidden whenever the window is shown.
  void FormShow() override;
  // Shows the window modally.
  void Otvor();

  void pCloseClick();
  void pExitClick();
  void pNewProgClick();
  void pProgToFileClick();
  void pProgFromFileClick();
  void pONLINEClick();
  void pProgToKVRClick();
  void pProgFromKVRClick();

 private:
  TKontext& k_;
  TProg& prog_;
};

class TformONLINE : public TForm {
 public:
  TformONLINE(TKontext& k, TProg& prog);

  TControl lbStav{*this, "lbStav", TControlKind::Label, "status:      ONLINE", {16, 12, 420, 32}};
  TControl lbPopisOnline{*this, "lbPopisOnline", TControlKind::Label,
                         " Online  - alle Anderungen werden gleich in actuelles\r"
                         "                  Wickelprogramm geladen   !!!!!\r"
                         "\r"
                         " Offline - alle Anderungen werden nur in TORVENA \r"
                         "                  gemacht  !!!!!",
                         {16, 48, 420, 110}};
  TControl pOFFLINE{*this, "pOFFLINE", TControlKind::Panel, "Schalte zu OFFLINE", {16, 168, 420, 50}};
  TControl pNEW{*this, "pNEW", TControlKind::Panel, "Neues Program in KVR", {16, 224, 420, 50}};
  TControl pClose{*this, "pClose", TControlKind::Panel, "SCHLIESSEN", {16, 292, 204, 50}};
  TControl pExit{*this, "pExit", TControlKind::Panel, "SCHLIESSEN TORVENA", {232, 292, 204, 50}};

  void Otvor();

  void pOFFLINEClick();
  void pNEWClick();
  void pCloseClick();
  void pExitClick();

 private:
  TKontext& k_;
  TProg& prog_;
};

}  // namespace kvr
