#include "ui/prog.h"

#include <algorithm>

#include "model/program.h"
#include "model/stroj.h"
#include "model/subory.h"
#include "platform/platform.h"
#include "ui/sluzby.h"

namespace kvr {

TProg::TProg(IUi& ui, IPlatform& platform)
    : TForm("Prog", "KVR", {0, 0, 1024, 768}), k_(ui, platform), fModel(k_) {
  k_.Prog = this;
  for (TControl* c : {&mnSuborNovy, &mnSuborOtvor, &mnUlozGX, &mnUlozT, &mnUlozT_W, &mnSuborExit})
    c->Parent = mnSubor.Name();
  mnOptionsModel.Parent = mnOPTIONS.Name();
  mnUlozGX.Tag = 0;
  mnUlozT.Tag = 1;
  mnSuborNovy.OnClick = [this] { mnSuborNovyClick(); };
  mnSuborOtvor.OnClick = [this] { mnSuborOtvorClick(); };
  mnUlozGX.OnClick = [this] { mnUlozGXClick(); };
  mnUlozT.OnClick = [this] { mnUlozTClick(); };
  mnUlozT_W.OnClick = [this] { mnUlozT_WClick(); };
  mnOptionsModel.OnClick = [this] { mnOptionsModelClick(); };
  mnSuborExit.OnClick = [this] { mnSuborExitClick(); };
}

TProg::~TProg() { k_.Prog = nullptr; }

void TProg::FormCreate() {
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
  Bounds.Width = 1048;
  Bounds.Height = 816;
  // The desktop record's defaults, as a first start without a desktop file has them.
  k_.Stroj.Model = "KVR - 22";
  k_.Stroj.Prevod = 1;
  NastavModel(k_);
  k_.Program.PoslednyOtvor = k_.Program.MenoSuboru;
  pStav.Caption = k_.Stroj.Model + " :  OFFLINE";
  fModel.FormCreate();
}

void TProg::FormShow() {
  k_.Program.AktKrok = 0;
  k_.PosunHodnota = 0.0L;
  k_.Program.PocetKrokov = 0;
  bPrevod.Enabled = k_.Stroj.MeniPrevod == 1;
  k_.AktKomora = static_cast<long double>(k_.Kostricka.Komory[0].KomoraP) != 0.0L ? 1 : 0;
  VypisProgCaption(k_);
  mnOptionsModel.Enabled = true;
  pPrevodNav.Caption = PrevodNavCaption(k_);
}

void TProg::mnSuborNovyClick() { NovyProgram(k_); }

void TProg::mnSuborOtvorClick() { OtvorSubor(k_); }
void TProg::mnUlozGXClick() { UlozMenu(k_, 0); }
void TProg::mnUlozTClick() { UlozMenu(k_, 1); }
void TProg::mnUlozT_WClick() { UlozMenu(k_, 2); }

void TProg::mnOptionsModelClick() {
  k_.Ui->ShowModal(fModel);
  k_.Ui->Invalidate(*this, "PaintBox1");
}

void TProg::mnSuborExitClick() { Close(TModalResult::None); }

}  // namespace kvr
