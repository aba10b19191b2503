// The main window: a shell that owns the context, the other windows in their
// order of creation and the panels of its areas. It answers what the logic
// asks of the main window (IMainWindow) by forwarding to its panels.
#pragma once
#include <string>
#include <vector>

#include "form/form.h"
#include "link/enter_window.h"
#include "model/context.h"
#include "model/main_window.h"
#include "tools/keypad.h"
#include "tools/text_input.h"
#include "tools/up_down.h"
#include "ui/bobbin_editor_window.h"
#include "ui/bobbin_menu.h"
#include "ui/coil_drawing_panel.h"
#include "ui/dgio_window.h"
#include "ui/edit_menu.h"
#include "ui/errors_window.h"
#include "ui/file_menu.h"
#include "ui/function_window.h"
#include "ui/info_window.h"
#include "ui/link_host.h"
#include "ui/machine_state_panel.h"
#include "ui/model_window.h"
#include "ui/online_windows.h"
#include "ui/options_menu.h"
#include "ui/param_window.h"
#include "ui/preview_window.h"
#include "ui/program_captions_panel.h"
#include "ui/rename_window.h"
#include "ui/shift_window.h"
#include "ui/step_kinds_panel.h"
#include "ui/step_panel.h"
#include "ui/templates_menu.h"
#include "ui/wait_window.h"
#include "ui/warnings_window.h"

namespace kvr {

class TProg : public TForm, public IMainWindow {
  TKontext k_;  // first: the windows and panels below refer to it

 public:
  TProg(IUi& ui, IPlatform& platform);
  ~TProg() override;

  TKontext& Kontext() { return k_; }
  // Every window the station owns, this one first, then the others in their
  // order of creation: whoever looks a window up by name finds it here.
  std::vector<TForm*> Windows();

  // The other windows, reused for the station's life. Their creation handlers
  // run from FormCreate in this order, the model window last.
  TfDgIO fDgIO;
  TfErrors fErrors;
  TfInfo fInfo;
  TfKonvertNazovToSubor fKonvertNazovToSubor;
  TfKostricka fKostricka;
  TParam fParam;
  TfPosun fPosun;
  TfPreview fPreview;
  TfUpDown fUpDown;
  TVstup fVstup;
  TfVstupTW fVstupTW;
  TfFunction fFunction;
  TfWait fWait;
  TfWarnings fWarnings;
  StationLinkHost linkHost{*this};
  TfSP fSP;  // the machine link, created hidden; nothing opens its port
  TformONLINE fONLINE;
  TformOFFLINE fOFFLINE;
  TfENTER fENTER;
  TModel fModel;

  // The areas of the window, in the order their controls are laid out (the
  // menu bar's order first).
  FileMenu fileMenu;
  EditMenu editMenu;
  OptionsMenu optionsMenu;
  BobbinMenu bobbinMenu;
  TemplatesMenu templatesMenu;
  TControl mnINFO{*this, "mnINFO", TControlKind::MenuItem, "INFO"};
  CoilDrawingPanel drawing;
  MachineStatePanel machineState;
  ProgramCaptionsPanel captions;
  StepPanel stepPanel;
  StepKindsPanel stepKinds;

  // Creation of the main window, which then creates the other windows. Call
  // it once, before FormShow.
  void FormCreate() override;
  void FormShow() override;
  // Closing: the save question, the desktop, the starter. False when the
  // window stays open.
  bool FormClose() override;

  void mnOptionsOknaClick();

  // Online mode: the mode and machine group panels, the state panel.
  void SetOnLine();
  void SetOffLine() override;
  // Shows machine state c: the state and abort panels, and the parameter
  // panels disabled while the machine moves.
  void ZobrazStav(uint8_t c);
  // The mode panel and "AKTIONEN": the ONLINE window when online, else the
  // OFFLINE window.
  void OnLine_OffLine();
  void pOnLineClick() { OnLine_OffLine(); }
  void pActionClick() { OnLine_OffLine(); }
  // Abort the machine's current step, in either mode.
  void pAbortStepClick();
  // Step n becomes the current step: step button, parameters, scrolled to.
  void UkazKrok(int n);
  // The parameter panels and the step panel, enabled or not.
  void PovolParametre(bool povol);

  void mnINFOClick();
  // "    FUNKTION.   ": the special functions window.
  void bFunctionsClick();
  // Opens the conversion of file names; no menu entry is bound to it.
  void mnNazovToSuborClick();

  // What the logic asks of the main window.
  void ZobrazParametre(int n) override;
  void RepaintLater() override;
  void RepaintNow() override;
  void NastavVertPos(int n) override;
  void VypisProgCaption() override;
  void ShowProgramLine(const std::string& text) override;
  void ShowModelAndGear() override;
};

}  // namespace kvr
