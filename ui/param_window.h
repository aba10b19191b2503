// The step parameter dialog: every step kind and template is edited here, on
// the working step PracKrok. The openers copy a step or template into it, set
// the mode, light a parameter set and show the dialog; only OK (and insert or
// replace) copy the working step back into the program or a template.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "edit/step_dialog.h"
#include "form/form.h"

namespace kvr {

struct TKontext;
class TVstup;

class TParam : public TForm {
 public:
  TParam(TKontext& k, TVstup& vstup);

  TKontext& Kontext() { return k_; }

  void FormCreate() override;
  void FormShow() override;

  // Left column.
  TControl pZavity{*this, "pZavity", TControlKind::Panel, "WINDUNGSZAHL:", {8, 8, 420, 36}};
  TControl pNulovatZavity{*this, "pNulovatZavity", TControlKind::Panel, " WINDUNGEN: ", {8, 48, 420, 36}};
  TControl rbNulovat{*this, "rbNulovat", TControlKind::RadioButton, " löschen ", {124, 8, 92, 20}};
  TControl rbNenulovat{*this, "rbNenulovat", TControlKind::RadioButton, "nicht löschen", {218, 8, 112, 20}};
  TControl rbPricitat{*this, "rbPricitat", TControlKind::RadioButton, "zurechnen", {332, 8, 86, 20}};
  TControl pPosuvMM{*this, "pPosuvMM", TControlKind::Panel, "VORSCH.[mm]: ", {8, 88, 420, 36}};
  TControl SpinButtonPosuv{*this, "SpinButtonPosuv", TControlKind::Panel, "", {374, 0, 46, 36}};
  TControl SpinButtonPosuvUp{*this, "SpinButtonPosuvUp", TControlKind::Button, "▲", {0, 0, 46, 18}};
  TControl SpinButtonPosuvDown{*this, "SpinButtonPosuvDown", TControlKind::Button, "▼", {0, 18, 46, 18}};
  TControl pSNav{*this, "pSNav", TControlKind::Panel, " VORSCH. RICHT. : ", {8, 128, 420, 36}};
  TControl rbDolava{*this, "rbDolava", TControlKind::RadioButton, " <---- ", {196, 8, 104, 20}};
  TControl rbDoprava{*this, "rbDoprava", TControlKind::RadioButton, " ---->   ", {304, 8, 110, 20}};
  TControl pLRev{*this, "pLRev", TControlKind::Panel, " L.WENDEPUNKT: ", {8, 168, 206, 36}};
  TControl pAKP_LRev{*this, "pAKP_LRev", TControlKind::Panel, " AUT.KORR. L : ", {218, 168, 210, 36}};
  TControl pPRev{*this, "pPRev", TControlKind::Panel, " R.WENDEPUNKT: ", {8, 208, 206, 36}};
  TControl pAKP_PRev{*this, "pAKP_PRev", TControlKind::Panel, " AUT.KORR. R : ", {218, 208, 210, 36}};
  TControl pOtackyMin{*this, "pOtackyMin", TControlKind::Panel, " DREHZAHL: ", {8, 248, 420, 36}};
  TControl pSOtac{*this, "pSOtac", TControlKind::Panel, " DREHRICHTUNG: ", {8, 288, 420, 36}};
  TControl rbLavy{*this, "rbLavy", TControlKind::RadioButton, "links", {196, 8, 104, 20}};
  TControl rbPravy{*this, "rbPravy", TControlKind::RadioButton, "rechts", {304, 8, 110, 20}};
  TControl pKryt{*this, "pKryt", TControlKind::Panel, " SCHILD: ", {8, 328, 420, 36}};
  TControl rbSnimat{*this, "rbSnimat", TControlKind::RadioButton, "kippen", {196, 8, 104, 20}};
  TControl rbNesnimat{*this, "rbNesnimat", TControlKind::RadioButton, "nicht kippen", {304, 8, 110, 20}};
  TControl pInOut{*this, "pInOut", TControlKind::Panel, " EINGÄNGE / AUSGÄNGE ", {8, 368, 420, 36}};
  TControl pRychPresun{*this, "pRychPresun", TControlKind::Panel, "VORSCHUBGES. : ", {8, 408, 420, 36}};
  TControl rb10{*this, "rb10", TControlKind::RadioButton, "10", {164, 8, 56, 20}};
  TControl rb25{*this, "rb25", TControlKind::RadioButton, "25", {226, 8, 56, 20}};
  TControl rb50{*this, "rb50", TControlKind::RadioButton, "50", {288, 8, 56, 20}};
  TControl rb100{*this, "rb100", TControlKind::RadioButton, "100", {350, 8, 64, 20}};
  TControl pLReverz{*this, "pLReverz", TControlKind::Panel, "", {8, 448, 120, 36}};
  TControl pSuradnica{*this, "pSuradnica", TControlKind::Panel, "", {132, 448, 172, 36}};
  TControl pPReverz{*this, "pPReverz", TControlKind::Panel, "", {308, 448, 120, 36}};
  TControl gbKomorka{*this, "gbKomorka", TControlKind::GroupBox, " Kammer: ", {8, 488, 420, 64}};
  // kom1..kom20 (index 0..19), made by the constructor.
  std::vector<std::unique_ptr<TControl>> Komory;
  TControl rgTrapezoid{*this, "rgTrapezoid", TControlKind::GroupBox, "  TRAPEZOID  ", {8, 556, 420, 68}};
  TControl pLTRAP_hodnota{*this, "pLTRAP_hodnota", TControlKind::Panel, " LINKS  - Wert: ", {6, 16, 250, 24}};
  TControl pLTRAP_sklon{*this, "pLTRAP_sklon", TControlKind::Panel, " Neigung: /", {260, 16, 154, 24}};
  TControl pRTRAP_hodnota{*this, "pRTRAP_hodnota", TControlKind::Panel, " RECHTS - Wert: ", {6, 40, 250, 24}};
  TControl pRTRAP_sklon{*this, "pRTRAP_sklon", TControlKind::Panel, " Neigung: /", {260, 40, 154, 24}};
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {8, 630, 100, 44}};
  TControl bCANCEL{*this, "bCANCEL", TControlKind::Button, "CANCEL", {112, 630, 110, 44}};
  TControl bReplace{*this, "bReplace", TControlKind::Button, "UMSCHREIBE SCHRITT: ", {226, 630, 220, 44}};
  TControl bInsert{*this, "bInsert", TControlKind::Button, "LEGE HINTER SCHRITT EIN: ", {450, 630, 222, 44}};

