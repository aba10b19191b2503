// The main window. It owns the context that every other part works on.
#pragma once
#include <memory>

#include "model/real48.h"
#include "ui/canvas.h"
#include "ui/form.h"
#include "ui/kontext.h"
#include "ui/model_okno.h"

namespace kvr {

struct TKrok;
class TfInfo;
class TfErrors;
class TfWarnings;
class TfWait;
class TVstup;
class TfUpDown;
class TfVstupTW;

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
  // Editing entries of the menu bar.
  TControl mnUNDO{*this, "mnUNDO", TControlKind::MenuItem, "ZURÜCK"};
  TControl mnCUT{*this, "mnCUT", TControlKind::MenuItem, "SCHNEIDEN"};
  TControl mnCOPY{*this, "mnCOPY", TControlKind::MenuItem, "KOPIE"};
  TControl mnPASTE{*this, "mnPASTE", TControlKind::MenuItem, "EINLEGEN"};
  TControl mnDELETE{*this, "mnDELETE", TControlKind::MenuItem, "LOESCHEN"};
  // Menu "MÖGLICHKEITEN".
  TControl mnOPTIONS{*this, "mnOPTIONS", TControlKind::MenuItem, "MÖGLICHKEITEN"};
  TControl mnKontrol{*this, "mnKontrol", TControlKind::MenuItem, "Kontrolle"};
  TControl mnOptionsModel{*this, "mnOptionsModel", TControlKind::MenuItem, "Model"};
  TControl mnOptionsPosun{*this, "mnOptionsPosun", TControlKind::MenuItem, "Vorschub"};
  TControl mnParametre{*this, "mnParametre", TControlKind::MenuItem, "Parametre"};
  TControl mnZoomPlus{*this, "mnZoomPlus", TControlKind::MenuItem, "Zoom +"};
  TControl mnZoomMinus{*this, "mnZoomMinus", TControlKind::MenuItem, "Zoom -"};
  // Menu "SPULENKÖRPER".
  TControl mnKOSTRICKA{*this, "mnKOSTRICKA", TControlKind::MenuItem, "SPULENKÖRPER"};
  TControl mnKostrickaVyber{*this, "mnKostrickaVyber", TControlKind::MenuItem, "Auswahl"};
  TControl mnKostrickaZrus{*this, "mnKostrickaZrus", TControlKind::MenuItem, "Lösche"};
  TControl mnKostrickaNavrh{*this, "mnKostrickaNavrh", TControlKind::MenuItem, "Vorschlag"};
  TControl mnKostrickaZarovnaj{*this, "mnKostrickaZarovnaj", TControlKind::MenuItem, "Richten"};
  // Menu "KONSTANTEN": the file commands, then the templates.
  TControl mnKONSTANTY{*this, "mnKONSTANTY", TControlKind::MenuItem, "KONSTANTEN"};
  TControl mkOtvor{*this, "mkOtvor", TControlKind::MenuItem, "Öffnen"};
  TControl mkUloz{*this, "mkUloz", TControlKind::MenuItem, "Speichern"};
  TControl mkDEFZAV{*this, "mkDEFZAV", TControlKind::MenuItem, "WINDUNGEN 1"};
  TControl mkDefZav2{*this, "mkDefZav2", TControlKind::MenuItem, "WINDUNGEN 2"};
  TControl mkVrstvaZavity{*this, "mkVrstvaZavity", TControlKind::MenuItem, "LAGE WIND.AUT."};
  TControl mkVrstvaPosuv{*this, "mkVrstvaPosuv", TControlKind::MenuItem, "LAGE VORSCH.AUT."};
  TControl mkVrstvaStop{*this, "mkVrstvaStop", TControlKind::MenuItem, "LAGE STOP"};
  TControl mkOLEP{*this, "mkOLEP", TControlKind::MenuItem, "BANDAGIEREN"};
  TControl mkPRESUN{*this, "mkPRESUN", TControlKind::MenuItem, "VERSCHIEBUNG"};
  TControl mkSKOK{*this, "mkSKOK", TControlKind::MenuItem, "SPRUNG"};
  TControl mkDelay{*this, "mkDelay", TControlKind::MenuItem, "PAUSE"};
  TControl mnINFO{*this, "mnINFO", TControlKind::MenuItem, "INFO"};

