#include "ui/online_windows.h"

#include "form/ui_services.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "model/desktop.h"
#include "ui/main_window.h"

namespace kvr {

namespace {

constexpr const char* kOtazkaUmschreiben = "Umschreiben Program aus KVR ?";

}  // namespace

TformOFFLINE::TformOFFLINE(TKontext& k, TProg& prog)
    : TForm("formOFFLINE", "", {0, 0, 452, 554}), k_(k), prog_(prog) {
  BorderStyle = TBorderStyle::None;
  Position = TPosition::MainFormCenter;
  Color = clGray;
  for (TControl* c : {&pNewProg, &pProgToFile, &pProgFromFile}) c->Parent = GroupBox2.Name();
  for (TControl* c : {&pONLINE, &pProgToKVR, &pProgFromKVR}) c->Parent = GroupBox1.Name();
  pONLINE.Visible = false;
  GroupBox1.Visible = false;
  pClose.OnClick = [this] { pCloseClick(); };
  pExit.OnClick = [this] { pExitClick(); };
  pNewProg.OnClick = [this] { pNewProgClick(); };
  pProgToFile.OnClick = [this] { pProgToFileClick(); };
  pProgFromFile.OnClick = [this] { pProgFromFileClick(); };
  pONLINE.OnClick = [this] { pONLINEClick(); };
  pProgToKVR.OnClick = [this] { pProgToKVRClick(); };
  pProgFromKVR.OnClick = [this] { pProgFromKVRClick(); };
}

void TformOFFLINE::FormShow() { GroupBox1.Visible = false; }

void TformOFFLINE::Otvor() {
  FormShow();
  k_.Ui->ShowModal(*this);
}

void TformOFFLINE::pCloseClick() { Close(TModalResult::Cancel); }

void TformOFFLINE::pExitClick() {
  Close(TModalResult::Cancel);
  prog_.fileMenu.mnSuborExitClick();
}

void TformOFFLINE::pNewProgClick() {
  prog_.UkazKrok(1);
  prog_.fileMenu.mnSuborNovyClick();
  Close(TModalResult::Ok);
}

void TformOFFLINE::pProgToFileClick() {
  Close(TModalResult::Ok);
  prog_.fileMenu.mnUlozTClick();
}

void TformOFFLINE::pProgFromFileClick() {
  Close(TModalResult::Ok);
  prog_.fileMenu.OtvorSubor();
}

void TformOFFLINE::pONLINEClick() {
  if (k_.Ui->Message(TMsgKind::Warning, kOtazkaUmschreiben, TMsgButtons::YesNo) != TMsgAnswer::Yes) return;
  prog_.fSP.NavPc();
  Close(TModalResult::Ok);
}

void TformOFFLINE::pProgToKVRClick() {
  ZapisWindingProgram(k_, k_.Program.PoslednyOtvor);
  prog_.SetOnLine();
  prog_.UkazKrok(0);
  Posli_Krok(k_, 0);
  prog_.fSP.PcNav();
  // Closes when the command ends; the wait window shows over the main window.
  Close(TModalResult::Ok);
  prog_.fWait.Cakaj();
  prog_.fSP.PosliSpravu({81, 0});
}

void TformOFFLINE::pProgFromKVRClick() {
  prog_.fSP.PosliSpravu({81, 0});
  prog_.fSP.NavPc();
  Close(TModalResult::Ok);
}

TformONLINE::TformONLINE(TKontext& k, TProg& prog) : TForm("formONLINE", "", {0, 0, 452, 358}), k_(k), prog_(prog) {
  BorderStyle = TBorderStyle::None;
  Position = TPosition::MainFormCenter;
  Color = clGray;
  lbStav.Color = clLime;
  pOFFLINE.OnClick = [this] { pOFFLINEClick(); };
  pNEW.OnClick = [this] { pNEWClick(); };
  pClose.OnClick = [this] { pCloseClick(); };
  pExit.OnClick = [this] { pExitClick(); };
}

void TformONLINE::Otvor() { k_.Ui->ShowModal(*this); }

void TformONLINE::pOFFLINEClick() {
  prog_.SetOffLine();
  prog_.fSP.PosliSpravu({80, 0});
  Close(TModalResult::Ok);
}

void TformONLINE::pNEWClick() {
  prog_.SetOnLine();
  // A new program leaves online mode again, so the step choice below is not
  // sent; the program itself is.
  prog_.fileMenu.mnSuborNovyClick();
  ZapisWindingProgram(k_, "");
  k_.Program.AktKrok = 1;
  Posli_Krok(k_, 1);
  prog_.UkazKrok(1);
  prog_.fSP.PcNav();
  Close(TModalResult::Ok);
  prog_.fWait.Cakaj();
}

void TformONLINE::pCloseClick() { Close(TModalResult::Cancel); }

void TformONLINE::pExitClick() {
  Close(TModalResult::Cancel);
  prog_.fileMenu.mnSuborExitClick();
}

}  // namespace kvr
