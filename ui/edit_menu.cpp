#include "ui/edit_menu.h"

#include "form/ui_services.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "model/program.h"
#include "tools/keypad.h"
#include "ui/wait_window.h"

namespace kvr {

namespace {

constexpr const char* kZiadnyBlok = " Wähle Block der Schritte ! ";
constexpr const char* kPrilisVelaKrokov = " MAX.WICKLUNGSZAHL ÜBERSCHRITTEN !";
constexpr const char* kOdbockaVyzva = " WINDUNGEN:   [0 - 99999.99]";

}  // namespace

EditMenu::EditMenu(TForm& okno, TKontext& k, TVstup& vstup, TfWait& cakanie)
    : mnUNDO{okno, "mnUNDO", TControlKind::MenuItem, "ZURÜCK"},
      mnCUT{okno, "mnCUT", TControlKind::MenuItem, "SCHNEIDEN"},
      mnCOPY{okno, "mnCOPY", TControlKind::MenuItem, "KOPIE"},
      mnPASTE{okno, "mnPASTE", TControlKind::MenuItem, "EINLEGEN"},
      mnDELETE{okno, "mnDELETE", TControlKind::MenuItem, "LOESCHEN"},
      k_(k),
      vstup_(vstup),
      cakanie_(cakanie) {
  mnUNDO.OnClick = [this] { mnUNDOClick(); };
  mnCUT.OnClick = [this] { mnCUTClick(); };
  mnCOPY.OnClick = [this] { mnCOPYClick(); };
  mnPASTE.OnClick = [this] { mnPASTEClick(); };
  mnDELETE.OnClick = [this] { mnCUTClick(); };
}

void EditMenu::BlokNaAktualnyKrok() {
  TVyber& v = k_.Vyber;
  v.ZrusBlok();
  v.ZrusVybraneKroky();
  v.BlokOd = k_.Program.AktKrok;
  v.BlokDo = k_.Program.AktKrok;
}

void EditMenu::mnUNDOClick() {
  Spat(k_);
  k_.MainWindow().RepaintLater();
  k_.MainWindow().ZobrazParametre(k_.Program.AktKrok);
}

void EditMenu::mnCOPYClick() {
  if (KopirujBlok(k_, schranka_) == TBlokVysledok::ZiadnyBlok)
    k_.Ui->Message(TMsgKind::Error, kZiadnyBlok, TMsgButtons::Ok);
  BlokNaAktualnyKrok();
  k_.MainWindow().RepaintLater();
}

void EditMenu::mnCUTClick() {
  const bool hotovo = VystrihniBlok(k_, schranka_) == TBlokVysledok::Hotovo;
  if (hotovo)
    k_.MainWindow().ZobrazParametre(k_.Program.AktKrok);
  else
    k_.Ui->Message(TMsgKind::Error, kZiadnyBlok, TMsgButtons::Ok);
  BlokNaAktualnyKrok();
  PrepocitajKroky(k_.Program);
  if (hotovo && k_.Program.Online != 0) {
    for (int i = 0; i < schranka_.Pocet(); ++i) Posli_DELETE(k_, schranka_.SchrankaOd);
    Posli_Krok(k_, k_.Program.AktKrok);
    SendProgramChanged(k_);
    k_.MainWindow().RepaintLater();
    cakanie_.Cakaj();
    return;
  }
  k_.MainWindow().RepaintLater();
}

void EditMenu::mnPASTEClick() {
  const bool prazdny = k_.Program.PocetKrokov == 0;
  switch (VlozBlok(k_, schranka_)) {
    case TBlokVysledok::PrazdnaSchranka:
      return;
    case TBlokVysledok::PrilisDlhy:
      k_.Ui->Message(TMsgKind::Error, kPrilisVelaKrokov, TMsgButtons::Ok);
      return;
    default:
      break;
  }
  if (k_.Program.Online != 0) {
    // Each pasted step as an insert after the step before it.
    const int pred = prazdny ? schranka_.SchrankaOd - 1 : k_.Program.AktKrok;
    for (int j = pred; j < pred + schranka_.Pocet(); ++j) {
      Posli_INSERT(k_, j);
      Posli_KrokParam(k_, j + 1);
    }
    Posli_Krok(k_, k_.Program.AktKrok);
  }
  k_.MainWindow().RepaintLater();
}

bool EditMenu::Tap() {
  k_.Dialogy.DruhParametra = 2;
  vstup_.Caption = kOdbockaVyzva;
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return false;
  const long double q = k_.Dialogy.VstupHodnota;
  if (!(q > 0.0L && q <= 100000.0L)) return false;
  const TOdbockaVysledok r = Odbocka(k_, q);
  if (r == TOdbockaVysledok::PlnyProgram) k_.Ui->Message(TMsgKind::Error, kPrilisVelaKrokov, TMsgButtons::Ok);
  k_.MainWindow().RepaintLater();
  k_.MainWindow().ZobrazParametre(k_.Program.AktKrok);
  return r == TOdbockaVysledok::Hotovo;
}

}  // namespace kvr