  // Right column.
  TControl rgTypCyklu{*this, "rgTypCyklu", TControlKind::RadioGroup, "ZYKLUSART", {436, 8, 236, 120}};
  TControl pVE{*this, "pVE", TControlKind::Panel, "  LAGE ENDE ", {436, 132, 236, 36}};
  TControl chbVE{*this, "chbVE", TControlKind::CheckBox, "", {10, 8, 22, 20}};
  TControl pVS{*this, "pVS", TControlKind::Panel, "  LAGE STOP ", {436, 172, 236, 36}};
  TControl chbVS{*this, "chbVS", TControlKind::CheckBox, "", {10, 8, 22, 20}};
  TControl pAMR{*this, "pAMR", TControlKind::Panel, "  AUT. IN MANUAL", {436, 212, 236, 36}};
  TControl chbAMR{*this, "chbAMR", TControlKind::CheckBox, "", {10, 8, 22, 20}};
  TControl pAKP{*this, "pAKP", TControlKind::Panel, "  AUT. KORREKTUR ", {436, 252, 236, 36}};
  TControl chbAKP{*this, "chbAKP", TControlKind::CheckBox, "", {10, 8, 22, 20}};
  TControl pRozbeh{*this, "pRozbeh", TControlKind::Panel, "BESCHL: ", {436, 292, 184, 36}};
  TControl sbRozbeh{*this, "sbRozbeh", TControlKind::Panel, "", {624, 292, 48, 36}};
  TControl sbRozbehUp{*this, "sbRozbehUp", TControlKind::Button, "▲", {0, 0, 48, 18}};
  TControl sbRozbehDown{*this, "sbRozbehDown", TControlKind::Button, "▼", {0, 18, 48, 18}};
  TControl pDobeh{*this, "pDobeh", TControlKind::Panel, "ABBREM: ", {436, 332, 184, 36}};
  TControl sbDobeh{*this, "sbDobeh", TControlKind::Panel, "", {624, 332, 48, 36}};
  TControl sbDobehUp{*this, "sbDobehUp", TControlKind::Button, "▲", {0, 0, 48, 18}};
  TControl sbDobehDown{*this, "sbDobehDown", TControlKind::Button, "▼", {0, 18, 48, 18}};
  TControl pSpreadZav1{*this, "pSpreadZav1", TControlKind::Panel, "SPREIZE Wind.", {436, 372, 236, 36}};
  TControl pSpreadZav2{*this, "pSpreadZav2", TControlKind::Panel, "", {436, 412, 236, 36}};
  TControl pVrstva{*this, "pVrstva", TControlKind::Panel, " LAGE: ", {436, 452, 236, 36}};
  TControl pPrevod{*this, "pPrevod", TControlKind::Panel, "  GETRIEBE:", {436, 492, 236, 56}};
  TControl rbGear_1{*this, "rbGear_1", TControlKind::RadioButton, "", {112, 6, 116, 20}};
  TControl rbGear_2{*this, "rbGear_2", TControlKind::RadioButton, "", {112, 30, 116, 20}};
  TControl pKrok{*this, "pKrok", TControlKind::Panel, "SCHRITT: ", {436, 556, 184, 36}};
  TControl sbKrok{*this, "sbKrok", TControlKind::Panel, "", {624, 556, 48, 36}};
  TControl sbKrokUp{*this, "sbKrokUp", TControlKind::Button, "▲", {0, 0, 48, 18}};
  TControl sbKrokDown{*this, "sbKrokDown", TControlKind::Button, "▼", {0, 18, 48, 18}};