  // The coil drawing on its white panel, with the scroll bar beside it.
  TControl Panel1{*this, "Panel1", TControlKind::Panel, "", {0, 0, 458, 678}};
  TControl PaintBox1{*this, "PaintBox1", TControlKind::PaintBox, "", {4, 24, 427, 649}};
  TControl ScrollBar1{*this, "ScrollBar1", TControlKind::ScrollBar, "", {435, 24, 19, 649}};
  // Below the drawing.
  TControl W_Lava{*this, "W_Lava", TControlKind::Panel, "", {0, 680, 80, 28}};
  TControl W_Poloha{*this, "W_Poloha", TControlKind::Panel, "", {160, 680, 138, 28}};
  TControl W_prava{*this, "W_prava", TControlKind::Panel, "", {378, 680, 80, 28}};
  TControl pDruhKroku{*this, "pDruhKroku", TControlKind::Panel, "", {0, 710, 150, 30}};
  TControl pVrstvy{*this, "pVrstvy", TControlKind::Panel, "", {154, 710, 150, 30}};
  TControl pPoloha{*this, "pPoloha", TControlKind::Panel, "", {308, 710, 150, 30}};
  TControl B_OverView{*this, "B_OverView", TControlKind::Button, "UEBERSICHT", {0, 744, 150, 44}};

  // Machine state, file and bobbin captions.
  TControl pStav{*this, "pStav", TControlKind::Panel, "", {464, 0, 578, 30}};
  TControl pProgram{*this, "pProgram", TControlKind::Panel, "", {464, 32, 578, 30}};
  TControl lbKostricka{*this, "lbKostricka", TControlKind::Label, "KÖRPER NAME:", {464, 66, 288, 24}};
  TControl lbKonstanty{*this, "lbKonstanty", TControlKind::Label, "KONSTANTEN NAME:", {756, 66, 286, 24}};

  // The current step and its parameters.
  TControl BKrok{*this, "BKrok", TControlKind::Button, "SCHRITT:  0", {464, 94, 200, 48}};
  // The step parameters stand on a background that shows through while no step is shown.
  TControl pStepBackground{*this, "pStepBackground", TControlKind::Panel, "SCHRITT:  0", {464, 146, 380, 488}};
  TControl gParam{*this, "gParam", TControlKind::GroupBox, "", {0, 0, 380, 488}};
  TControl bNulovat{*this, "bNulovat", TControlKind::Button, " WINDUNGEN: ", {8, 20, 364, 44}};
  TControl lbSF{*this, "lbSF", TControlKind::Label, "SPEZIELLE FUNKTIONEN", {8, 380, 364, 44}};
  TControl lbInOut{*this, "lbInOut", TControlKind::Label, " EINGÄNGE / AUSGÄNGE ", {8, 432, 364, 44}};

  // Step kinds.
  TControl gTypKroku{*this, "gTypKroku", TControlKind::GroupBox, "     SCHRITTART    ", {848, 94, 194, 440}};
  TControl bDefZav{*this, "bDefZav", TControlKind::Button, "WINDUNGEN 1", {8, 22, 178, 50}};
  TControl bDefZav2{*this, "bDefZav2", TControlKind::Button, "WINDUNGEN 2", {8, 76, 178, 50}};
  TControl bPresun{*this, "bPresun", TControlKind::Button, "VERSCHIEBUNG", {8, 130, 178, 50}};
  TControl bSkok{*this, "bSkok", TControlKind::Button, "SPRUNG", {8, 184, 178, 50}};
  TControl bDelay{*this, "bDelay", TControlKind::Button, "PAUSE", {8, 238, 178, 50}};
  TControl bPrevod{*this, "bPrevod", TControlKind::Button, "GETRIEBE", {8, 292, 178, 50}};
  TControl bFunctions{*this, "bFunctions", TControlKind::Button, "    FUNKTION.   ", {8, 346, 178, 50}};

