#include "ui/prog.h"

#include <algorithm>
#include <utility>

#include "model/desktop.h"
#include "model/io.h"
#include "model/kodovanie.h"
#include "model/konstanty.h"
#include "model/program.h"
#include "model/stroj.h"
#include "model/subory.h"
#include "platform/platform.h"
#include "tools/updown.h"
#include "tools/vstup.h"
#include "tools/vstup_tw.h"
#include "ui/errors_okno.h"
#include "ui/info_okno.h"
#include "ui/okna.h"
#include "ui/sluzby.h"
#include "ui/wait_okno.h"
#include "ui/warnings_okno.h"

namespace kvr {

namespace {

constexpr const char* kOtazkaUlozit = "Vorschlag wurde modifiziert, speichern ?";
constexpr const char* kFilterVsetko = "Alle Dateien (*.*)|*.*";

}  // namespace

TProg::TProg(IUi& ui, IPlatform& platform)
    : TForm("Prog", "KVR", {0, 0, 1048, 816}), k_(ui, platform), fModel(k_) {
  k_.Prog = this;
  BorderStyle = TBorderStyle::Sizeable;
  FrameSize = true;
  for (TControl* c : {&mnSuborNovy, &mnSuborOtvor, &mnUlozGX, &mnUlozT, &mnUlozT_W, &mnSuborExit})
    c->Parent = mnSubor.Name();
  for (TControl* c : {&mnKontrol, &mnOptionsModel, &mnOptionsPosun, &mnParametre, &mnZoomPlus, &mnZoomMinus})
    c->Parent = mnOPTIONS.Name();
  for (TControl* c : {&mnKostrickaVyber, &mnKostrickaZrus, &mnKostrickaNavrh, &mnKostrickaZarovnaj})
    c->Parent = mnKOSTRICKA.Name();
  for (TControl* c : {&mkOtvor, &mkUloz, &mkDEFZAV, &mkDefZav2, &mkVrstvaZavity, &mkVrstvaPosuv, &mkVrstvaStop, &mkOLEP,
                      &mkPRESUN, &mkSKOK, &mkDelay})
    c->Parent = mnKONSTANTY.Name();
  PaintBox1.Parent = Panel1.Name();
  ScrollBar1.Parent = Panel1.Name();
  Panel1.Color = clWhite;
  ScrollBar1.Min = 0;
  ScrollBar1.Max = 15000;
  ScrollBar1.SmallChange = 10;
  ScrollBar1.LargeChange = 100;
  ScrollBar1.Position = 15000;
  gParam.Parent = pStepBackground.Name();
  bNulovat.Parent = gParam.Name();
  lbSF.Parent = gParam.Name();
  lbInOut.Parent = gParam.Name();
  for (TControl* c : {&bDefZav, &bDefZav2, &bPresun, &bSkok, &bDelay, &bPrevod, &bFunctions}) c->Parent = gTypKroku.Name();
  mnUlozGX.Tag = 0;
  mnUlozT.Tag = 1;

  mnSuborNovy.OnClick = [this] { mnSuborNovyClick(); };
  mnSuborOtvor.OnClick = [this] { mnSuborOtvorClick(); };
  mnUlozGX.OnClick = [this] { mnUlozGXClick(); };
  mnUlozT.OnClick = [this] { mnUlozTClick(); };
  mnUlozT_W.OnClick = [this] { mnUlozT_WClick(); };
  mnSuborExit.OnClick = [this] { mnSuborExitClick(); };
  mnOptionsModel.OnClick = [this] { mnOptionsModelClick(); };
  mnINFO.OnClick = [this] { mnINFOClick(); };
  mnKostrickaVyber.OnClick = [this] { Open_Kostricka(); };
  lbKostricka.OnClick = [this] { Open_Kostricka(); };
  mnKostrickaNavrh.OnClick = [this] { mnKostrickaNavrhClick(); };
  mnKostrickaZrus.OnClick = [this] { mnKostrickaZrusClick(); };
  mkOtvor.OnClick = [this] { Open_Konstanty(); };
  lbKonstanty.OnClick = [this] { Open_Konstanty(); };
  mkUloz.OnClick = [this] { mkUlozClick(); };
  WireDrawing();
}

TProg::~TProg() { k_.Prog = nullptr; }

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
    NacitajDesktop(k_, VStartAdresari(k_, kDesktopSubor));
  } catch (const TIoError& e) {
    k_.Ui->ReportError(e.what());
  }
  const TDesktop& d = k_.Desktop;
  for (int s = 0; s < 9; ++s) k_.KonstKroky[static_cast<size_t>(SablonaSlotu(s).Index)] = d.Sablony[s];

  BorderStyle = TBorderStyle::Sizeable;
  Bounds.Height = 816;
  Bounds.Width = 1048;
  k_.Program.MenoSuboru = CitajKratkyRetazec(d.MenoSuboru, 255);
  k_.Stroj.Model = CitajKratkyRetazec(d.Model, 20);
  k_.Stroj.Prevod = d.Prevod;
  k_.Program.MenoKonstant = CitajKratkyRetazec(d.MenoKonstant, 255);
  k_.Program.MenoKostricky = CitajKratkyRetazec(d.MenoKostricky, 255);
  k_.Kostricka = d.Kostricka;
  NastavModel(k_);
  k_.Program.PoslednyOtvor = k_.Program.MenoSuboru;
  pStav.Caption = k_.Stroj.Model + " :  OFFLINE";
  // A zoom the zoom commands could never have stored starts the window at 100 %.
  const int32_t z = k_.Desktop.Zoom;
  if (z < 100 || z > 300) k_.Desktop.Zoom = 100;
  Zoom = static_cast<double>(static_cast<int32_t>(k_.Desktop.Zoom)) / 100.0;
  k_.Kresba.VyskaPisma = 9;

  // The other windows, in their order of creation; each places itself.
  fErrors = std::make_unique<TfErrors>(k_);
  fErrors->FormCreate();
  fInfo = std::make_unique<TfInfo>(k_);
  fInfo->FormCreate();
  fUpDown = std::make_unique<TfUpDown>(k_);
  fUpDown->FormCreate();
  fVstup = std::make_unique<TVstup>(k_);
  fVstup->FormCreate();
  fVstupTW = std::make_unique<TfVstupTW>(k_);
  fVstupTW->FormCreate();
  fWait = std::make_unique<TfWait>(k_);
  fWait->FormCreate();
  fWarnings = std::make_unique<TfWarnings>(k_);
  fWarnings->FormCreate();
  fModel.FormCreate();
}

