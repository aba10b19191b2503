#include "edit/step_store.h"

#include "form/ui_services.h"
#include "model/context.h"
#include "model/program.h"

namespace kvr {

bool VlozKrok(TKontext& k, const TKrok& r) {
  TProgram& p = k.Program;
  // Inside a full program the last step would fall off the end: refused as
  // an insert at step 350 is.
  if (p.AktKrok >= kMaxKrokov || p.AktKrok < 0 || (p.AktKrok < p.PocetKrokov && p.PocetKrokov >= kMaxKrokov)) {
    k.Ui->Message(TMsgKind::Error, kPlnyProgram, TMsgButtons::Ok);
    return false;
  }
  if (p.AktKrok >= p.PocetKrokov) {
    ++p.AktKrok;
    p.Kroky[p.AktKrok] = r;
    p.PocetKrokov = p.AktKrok;
    return true;
  }
  ++p.AktKrok;
  ++p.PocetKrokov;
  for (int i = p.PocetKrokov; i >= p.AktKrok + 1; --i) p.Kroky[i] = p.Kroky[i - 1];
  p.Kroky[p.AktKrok] = r;
  return true;
}

void ZapisKrok(TKontext& k, const TKrok& r) {
  TProgram& p = k.Program;
  if (p.AktKrok < 1 || p.AktKrok > kMaxKrokov) return;
  p.Kroky[p.AktKrok] = r;
  if (p.AktKrok > p.PocetKrokov) p.PocetKrokov = p.AktKrok;
}

void ZalohujProgram(TKontext& k) {
  k.Program.KrokyZaloha = k.Program.Kroky;
  k.Program.PocetZaloha = k.Program.PocetKrokov;
}

}  // namespace kvr
