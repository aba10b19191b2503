#include "ui/main_window.h"

#include <algorithm>
#include <utility>

#include "form/ui_services.h"
#include "model/bobbin_files.h"
#include "model/codepage.h"
#include "model/desktop.h"
#include "model/io.h"
#include "model/machine.h"
#include "model/program.h"
#include "model/program_files.h"
#include "platform/platform.h"
#include "view/captions.h"
#include "view/coil_drawing.h"

namespace kvr {

namespace {

constexpr const char* kOtazkaUlozit = "Vorschlag wurde modifiziert, speichern ?";

}  // namespace

TProg::TProg(IUi& ui, IPlatform& platform)
    : TForm("Prog", "KVR", {0, 0, 1048, 816}),
      k_(ui, platform),
      fDgIO(k_, fVstup),
      fErrors(k_),
      fInfo(k_),
      fKonvertNazovToSubor(*k_.Ui),
      fKostricka(k_, fVstup),
      fParam(k_, fVstup),
      fPosun(k_, fKostricka),
      fPreview(k_, fErrors),
      fUpDown(k_),
      fVstup(k_),
      fVstupTW(k_),
      fFunction(k_, fParam, fVstup, fWait, editMenu),
      fWait(k_),
      fWarnings(k_),
      fSP(k_, &linkHost),
      fONLINE(k_, *this),
      fOFFLINE(k_, *this),
      fModel(k_),
      fileMenu(*this, k_),
      editMenu(*this, k_, fVstup, fWait),
      optionsMenu(*this, k_, fModel, fPreview),
      bobbinMenu(*this, k_, fKostricka),
      templatesMenu(*this, k_, fParam),
      drawing(*this, k_, fVstup),
      machineState(*this, k_),
      captions(*this, k_),
      stepPanel(*this, k_, drawing, fVstup, fParam, fDgIO),
      stepKinds(*this, k_, fParam) {
  k_.AttachMainWindow(this);
  BorderStyle = TBorderStyle::Sizeable;
  FrameSize = true;
  // The bobbin and constants names open their files, as the menu entries do.
  captions.lbKostricka.OnClick = [this] { bobbinMenu.Open_Kostricka(); };
  captions.lbKonstanty.OnClick = [this] { templatesMenu.Open_Konstanty(); };
  mnINFO.OnClick = [this] { mnINFOClick(); };
  optionsMenu.mnOptionsPosun.OnClick = [this] { fPosun.Otvor(); };
  stepKinds.bFunctions.OnClick = [this] { bFunctionsClick(); };
  machineState.pOnLine.OnClick = [this] { pOnLineClick(); };
  machineState.pAction.OnClick = [this] { pActionClick(); };
  machineState.pAbortStep.OnClick = [this] { pAbortStepClick(); };
  fENTER.OnConfirmed = [this] { SetOnLine(); };
  // The step dialog's inputs/outputs panel edits the working step here.
  fParam.UpravVstupyVystupy = [this](TKrok& krok) { return fDgIO.Uprav(krok); };
}

TProg::~TProg() { k_.AttachMainWindow(nullptr); }

std::vector<TForm*> TProg::Windows() {
  return {this,     &fErrors,  &fInfo,    &fKonvertNazovToSubor, &fKostricka, &fParam, &fPosun, &fPreview,
          &fDgIO,   &fUpDown,  &fVstup,   &fVstupTW,             &fFunction,  &fSP,    &fONLINE, &fOFFLINE, &fENTER, &fWait,  &fWarnings, &fModel};
}

void TProg::FormCreate() {
  k_.Kresba.Prekreslit = 1;
  Bounds.Left = 0;
  Bounds.Top = 0;
  k_.Program.Zmeneny = 0;
  k_.Program.StartAdresar = k_.Platform->StartupFolder();
  k_.Program.AktAdresar.clear();
  k_.Stroj.Model.clear();
  k_.Pohlad.OknoLava = 0.0L;
  k_.Pohlad.OknoPrava = 300.0L;
  k_.Pohlad.PevnaLava = 0.0L;
  k_.Pohlad.PevnaPrava = 0.0L;
  k_.Stroj.MaxBreite = 300.0L;
  k_.Stroj.MeniPrevod = 0;
  k_.Program.MenoKostricky.clear();
  std::fill(k_.Subory.SuborBuf.begin(), k_.Subory.SuborBuf.end(), uint8_t{0});
  for (TBodKroku& b : k_.BodyKrokov) b = TBodKroku{};
  k_.Program.Kroky.Vymaz();
  for (TKomora& c : k_.Kostricka.Komory) c = TKomora{};
  k_.Kostricka.Abstand = 0.0L;
  k_.AktKomora = 0;
  k_.Stroj.DelitelPosuvu = 128;

  // Without a desktop file that can be written the station still starts, on
  // the default record.
  try {
    NacitajDesktop(k_, InStartFolder(k_, kDesktopSubor));
  } catch (const TIoError& e) {
    k_.Ui->ReportError(e.what());
  }
  const TDesktop& d = k_.Desktop;
  for (int s = 0; s < 9; ++s) k_.KonstKroky[static_cast<size_t>(TemplateOfSlot(s).Index)] = d.Sablony[s];

  BorderStyle = TBorderStyle::Sizeable;
  Bounds.Height = 816;
  Bounds.Width = 1048;
  // The record holds the panel PC's Windows paths; here they are paths of this machine.
  const IPlatform& pl = *k_.Platform;
  k_.Program.MenoSuboru = pl.MapSystemPath(ReadShortString(d.MenoSuboru, 255));
  k_.Stroj.Model = ReadShortString(d.Model, 20);
  k_.Stroj.Prevod = d.Prevod;
  k_.Program.MenoKonstant = pl.MapSystemPath(ReadShortString(d.MenoKonstant, 255));
  k_.Program.MenoKostricky = pl.MapSystemPath(ReadShortString(d.MenoKostricky, 255));
  k_.Kostricka = d.Kostricka;
  NastavModel(k_);
  k_.Program.PoslednyOtvor = k_.Program.MenoSuboru;
  machineState.pStav.Caption = StateCaption(k_.Stroj.Model);
  // A zoom the zoom commands could never have stored starts the window at 100 %.
  const int32_t z = k_.Desktop.Zoom;
  if (z < 100 || z > 300) k_.Desktop.Zoom = 100;
  Zoom = static_cast<double>(static_cast<int32_t>(k_.Desktop.Zoom)) / 100.0;
  k_.Kresba.VyskaPisma = 9;

  // The other windows, in their order of creation; each places itself.
  fDgIO.FormCreate();
  fErrors.FormCreate();
  fInfo.FormCreate();
  fKonvertNazovToSubor.FormCreate();
  fKostricka.FormCreate();
  fParam.FormCreate();
  fPosun.FormCreate();
  fPreview.FormCreate();
  fUpDown.FormCreate();
  fVstup.FormCreate();
  fVstupTW.FormCreate();
  fFunction.FormCreate();
  fWait.FormCreate();
  fWarnings.FormCreate();
  fSP.FormCreate();
  fModel.FormCreate();
}

void TProg::FormShow() {
  const std::pair<TControl*, const char*> texty[] = {
      {&fileMenu.mnSubor, "DATEI"},
      {&fileMenu.mnSuborOtvor, "Öffnen"},
      {&fileMenu.mnUlozGX, "Speichern format KVR-G,KVR-C"},
      {&fileMenu.mnUlozT, "Speichern format  KVR-T"},
      {&fileMenu.mnUlozT_W, "Speichern wie KVR-T + Achtungen"},
      {&fileMenu.mnSuborNovy, "Neu"},
      {&fileMenu.mnSuborExit, "Ende"},
      {&editMenu.mnUNDO, "ZURÜCK"},
      {&editMenu.mnCUT, "SCHNEIDEN"},
      {&editMenu.mnCOPY, "KOPIE"},
      {&editMenu.mnPASTE, "EINLEGEN"},
      {&editMenu.mnDELETE, "LOESCHEN"},
      {&optionsMenu.mnOPTIONS, "MÖGLICHKEITEN"},
      {&optionsMenu.mnKontrol, "Kontrolle"},
      {&optionsMenu.mnOptionsModel, "Model"},
      {&optionsMenu.mnOptionsPosun, "Vorschub"},
      {&mnINFO, "INFO"},
      {&bobbinMenu.mnKOSTRICKA, "SPULENKÖRPER"},
      {&bobbinMenu.mnKostrickaVyber, "Auswahl"},
      {&bobbinMenu.mnKostrickaZrus, "Lösche"},
      {&bobbinMenu.mnKostrickaNavrh, "Vorschlag"},
      {&bobbinMenu.mnKostrickaZarovnaj, "Richten"},
      {&templatesMenu.mnKONSTANTY, "KONSTANTEN"},
      {&templatesMenu.mkOtvor, "Öffnen"},
      {&templatesMenu.mkUloz, "Speichern"},
      {&templatesMenu.mkDEFZAV, "WINDUNGEN 1"},
      {&templatesMenu.mkDefZav2, "WINDUNGEN 2"},
      {&templatesMenu.mkVrstvaZavity, "LAGE WIND.AUT."},
      {&templatesMenu.mkVrstvaPosuv, "LAGE VORSCH.AUT."},
      {&templatesMenu.mkVrstvaStop, "LAGE STOP"},
      {&templatesMenu.mkOLEP, "BANDAGIEREN"},
      {&templatesMenu.mkPRESUN, "VERSCHIEBUNG"},
      {&templatesMenu.mkSKOK, "SPRUNG"},
      {&templatesMenu.mkDelay, "PAUSE"},
      {&stepKinds.bDefZav, "WINDUNGEN 1"},
      {&stepKinds.bDefZav2, "WINDUNGEN 2"},
      {&stepKinds.bPresun, "VERSCHIEBUNG"},
      {&stepKinds.bSkok, "SPRUNG"},
      {&stepKinds.bDelay, "PAUSE"},
      {&stepKinds.bPrevod, "GETRIEBE"},
      {&stepKinds.bFunctions, "    FUNKTION.   "},
      {&machineState.pAction, "AKTIONEN"},
      {&drawing.B_OverView, "UEBERSICHT"},
      {&stepKinds.gTypKroku, "     SCHRITTART    "},
      {&stepPanel.bNulovat, " WINDUNGEN: "},
      {&stepPanel.lbSF, "SPEZIELLE FUNKTIONEN"},
      {&stepPanel.lbInOut, " EINGÄNGE / AUSGÄNGE "},
      {&captions.lbKostricka, "KÖRPER NAME:"},
      {&captions.lbKonstanty, "KONSTANTEN NAME:"},
      {&machineState.pAbortStep, "Abbruch"},
      {&machineState.pPocetZavitov, "Windungen: "},
      {&machineState.pPolohaNav, "Lage: "},
      {&machineState.pVrstvaNav, " LAGE: "},
      {&machineState.pPrevodNav, "Getriebe: "},
      {&machineState.pSmerPosuvu, ""},
      {&stepPanel.pPodklad_Param, "SCHRITT:  0"},
  };
  for (const auto& [c, t] : texty) c->Caption = t;
  optionsMenu.mnKontrol.Enabled = true;
  fileMenu.mnUlozGX.Tag = 0;
  fileMenu.mnUlozT.Tag = 1;

  k_.Kresba.Prehlad = 0;
  k_.Kresba.RezimMysi = 1;
  k_.Program.AktKrok = 0;
  k_.PosunHodnota = 0.0L;
  k_.Program.PocetKrokov = 0;
  stepKinds.bPrevod.Enabled = k_.Stroj.MeniPrevod == 1;
  k_.AktKomora = FirstChamber(k_.Kostricka);
  VypisProgCaption();
  ZobrazParametre(0);

  const std::string ini = WarningsIniPath(k_);
  if (FileExists(ini)) NacitajWarningy(k_, ini);

  const std::string& meno = k_.Program.MenoSuboru;
  if (!meno.empty() && FileExists(meno)) {
    const uint32_t znacka = ZistiTypSuboru(k_, meno);
    // A program with warnings opens only through the open command, which
    // writes the panel software's warnings file.
    if (znacka == kZnackaStary1 || znacka == kZnackaStary2 || znacka == kZnackaStary3 || znacka == kZnackaGC ||
        znacka == kZnackaT) {
      int32_t pocet = 0;
      NacitajProgram(k_, meno, znacka, pocet);
    } else {
      k_.Ui->Error(std::string(kTextNieJeProgram));
    }
  }

  stepPanel.gParam.Enabled = true;
  optionsMenu.mnOptionsModel.Enabled = true;
  optionsMenu.mnZoomPlus.Enabled = true;
  optionsMenu.mnZoomMinus.Enabled = true;
  optionsMenu.mnParametre.Enabled = false;
  machineState.pPrevodNav.Caption = GearCaption(k_.Stroj);
}

void TProg::mnOptionsOknaClick() {
  UlozMiestoOkna(k_.Desktop, kSlotProg, Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotKostricka, fKostricka.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotParam, fParam.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotPosun, fPosun.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotPreview, fPreview.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotUpDown, fUpDown.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotVstup, fVstup.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotDgIO, fDgIO.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotErrors, fErrors.Bounds);
  UlozMiestoOkna(k_.Desktop, kSlotInfo, fInfo.Bounds);
}

bool TProg::FormClose() {
  // An open error description window keeps what was typed into it.
  if (fErrors.Visible) fErrors.FormClose();
  mnOptionsOknaClick();
  if (k_.Program.Zmeneny != 0 && k_.Program.Online == 0) {
    switch (k_.Ui->Message(TMsgKind::Warning, kOtazkaUlozit, TMsgButtons::YesNoCancel)) {
      case TMsgAnswer::Cancel:
        return false;
      case TMsgAnswer::Yes:
        try {
          fileMenu.UlozSubor(1);
        } catch (const TIoError& e) {
          k_.Ui->ReportError(e.what());
        }
        // A cancelled or failed save keeps the station open with its program,
        // and the starter is not told to quit.
        if (k_.Subory.Ulozene != 1) return false;
        break;
      default:
        break;
    }
  }
  // The operator leaves either way; a desktop that cannot be written is reported.
  try {
    UlozDesktop(k_);
  } catch (const TIoError& e) {
    k_.Ui->ReportError(e.what());
  }
  k_.Platform->QuitStarter();
  return true;
}

void TProg::SetOnLine() {
  k_.Program.Online = 1;
  // A new time online: the next lost edit is reported again.
  k_.Link.StrataHlasena = false;
  machineState.pOnLine.Color = clLime;
  machineState.pNavijacka.Color = clLime;
  machineState.pOnLine.Caption = "ONLINE";
  RepaintLater();
  ZobrazStav(static_cast<uint8_t>(k_.Kresba.StavStroja));
}

void TProg::SetOffLine() {
  k_.Program.Online = 0;
  machineState.pStav.Color = clBtnFace;
  machineState.pStav.Caption = StateCaption(k_.Stroj.Model);
  machineState.pOnLine.Color = clBtnFace;
  machineState.pNavijacka.Color = clBtnFace;
  machineState.pOnLine.Caption = "OFFLINE";
  // Offline no movement of the machine concerns the program here: panels
  // disabled by a movement reported while online would otherwise stay so.
  PovolParametre(true);
  RepaintLater();
  ZobrazStav(static_cast<uint8_t>(k_.Kresba.StavStroja));
}

void TProg::PovolParametre(bool povol) {
  for (TControl* p : {&stepPanel.pPodklad_Param, &captions.pPodklad_Global, &stepKinds.pPodklad_TypKroku,
                      &stepPanel.Panel2})
    p->Enabled = povol;
}

void TProg::ZobrazStav(uint8_t c) {
  MachineStatePanel& m = machineState;
  if (k_.Program.Online == 0) {
    m.pStav.Color = clBtnFace;
    m.pStav.Caption = StateCaption(k_.Stroj.Model);
    m.pAbortStep.Color = clBtnFace;
    m.pAbortStep.Caption = "";
    return;
  }
  m.pStav.Color = StavColor(c);
  const bool stop = m.pStav.Color == clMagenta;
  m.pAbortStep.Color = stop ? clMagenta : clBtnFace;
  m.pAbortStep.Caption = stop ? "Abbruch" : "";
  const int a = k_.Program.AktKrok;
  const uint8_t druh = a >= 1 && a <= kMaxKrokov ? DruhKroku(k_.Program.Kroky[a]) : 0;
  if (auto t = StavCaption(c, k_.Link.KrokStop, druh)) m.pStav.Caption = *t;
  PovolParametre(!TestujCiNavijame(k_, c));
}

void TProg::OnLine_OffLine() {
  if (k_.Program.Online != 0)
    fONLINE.Otvor();
  else
    fOFFLINE.Otvor();
}

void TProg::pAbortStepClick() {
  try {
    fSP.PosliSpravu({119, 0});
  } catch (const TChybaPortu& e) {
    k_.Ui->ReportError(e.what());
  }
}

void TProg::UkazKrok(int n) {
  k_.Program.AktKrok = n;
  stepPanel.BKrok.Caption = "SCHRITT: " + std::to_string(n);
  ZobrazParametre(n);
  NastavVertPos(n);
}

void TProg::mnINFOClick() { k_.Ui->ShowModal(fInfo); }

void TProg::bFunctionsClick() { fFunction.Otvor(); }

void TProg::mnNazovToSuborClick() { k_.Ui->ShowModal(fKonvertNazovToSubor); }

void TProg::ZobrazParametre(int n) { stepPanel.ZobrazParametre(n); }
void TProg::RepaintLater() { drawing.Invalidate(); }
void TProg::RepaintNow() { drawing.RepaintLater(); }
void TProg::NastavVertPos(int n) { drawing.NastavVertPos(n); }
void TProg::VypisProgCaption() { captions.VypisProgCaption(); }
void TProg::ShowProgramLine(const std::string& text) { captions.pProgram.Caption = text; }

void TProg::ShowModelAndGear() {
  machineState.ShowModelAndGear();
  stepKinds.bPrevod.Enabled = k_.Stroj.MeniPrevod == 1;
}

}  // namespace kvr
