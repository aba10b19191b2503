#include "ui/kontext.h"

#include <exception>

#include "model/io.h"
#include "ui/sluzby.h"

namespace kvr {

void SpustiUdalost(TKontext& k, const std::function<void()>& fn) {
  try {
    fn();
  } catch (const TIoError& e) {
    k.Ui->ReportError(e.what());
  } catch (const std::exception& e) {
    k.Ui->ReportError(e.what());
  } catch (...) {
    k.Ui->ReportError("Unbekannter Fehler");
  }
}

}  // namespace kvr
