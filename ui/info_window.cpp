#include "ui/info_window.h"

#include <optional>
#include <string>
#include <vector>

#include "model/io.h"
#include "model/program_files.h"
#include "ui/errors_window.h"
#include "model/context.h"
#include "model/desktop.h"
#include "form/ui_services.h"

namespace kvr {

namespace {

constexpr const char* kTextInfo =
    "KVR Programmierstation für CNC-Spulenwickelmaschinen\n"
    "Wickelprogramme erstellen, prüfen, als Spulenquerschnitt darstellen,\n"
    "drucken und für die Steuerungen KVR-G, KVR-C und KVR-T speichern.";

constexpr const char* kTextNieJeBmp = " Datei ist kein BMP-Bild: ";

// The picture's path when its file is a bitmap; otherwise the failure is
// reported and the picture left out. The Qt side would show a broken file as
// nothing at all, without telling why.
std::string CestaObrazka(TKontext& k, const char* meno) {
  const std::string cesta = BesideProgram(k, meno);
  try {
    const std::optional<std::vector<uint8_t>> data = ReadWholeFile(cesta);
    if (!data) {
      k.Ui->ReportError(std::string(kTextNeotvori) + "\"" + cesta + "\"");
      return {};
    }
    if (data->size() < 2 || (*data)[0] != 'B' || (*data)[1] != 'M') {
      k.Ui->ReportError(std::string(kTextNieJeBmp) + "\"" + cesta + "\"");
      return {};
    }
  } catch (const TIoError& e) {
    k.Ui->ReportError(e.what());
    return {};
  }
  return cesta;
}

}  // namespace

TfInfo::TfInfo(TKontext& k) : TForm("fInfo", "INFO", {0, 0, 661, 361}), k_(k) {
  BorderStyle = TBorderStyle::Single;
  Color = clNavy;
  StayOnTop = true;
  Position = TPosition::MainFormCenter;
  Panel1.Color = clSilver;
  Image1.Parent = Panel1.Name();
  Image2.Parent = Panel1.Name();
  Panel2.Caption = kTextInfo;
}

void TfInfo::FormCreate() { Bounds = UmiestniOkno(k_.Desktop, kSlotInfo, k_.Ui->ScreenSize(), Bounds); }

void TfInfo::FormShow() {
  Image1.Caption = CestaObrazka(k_, kObrazokStroja);
  Image2.Caption = CestaObrazka(k_, kObrazokInfo);
}

void TfInfo::Zobraz() { k_.Ui->ShowModal(*this); }

}  // namespace kvr
