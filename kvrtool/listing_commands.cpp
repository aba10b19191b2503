#include "kvrtool/listing_commands.h"

#include <QGuiApplication>
#include <algorithm>
#include <iostream>

#include "form/canvas.h"
#include "form/headless_ui.h"
#include "kvrtool/image.h"
#include "kvrtool/json.h"
#include "model/context.h"
#include "qt/qt_texts.h"
#include "qt/report.h"
#include "view/coil_drawing.h"
#include "view/listing.h"
#include "view/program_check.h"

namespace kvr::tool {

namespace {

constexpr int kDone = 0;
constexpr int kNotWritten = 3;

// "Kontrolle": the check's error boxes go where the station shows them.
ProgramCheckResult RunCheck(TKontext& k) {
  ProgramCheckResult r = CheckProgram(k.Program, k.Stroj);
  for (const std::string& m : r.Messages) k.Ui->Error(m);
  return r;
}

// The listing window's rows after "Kontrolle": the kinds come from the layer
// list, which the station's drawing has filled by then.
std::vector<std::vector<std::string>> ListingAfterCheck(TKontext& k) {
  NullCanvas c(kSirkaKresby, kVyskaKresby);
  PaintCoil(k, c);
  const ProgramCheckResult r = RunCheck(k);
  return ListingRows(k, r.Errors);
}

size_t Characters(const std::string& s) {
  return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

// One line per row, the cells padded to their column's widest text and set
// apart by "|".
std::string ListingText(const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> width(kListingColumns, 0);
  for (const auto& row : rows)
    for (size_t c = 0; c < row.size() && c < width.size(); ++c) width[c] = std::max(width[c], Characters(row[c]));
  std::string o;
  for (const auto& row : rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line += '|';
      line += row[c];
      if (c + 1 < row.size()) line.append(width[c] - Characters(row[c]), ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    o += line + "\n";
  }
  return o;
}

std::string ListingJson(const std::vector<std::vector<std::string>>& rows) {
  TJson j;
  j.ZaciatokPola();
  for (const auto& row : rows) {
    j.ZaciatokPola();
    for (const std::string& cell : row) j.Text(cell);
    j.KoniecPola();
  }
  j.KoniecPola();
  return j.Vysledok() + "\n";
}

std::string CheckJson(const ProgramCheckResult& r, const std::vector<std::string>& messages) {
  TJson j;
  j.ZaciatokObjektu();
  j.Kluc("ok").Logicka(!r.ErrorFound);
  j.Kluc("errors").ZaciatokObjektu();
  for (size_t i = 1; i < r.Errors.size(); ++i)
    if (!r.Errors[i].empty()) j.Kluc(std::to_string(i)).Text(r.Errors[i]);
  j.KoniecObjektu();
  j.Kluc("messages").ZaciatokPola();
  for (const std::string& m : messages) j.Text(m);
  j.KoniecPola();
  j.KoniecObjektu();
  return j.Vysledok() + "\n";
}

std::string CheckText(const ProgramCheckResult& r) {
  if (!r.ErrorFound) return std::string(kKontrolaBezChyby) + "\n";
  std::string o;
  for (size_t i = 1; i < r.Errors.size(); ++i)
    if (!r.Errors[i].empty()) o += "Schritt " + std::to_string(i) + ": " + r.Errors[i] + "\n";
  return o;
}

void PrintMessages(const std::vector<std::string>& messages) {
  for (const std::string& m : messages) std::cerr << m << "\n";
}

int Print(TKontext& k, HeadlessUi& ui, const std::string& out) {
  const std::vector<std::vector<std::string>> rows = ListingAfterCheck(k);
  PrintMessages(ui.All);
  const TReport report = ListingReport(k.Program.MenoSuboru, rows, k.Program.PocetKrokov);
  // No display is needed or wanted: the report prints the same on every machine.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "kvrtool";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  InstallGermanQtTexts(app);
  if (!WriteReportPdf(report, out, ReportDateTime())) {
    std::cerr << " Kann man nicht speichern: \"" << out << "\"\n";
    return kNotWritten;
  }
  return kDone;
}

}  // namespace

bool IsListingCommand(std::string_view command) { return command == "check" || command == "list" || command == "print"; }

int ListingCommand(TKontext& k, HeadlessUi& ui, std::string_view command, const std::vector<std::string>& files,
                   bool json) {
  if (command == "print") return Print(k, ui, files.at(1));
  if (command == "list") {
    const std::vector<std::vector<std::string>> rows = ListingAfterCheck(k);
    PrintMessages(ui.All);
    std::cout << (json ? ListingJson(rows) : ListingText(rows));
    return kDone;
  }
  const ProgramCheckResult r = RunCheck(k);
  PrintMessages(ui.All);
  std::cout << (json ? CheckJson(r, ui.All) : CheckText(r));
  return kDone;
}

}  // namespace kvr::tool