  // The machine's state while it winds.
  TControl pAction{*this, "pAction", TControlKind::Panel, "AKTIONEN", {848, 538, 194, 30}};
  TControl pAbortStep{*this, "pAbortStep", TControlKind::Panel, "Abbruch", {848, 570, 194, 30}};
  TControl pPocetZavitov{*this, "pPocetZavitov", TControlKind::Panel, "Windungen: ", {464, 638, 190, 30}};
  TControl pPolohaNav{*this, "pPolohaNav", TControlKind::Panel, "Lage: ", {658, 638, 186, 30}};
  TControl pVrstvaNav{*this, "pVrstvaNav", TControlKind::Panel, " LAGE: ", {464, 672, 190, 30}};
  TControl pPrevodNav{*this, "pPrevodNav", TControlKind::Panel, "Getriebe: ", {658, 672, 384, 30}};
  TControl pSmerPosuvu{*this, "pSmerPosuvu", TControlKind::Panel, "", {848, 604, 194, 30}};

  // Other windows, created once with the main window in their fixed order
  // (the model window last) and reused.
  std::unique_ptr<TfErrors> fErrors;
  std::unique_ptr<TfInfo> fInfo;
  std::unique_ptr<TfUpDown> fUpDown;
  std::unique_ptr<TVstup> fVstup;
  std::unique_ptr<TfVstupTW> fVstupTW;
  std::unique_ptr<TfWait> fWait;
  std::unique_ptr<TfWarnings> fWarnings;
  TModel fModel;

  // Creation of the main window, which then creates the other windows. Call
  // it once, before FormShow.
  void FormCreate() override;
  void FormShow() override;
  // Closing: the save question, the desktop, the starter. False when the
  // window stays open.
  bool FormClose() override;

  void mnSuborNovyClick();
  void mnSuborOtvorClick();
  void mnUlozGXClick();
  void mnUlozTClick();
  void mnUlozT_WClick();
  void mnOptionsModelClick();
  void mnOptionsOknaClick();
  void mnSuborExitClick();
  void mnINFOClick();

  // Bobbin and constants.
  void Open_Kostricka();
  void mnKostrickaNavrhClick();
  void mnKostrickaZrusClick();
  void Open_Konstanty();
  void mkUlozClick();

  // The coil drawing and selection.
  void PaintBox1Paint(ICanvas& c);
  void Vykresli(ICanvas& c);
  void SirkaOkna();
  void NastavVertPos(int krok);
  void ZrusVybraneKroky();
  bool TestVybraneKroky() const;
  void ZrusBlok();
  int NajdiKrok(int x, int y) const;  // hit test: the step under the mouse, or 0
  void PaintBox1MouseDown(const TMouseEvent& e);
  void PaintBox1MouseMove(const TMouseEvent& e);
  void PaintBox1MouseUp(const TMouseEvent& e);
  void ScrollBar1Scroll();
  // Leaving the step spinner: the current step comes into view.
  void SpinButton1Exit();
  void Timer1Timer();
  void TimerPaintTimer();
  void B_OverViewClick();
  void mnZoomPlusClick();
  void mnZoomMinusClick();
  void W_LavaClick();
  void W_pravaClick();
  // Layers of one windings step started at start; results in the walk state.
  void Vrstvuj(const TKrok& krok, Real48 start);
  // True while the machine winds (the link is never started in this version).
  bool TestujCiNavijame() const;
  // Refreshes what the station shows of step n.
  void ZobrazParametre(int n);

 private:
  void WireDrawing();  // connects the drawing's controls to their handlers
};

}  // namespace kvr
