#include "ui/templates_menu.h"

#include <optional>

#include "form/ui_services.h"
#include "model/bobbin_files.h"
#include "edit/step_dialog.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "ui/param_window.h"
#include "ui/file_menu.h"

namespace kvr {

TemplatesMenu::TemplatesMenu(TForm& okno, TKontext& k, TParam& param)
    : mnKONSTANTY{okno, "mnKONSTANTY", TControlKind::MenuItem, "KONSTANTEN"},
      mkOtvor{okno, "mkOtvor", TControlKind::MenuItem, "Öffnen"},
      mkUloz{okno, "mkUloz", TControlKind::MenuItem, "Speichern"},
      mkDEFZAV{okno, "mkDEFZAV", TControlKind::MenuItem, "WINDUNGEN 1"},
      mkDefZav2{okno, "mkDefZav2", TControlKind::MenuItem, "WINDUNGEN 2"},
      mkVrstvaZavity{okno, "mkVrstvaZavity", TControlKind::MenuItem, "LAGE WIND.AUT."},
      mkVrstvaPosuv{okno, "mkVrstvaPosuv", TControlKind::MenuItem, "LAGE VORSCH.AUT."},
      mkVrstvaStop{okno, "mkVrstvaStop", TControlKind::MenuItem, "LAGE STOP"},
      mkOLEP{okno, "mkOLEP", TControlKind::MenuItem, "BANDAGIEREN"},
      mkPRESUN{okno, "mkPRESUN", TControlKind::MenuItem, "VERSCHIEBUNG"},
      mkSKOK{okno, "mkSKOK", TControlKind::MenuItem, "SPRUNG"},
      mkDelay{okno, "mkDelay", TControlKind::MenuItem, "PAUSE"},
      k_(k),
      param_(param) {
  for (TControl* c : {&mkOtvor, &mkUloz, &mkDEFZAV, &mkDefZav2, &mkVrstvaZavity, &mkVrstvaPosuv, &mkVrstvaStop, &mkOLEP,
                      &mkPRESUN, &mkSKOK, &mkDelay})
    c->Parent = mnKONSTANTY.Name();
  mkOtvor.OnClick = [this] { Open_Konstanty(); };
  mkUloz.OnClick = [this] { mkUlozClick(); };
  mkDEFZAV.OnClick = [this] { mkDEFZAVClick(); };
  mkDefZav2.OnClick = [this] { mkDefZav2Click(); };
  mkVrstvaZavity.OnClick = [this] { mkVrstvaZavityClick(); };
  mkVrstvaPosuv.OnClick = [this] { mkVrstvaPosuvClick(); };
  mkVrstvaStop.OnClick = [this] { mkVrstvaStopClick(); };
  mkOLEP.OnClick = [this] { mkOLEPClick(); };
  mkPRESUN.OnClick = [this] { mkPRESUNClick(); };
  mkSKOK.OnClick = [this] { mkSKOKClick(); };
  mkDelay.OnClick = [this] { mkDelayClick(); };
}

void TemplatesMenu::Sablona(int sablona, bool posli) {
  static constexpr TParamSet kSady[9] = {TParamSet::ParamDefZav,        TParamSet::ParamDefZav,
                                         TParamSet::ParamVrstvaPosuvAut, TParamSet::ParamVrstvaZavityAut,
                                         TParamSet::ParamVrstvaStop,     TParamSet::ParamOlep,
                                         TParamSet::ParamPresun,         TParamSet::ParamSkok,
                                         TParamSet::ParamDelay};
  TParam::TOtvorenie o;
  o.DruhEditacie = rezim::kKonst + sablona;
  o.Zdroj = k_.KonstKroky[static_cast<size_t>(sablona)];
  o.Sada = kSady[sablona];
  const bool vinutie = sablona <= 1;
  if (vinutie || sablona == 5) o.Druh = kDruhWicklung;
  if (vinutie) {
    o.Caption = sablona == 0 ? "WINDUNGEN 1 - leuchtende Parameter einzustellen "
                             : "WINDUNGEN 2 - leuchtende Parameter einzustellen ";
    o.PredZobrazenim = [this] { param_.rbNenulovat.Visible = true; };
    // A template has no place in a program to count its turns from.
    o.PredUkazanim = [this] {
      param_.pVE.Visible = false;
      param_.chbVE.Checked = false;
    };
  }
  // The shift template's coordinate is its own value until the operator
  // changes it, so OK alone keeps it.
  if (sablona == 6) k_.Dialogy.Suradnica = k_.KonstKroky[6].Hodnota;
  const TModalResult r = param_.Otvor(o);
  (void)r;
  if (vinutie) param_.pVE.Visible = true;
  if (posli) Posli_KrokParam(k_, k_.Program.AktKrok);
}

void TemplatesMenu::mkDEFZAVClick() { Sablona(0, false); }
void TemplatesMenu::mkDefZav2Click() { Sablona(1, false); }
void TemplatesMenu::mkVrstvaZavityClick() { Sablona(2, true); }
void TemplatesMenu::mkVrstvaPosuvClick() { Sablona(3, true); }
void TemplatesMenu::mkVrstvaStopClick() { Sablona(4, true); }
void TemplatesMenu::mkOLEPClick() { Sablona(5, true); }
void TemplatesMenu::mkPRESUNClick() { Sablona(6, true); }
void TemplatesMenu::mkSKOKClick() { Sablona(7, true); }
void TemplatesMenu::mkDelayClick() { Sablona(8, true); }

void TemplatesMenu::Open_Konstanty() {
  const TFileDialog d = FileDialogFor(k_, k_.Program.MenoKonstant, kAdresarKonstant, "Öffnen");
  const std::string meno = k_.Ui->OpenDialog(d).value_or(d.FileName);
  if (meno.empty()) k_.Program.MenoKonstant.clear();
  if (!meno.empty()) {
    // A file that cannot be read throws before anything changed.
    NacitajKonstanty(k_, meno);
    k_.Program.MenoKonstant = meno;
    k_.MainWindow().VypisProgCaption();
    k_.Program.Zmeneny = 1;
  }
}

void TemplatesMenu::mkUlozClick() {
  const TFileDialog d = FileDialogFor(k_, k_.Program.MenoKonstant, kAdresarKonstant, "Speichern");
  const std::optional<std::string> meno = k_.Ui->SaveDialog(d);
  if (!meno) return;
  k_.Program.MenoKonstant = *meno;
  UlozKonstanty(k_, k_.Program.MenoKonstant);
  k_.MainWindow().VypisProgCaption();
}

}  // namespace kvr