void TProg::FormShow() {
  const std::pair<TControl*, const char*> texty[] = {
      {&mnSubor, "DATEI"},
      {&mnSuborOtvor, "Öffnen"},
      {&mnUlozGX, "Speichern format KVR-G,KVR-C"},
      {&mnUlozT, "Speichern format  KVR-T"},
      {&mnUlozT_W, "Speichern wie KVR-T + Achtungen"},
      {&mnSuborNovy, "Neu"},
      {&mnSuborExit, "Ende"},
      {&mnUNDO, "ZURÜCK"},
      {&mnCUT, "SCHNEIDEN"},
      {&mnCOPY, "KOPIE"},
      {&mnPASTE, "EINLEGEN"},
      {&mnDELETE, "LOESCHEN"},
      {&mnOPTIONS, "MÖGLICHKEITEN"},
      {&mnKontrol, "Kontrolle"},
      {&mnOptionsModel, "Model"},
      {&mnOptionsPosun, "Vorschub"},
      {&mnINFO, "INFO"},
      {&mnKOSTRICKA, "SPULENKÖRPER"},
      {&mnKostrickaVyber, "Auswahl"},
      {&mnKostrickaZrus, "Lösche"},
      {&mnKostrickaNavrh, "Vorschlag"},
      {&mnKostrickaZarovnaj, "Richten"},
      {&mnKONSTANTY, "KONSTANTEN"},
      {&mkOtvor, "Öffnen"},
      {&mkUloz, "Speichern"},
      {&mkDEFZAV, "WINDUNGEN 1"},
      {&mkDefZav2, "WINDUNGEN 2"},
      {&mkVrstvaZavity, "LAGE WIND.AUT."},
      {&mkVrstvaPosuv, "LAGE VORSCH.AUT."},
      {&mkVrstvaStop, "LAGE STOP"},
      {&mkOLEP, "BANDAGIEREN"},
      {&mkPRESUN, "VERSCHIEBUNG"},
      {&mkSKOK, "SPRUNG"},
      {&mkDelay, "PAUSE"},
      {&bDefZav, "WINDUNGEN 1"},
      {&bDefZav2, "WINDUNGEN 2"},
      {&bPresun, "VERSCHIEBUNG"},
      {&bSkok, "SPRUNG"},
      {&bDelay, "PAUSE"},
      {&bPrevod, "GETRIEBE"},
      {&bFunctions, "    FUNKTION.   "},
      {&pAction, "AKTIONEN"},
      {&B_OverView, "UEBERSICHT"},
      {&gTypKroku, "     SCHRITTART    "},
      {&bNulovat, " WINDUNGEN: "},
      {&lbSF, "SPEZIELLE FUNKTIONEN"},
      {&lbInOut, " EINGÄNGE / AUSGÄNGE "},
      {&lbKostricka, "KÖRPER NAME:"},
      {&lbKonstanty, "KONSTANTEN NAME:"},
      {&pAbortStep, "Abbruch"},
      {&pPocetZavitov, "Windungen: "},
      {&pPolohaNav, "Lage: "},
      {&pVrstvaNav, " LAGE: "},
      {&pPrevodNav, "Getriebe: "},
      {&pSmerPosuvu, ""},
      {&pStepBackground, "SCHRITT:  0"},
  };
  for (const auto& [c, t] : texty) c->Caption = t;
  mnKontrol.Enabled = true;
  mnUlozGX.Tag = 0;
  mnUlozT.Tag = 1;

  k_.Kresba.Prehlad = 0;
  k_.Kresba.RezimMysi = 1;
  k_.Program.AktKrok = 0;
  k_.PosunHodnota = 0.0L;
  k_.Program.PocetKrokov = 0;
  bPrevod.Enabled = k_.Stroj.MeniPrevod == 1;
  k_.AktKomora = PociatocnaKomora(k_.Kostricka);
  VypisProgCaption(k_);
  ZobrazParametre(0);

  const std::string ini = CestaWarningov(k_);
  if (SuborExistuje(ini)) NacitajWarningy(k_, ini);

  const std::string& meno = k_.Program.MenoSuboru;
  if (!meno.empty() && SuborExistuje(meno)) {
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

  gParam.Enabled = true;
  mnOptionsModel.Enabled = true;
  mnZoomPlus.Enabled = true;
  mnZoomMinus.Enabled = true;
  mnParametre.Enabled = false;
  pPrevodNav.Caption = PrevodNavCaption(k_);
}

void TProg::mnOptionsOknaClick() {
  UlozMiestoOkna(k_, *this, kSlotProg);
  if (fUpDown) UlozMiestoOkna(k_, *fUpDown, kSlotUpDown);
  if (fVstup) UlozMiestoOkna(k_, *fVstup, kSlotVstup);
  if (fErrors) UlozMiestoOkna(k_, *fErrors, kSlotErrors);
  if (fInfo) UlozMiestoOkna(k_, *fInfo, kSlotInfo);
}

bool TProg::FormClose() {
  // An open error description window keeps what was typed into it.
  if (fErrors && fErrors->Visible) fErrors->FormClose();
  mnOptionsOknaClick();
  if (k_.Program.Zmeneny != 0 && k_.Program.Online == 0) {
    switch (k_.Ui->Message(TMsgKind::Warning, kOtazkaUlozit, TMsgButtons::YesNoCancel)) {
      case TMsgAnswer::Cancel:
        return false;
      case TMsgAnswer::Yes:
        try {
          UlozSubor(k_, 1);
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

void TProg::mnSuborNovyClick() { NovyProgram(k_); }

void TProg::mnSuborOtvorClick() { OtvorSubor(k_); }
void TProg::mnUlozGXClick() { UlozMenu(k_, 0); }
void TProg::mnUlozTClick() { UlozMenu(k_, 1); }
void TProg::mnUlozT_WClick() { UlozMenu(k_, 2); }

void TProg::mnOptionsModelClick() {
  k_.Ui->ShowModal(fModel);
  ZobrazParametre(k_.Program.AktKrok);
  k_.Ui->Invalidate(*this, PaintBox1.Name());
}

void TProg::mnSuborExitClick() {
  if (FormClose()) Close(TModalResult::None);
}

void TProg::mnINFOClick() {
  if (fInfo) k_.Ui->ShowModal(*fInfo);
}

namespace {

// The open dialog's start for a bobbin or constants file: the current file's
// folder and name when it exists, else the default folder with no name.
TFileDialog DialogSuboru(TKontext& k, const std::string& aktualny, std::string_view predvolenyAdresar,
                         const char* titul) {
  TFileDialog d;
  d.Title = titul;
  d.Filter = kFilterVsetko;
  if (!aktualny.empty() && SuborExistuje(aktualny)) {
    d.InitialDir = AdresarSuboru(aktualny);
    d.FileName = aktualny;
  } else {
    d.InitialDir = k.Platform->MapSystemPath(predvolenyAdresar);
  }
  return d;
}

}  // namespace

void TProg::Open_Kostricka() {
  const TFileDialog d = DialogSuboru(k_, k_.Program.MenoKostricky, kAdresarKostriciek, "Öffnen");
  // A cancelled dialog keeps its proposed name, so the current file is read again.
  k_.Program.MenoKostricky = k_.Ui->OpenDialog(d).value_or(d.FileName);
  if (!k_.Program.MenoKostricky.empty()) {
    NacitajKostricku(k_, k_.Program.MenoKostricky, k_.Kostricka);
    k_.KostrickaNavrh = k_.Kostricka;
    k_.AktKomora = PociatocnaKomora(k_.Kostricka);
    k_.Program.Zmeneny = 1;
    k_.Ui->Invalidate(*this, PaintBox1.Name());
  }
  VypisProgCaption(k_);
}

void TProg::mnKostrickaNavrhClick() {
  // The bobbin editor's window joins the station with the editor itself; until
  // then the entry leaves bobbin, name and captions as they are.
}

void TProg::mnKostrickaZrusClick() {
  k_.Kostricka = TKostricka{};
  k_.Program.MenoKostricky.clear();
  k_.AktKomora = 0;
  VypisProgCaption(k_);
  k_.Program.Zmeneny = 1;
  k_.Ui->Invalidate(*this, PaintBox1.Name());
}

void TProg::Open_Konstanty() {
  const TFileDialog d = DialogSuboru(k_, k_.Program.MenoKonstant, kAdresarKonstant, "Öffnen");
  k_.Program.MenoKonstant = k_.Ui->OpenDialog(d).value_or(d.FileName);
  if (!k_.Program.MenoKonstant.empty()) {
    NacitajKonstanty(k_, k_.Program.MenoKonstant);
    VypisProgCaption(k_);
    k_.Program.Zmeneny = 1;
  }
}

void TProg::mkUlozClick() {
  const TFileDialog d = DialogSuboru(k_, k_.Program.MenoKonstant, kAdresarKonstant, "Speichern");
  const std::optional<std::string> meno = k_.Ui->SaveDialog(d);
  if (!meno) return;
  k_.Program.MenoKonstant = *meno;
  UlozKonstanty(k_, k_.Program.MenoKonstant);
  VypisProgCaption(k_);
}

}  // namespace kvr