  // Preparation by the openers.
  void Inic();
  void InicFunc();
  void ApplyParamSet(TParamSet s);
  void ParamDefZav() { ApplyParamSet(TParamSet::ParamDefZav); }
  void ParamVrstvaPosuvAut() { ApplyParamSet(TParamSet::ParamVrstvaPosuvAut); }
  void ParamVrstvaZavityAut() { ApplyParamSet(TParamSet::ParamVrstvaZavityAut); }
  void ParamVrstvaStop() { ApplyParamSet(TParamSet::ParamVrstvaStop); }
  void ParamOlep() { ApplyParamSet(TParamSet::ParamOlep); }
  void ParamPresun() { ApplyParamSet(TParamSet::ParamPresun); }
  void ParamSkok() { ApplyParamSet(TParamSet::ParamSkok); }
  void ParamDelay() { ApplyParamSet(TParamSet::ParamDelay); }
  void ParamPrevod() { ApplyParamSet(TParamSet::ParamPrevod); }
  void ParamSpreadVinutie() { ApplyParamSet(TParamSet::ParamSpreadVinutie); }
  void ParamSpreadVrstva() { ApplyParamSet(TParamSet::ParamSpreadVrstva); }
  // Enables and paints lime.
  static void Rozsviet(TControl& c);
  // Disables and paints in the button face.
  static void Zhasni(TControl& c);

  void ZobrazParametre();
  void ZobrazKomorky();
  // Shows the dialog as its mode wants: modal (the result is returned) or
  // non-modal (None is returned at once).
  TModalResult Zobraz();

  // Handlers.
  void pZavityClick();
  void pPosuvMMClick();
  void SpinButtonPosuvDownClick();
  void SpinButtonPosuvUpClick();
  void pLRevClick();
  void pPRevClick();
  void pSuradnicaClick();
  void pLReverzClick();
  void pPReverzClick();
  void pOtackyMinClick();
  void pVrstvaClick();
  void pKrokClick();
  void sbKrokDownClick();
  void sbKrokUpClick();
  void sbRozbehDownClick();
  void sbRozbehUpClick();
  void sbDobehDownClick();
  void sbDobehUpClick();
  void pSpreadZav1Click();
  void rbLavyClick();
  void rbPravyClick();
  void rbDolavaClick();
  void rbDopravaClick();
  void rbSnimatClick();
  void rbNesnimatClick();
  void rbNulovatClick();
  void rbNenulovatClick();
  void rbPricitatClick();
  void rgTypCykluClick();
  void chbVSClick();
  void chbVEClick();
  void chbAMRClick();
  void chbAKPClick();
  void pAKP_LRevClick();
  void pAKP_PRevClick();
  void pLTRAP_hodnotaClick();
  void pLTRAP_sklonClick();
  void pRTRAP_hodnotaClick();
  void pRTRAP_sklonClick();
  void rb10Click();
  void rb25Click();
  void rb50Click();
  void rb100Click();
  void rbGear_1Click();
  void rbGear_2Click();
  void pInOutClick();
  void KomorkaClick(int komora);
  void bOKClick();
  void bCANCELClick();
  // Insert after the chosen step, or write over it.
  void bInsertClick();
  void bReplaceClick();
  // Inserts r after step AktKrok (false, after its box, when there is no room).
  bool VlozKrok(const TKrok& r);

  // How an opener prepares the dialog: the working step, the mode, the
  // preparation and parameter set, then the display and the showing.
  struct TOtvorenie {
    std::optional<int> DruhParametra;
    int DruhEditacie = 0;
    TKrok Zdroj{};
    std::optional<uint8_t> Druh;
    bool Funkcia = false;  // InicFunc (new program steps), else Inic
    std::optional<TParamSet> Sada;
    std::string Caption;  // for sets without a caption of their own
    std::function<void()> PredZobrazenim;  // after the set, before the display
    std::function<void()> PredUkazanim;    // after the display
  };
  TModalResult Otvor(const TOtvorenie& o);

  // The inputs/outputs window on the working step; false when it was
  // cancelled. Set by the main window, which owns that window.
  std::function<bool(TKrok&)> UpravVstupyVystupy;

 private:
  // Keypad entry for a panel: ask, check, store, redisplay.
  void Zadaj(TParamPanel p);
  // The step number captions of the step spin, insert and replace.
  void VypisCisloKroku();
  void ZobrazPanel(TParamPanel p);
  void NastavRozbehDobeh(TControl& panel, const char* text, int tag);
  // The step spin and the run-up and run-down spins, by o steps.
  void PosunKrok(int o);
  void PosunUroven(TControl& panel, const char* text, uint8_t& pole, int o);
  void VlozAleboPrepis(bool vloz);
  void VyberPocitadlo(TControl& zapnuty);

  TKontext& k_;
  TVstup& vstup_;
};

}  // namespace kvr
