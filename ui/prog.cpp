#include "ui/prog.h"

#include "model/program.h"
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
  mnOptionsModel.OnClick = [this] { mnOptionsModelClick(); };
  mnSuborExit.OnClick = [this] { mnSuborExitClick(); };
}

TProg::~TProg() { k_.Prog = nullptr; }

void TProg::mnSuborNovyClick() { NovyProgram(k_); }

void TProg::mnOptionsModelClick() {
  k_.Ui->ShowModal(fModel);
  k_.Ui->Invalidate(*this, "PaintBox1");
}

void TProg::mnSuborExitClick() { Close(TModalResult::None); }

}  // namespace kvr
