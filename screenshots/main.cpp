// kvr_screenshots: every window of the station rendered into PNG files, for
// looking at the station without a display.
//
//   kvr_screenshots OUTDIR
//
// The station is put together as it is for the operator, on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise, and started from an empty
// temporary folder holding only the station's own files (pictures, error
// descriptions; no desktop file, no machine files). Nobody is
// asked anything: message boxes are printed and count as closed, file dialogs
// and modal windows opened by the code as cancelled. Each window is shown, its
// form's show handler runs, and the window is grabbed into
// OUTDIR/<form name>.png.
//
// Exit status: 0 every window rendered, 1 some window did not, 2 usage error.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "qt/binder.h"
#include "qt/model_window.h"
#include "qt/main_window.h"
#include "qt/qt_texts.h"
#include "qt/qt_ui.h"
#include "qt/bobbin_editor_window.h"
#include "qt/keypad_window.h"
#include "qt/shift_window.h"
#include "qt/report.h"
#include "tools/up_down.h"
#include "tools/keypad.h"
#include "tools/text_input.h"
#include "ui/errors_window.h"
#include "ui/info_window.h"
#include "edit/step_dialog.h"
#include "ui/main_window.h"
#include "ui/param_window.h"
#include "ui/step_kinds_panel.h"
#include "ui/rename_window.h"
#include "model/codepage.h"
#include "model/program.h"
#include "model/program_files.h"
#include "model/sample_program.h"
#include "ui/wait_window.h"
#include "ui/warnings_window.h"
#include "view/listing.h"
#include "view/program_check.h"
#include <QImage>
#include <QPainter>

namespace kvr {
namespace {

// The run's own folder is the startup folder, with the machine's fixed paths in
// its "drives" folder as on any POSIX station. Nothing outside the station is
// started, told to quit or switched off.
class ScreenshotPlatform final : public IPlatform {
 public:
  explicit ScreenshotPlatform(std::string folder) : folder_(std::move(folder)) {}

  std::string StartupFolder() const override { return folder_; }
  std::string MapSystemPath(std::string_view windowsPath) const override {
    return MapWindowsPathUnder(folder_ + "/drives", windowsPath);
  }
  std::string WindowsPathOf(std::string_view path) const override {
    return WindowsPathFromUnder(folder_ + "/drives", path);
  }
  void StartOnScreenKeyboard() override {}
  void CloseOnScreenKeyboard() override {}
  void QuitStarter() override {}
  void PowerOff() override {}

 private:
  std::string folder_;
};

// The station's Qt user interface with nobody in front of it.
class ScreenshotUi final : public QtUi {
 public:
  TMsgAnswer Message(TMsgKind, const std::string& text, TMsgButtons buttons) override {
    std::fprintf(stderr, "kvr_screenshots: message: %s\n", text.c_str());
    return OdpovedBezTlacidla(buttons);
  }
  std::optional<std::string> OpenDialog(const TFileDialog& d) override {
    std::fprintf(stderr, "kvr_screenshots: open dialog cancelled: %s\n", d.Title.c_str());
    return std::nullopt;
  }
  std::optional<std::string> SaveDialog(const TFileDialog& d) override {
    std::fprintf(stderr, "kvr_screenshots: save dialog cancelled: %s\n", d.Title.c_str());
    return std::nullopt;
  }
  TModalResult ShowModal(TForm& f) override {
    std::fprintf(stderr, "kvr_screenshots: modal window cancelled: %s\n", f.Name().c_str());
    return TModalResult::Cancel;
  }
};

// Shows f without a modal loop, lets its show handler and what it posted run,
// and grabs its window into <meno or form name>.png. False, with the reason
// printed, when that failed.
bool Vyfot(ScreenshotUi& ui, TForm& f, const QDir& out, const std::function<void()>& poZobrazeni = {},
           const std::string& meno = {}) {
  ui.Show(f);
  if (poZobrazeni) ui.Binder().Dispatch(poZobrazeni);
  ui.Binder().RefreshAll();
  QCoreApplication::processEvents();
  ui.Binder().RefreshAll();
  const QtFormView* v = ui.Binder().Find(f);
  QWidget* w = v != nullptr ? v->Window() : nullptr;
  if (w == nullptr) {
    std::fprintf(stderr, "kvr_screenshots: %s has no window\n", f.Name().c_str());
    return false;
  }
  const QPixmap shot = w->grab();
  const QString path = out.filePath(QString::fromStdString(meno.empty() ? f.Name() : meno) + QStringLiteral(".png"));
  if (shot.isNull() || !shot.save(path, "PNG")) {
    std::fprintf(stderr, "kvr_screenshots: %s not written to %s\n", f.Name().c_str(), qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

int Spusti(const QString& outDir) {
  QDir out(outDir);
  if (!out.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "kvr_screenshots: cannot create %s\n", qPrintable(outDir));
    return 1;
  }
  const QTemporaryDir folder;
  if (!folder.isValid()) {
    std::fprintf(stderr, "kvr_screenshots: no temporary folder: %s\n", qPrintable(folder.errorString()));
    return 1;
  }
  // The files the build puts beside the station.
  for (const char* meno : {"nav3.bmp", "info.bmp", "Errors.de"})
    QFile::copy(QStringLiteral(KVR_ASSETS_DIR "/") + QLatin1String(meno), QDir(folder.path()).filePath(QLatin1String(meno)));
  ScreenshotPlatform platform(folder.path().toStdString());
  ScreenshotUi ui;
  TProg prog(ui, platform);
  ui.SetKontext(prog.Kontext());

  // As the station does: the main window first, the model window last, the
  // other windows created by the main form's creation handler.
  QtMainWindow progOkno(prog, ui.Binder());
  QtModelWindow modelOkno(prog.fModel, ui.Binder(), &progOkno);
  ui.Binder().Dispatch([&prog] { prog.FormCreate(); });
  // The main window with a coil in it: a sample program on a two-chamber
  // bobbin, saved and then reopened at show time as the last program.
  const std::string ukazka = QDir(folder.path()).filePath(QStringLiteral("Ukazka.kvr")).toStdString();
  ui.Binder().Dispatch([&prog, &ukazka] {
    TKontext& k = prog.Kontext();
    SampleProgram(k, 60);
    UlozProgramT(k, ukazka, k.Program.PocetKrokov);
    k.Program.MenoSuboru = ukazka;
  });
  // Windows of their own for forms the creation handler made.
  QtKeypadWindow vstupOkno(prog.fVstup, ui.Binder(), &progOkno);
  QtBobbinEditorWindow kostrickaOkno(prog.fKostricka, ui.Binder(), &progOkno);
  QtShiftWindow posunOkno(prog.fPosun, ui.Binder(), &progOkno);

  // Every window of the station: the main form and the forms it owns. A form
  // without a window of its own is shown in the plain window the user
  // interface gives it.
  // The main window shows its first windings step as the current step.
  auto vyberVinutie = [&prog] {
    TKontext& k = prog.Kontext();
    for (int i = 1; i <= k.Program.PocetKrokov; ++i) {
      if (DruhKroku(k.Program.Kroky[i]) != kDruhWicklung) continue;
      k.Program.AktKrok = i;
      prog.ZobrazParametre(i);
      prog.NastavVertPos(i);
      return;
    }
  };
  // The bobbin editor on a bobbin of three chambers, on either page.
  auto triKomory = [&prog] {
    TKontext& k = prog.Kontext();
    TKostricka b{};
    WriteShortString(b.Popis, "Spulenkörper 3 Kammern", 255);
    b.Komory[0] = {0.0L, 20.0L};
    b.Komory[1] = {22.5L, 45.0L};
    b.Komory[2] = {47.5L, 80.0L};
    b.Abstand = 12.0L;
    k.KostrickaNavrh = b;
    prog.fKostricka.ZobrazParametre(k.KostrickaNavrh);
  };
  auto druhaStrana = [&prog, triKomory] {
    triKomory();
    prog.fKostricka.rb11_20.Click();
  };
  // The shift window with steps 3 to 7 selected.
  auto vyberBlok = [&prog] {
    prog.Kontext().Vyber.BlokOd = 3;
    prog.Kontext().Vyber.BlokDo = 7;
    prog.fPosun.FormShow();
    prog.Kontext().Vyber.ZrusBlok();
  };
  // The main window again with three steps marked around the current one.
  auto oznacene = [&prog, vyberVinutie] {
    vyberVinutie();
    TKontext& k = prog.Kontext();
    const int a = k.Program.AktKrok;
    for (int i : {a, a + 2, a + 4})
      if (i >= 1 && i <= kMaxKrokov) k.Vyber.VybraneKroky[static_cast<size_t>(i)] = TVyber::kOznaceny;
    prog.drawing.Invalidate();
  };
  // The step dialog in one parameter set, as its opener prepares it.
  auto sada = [&prog](TParamSet set, int mode, int sablona, const char* caption) {
    return [&prog, set, mode, sablona, caption] {
      TKontext& k = prog.Kontext();
      TParam& d = prog.fParam;
      k.Program.PracKrok = sablona >= 0 ? k.KonstKroky[static_cast<size_t>(sablona)]
                                        : (mode == rezim::kPrevod ? PrevodovyKrok() : k.Program.Kroky[k.Program.AktKrok]);
      k.Dialogy.DruhEditacie = mode;
      k.Dialogy.DruhParametra = 0;
      d.InicFunc();
      d.ApplyParamSet(set);
      if (*caption != '\0') d.Caption = caption;
      d.ZobrazParametre();
      d.FormShow();
    };
  };
  // The listing after "Kontrolle" found errors: in the sample program the
  // second windings step counts on with fewer turns and the other rotation,
  // the third feeds too fast, and the last step does not end the program.
  auto kontrola = [&prog] {
    TKontext& k = prog.Kontext();
    int vinutie = 0;
    for (int i = 1; i <= k.Program.PocetKrokov && vinutie < 3; ++i) {
      TKrok& s = k.Program.Kroky[i];
      if (DruhKroku(s) != kDruhWicklung) continue;
      if (++vinutie == 2) {
        s.Nulovat = 0;
        s.SmerOtac = s.SmerOtac == 1 ? 0 : 1;
        s.Hodnota = 150.0L;
      } else if (vinutie == 3) {
        s.PosuvMM = 7.0L;
      }
    }
    k.Program.Kroky[k.Program.PocetKrokov].TypCyklu = 1;
    PrepocitajKroky(k.Program);
    prog.fPreview.Clear();
    const ProgramCheckResult r = CheckProgram(k.Program, k.Stroj);
    for (size_t i = 1; i < r.Errors.size(); ++i) prog.fPreview.Cell(kListingErrorColumn, static_cast<int>(i)) = r.Errors[i];
    prog.fPreview.FormShow();
  };
  // The inputs/outputs window on a step with some inputs, levels and delays.
  auto dgioKrok = [&prog] {
    TKrok krok;
    krok.Vstup[0] = 1;
    krok.Vstup[2] = 3;
    krok.VystupStav(1) = 0x80;
    krok.VystupStav(2) = 0xC0;
    krok.VystupOneskorenie(2) = 250;
    krok.VystupStav(4) = 0x40;
    prog.fDgIO.Zobraz(krok);
  };
  const struct {
    TForm* form;
    std::function<void()> poZobrazeni;
    std::string meno{};
  } okna[] = {
      {&prog, vyberVinutie},
      {&prog, oznacene, "Prog_marked"},
      {&prog.fParam, sada(TParamSet::ParamDefZav, rezim::kDefZav, 0, "WINDUNGEN 1 - leuchtende Parameter einzustellen "),
       "Param_ParamDefZav"},
      {&prog.fParam, sada(TParamSet::ParamVrstvaPosuvAut, rezim::kVrstvaPosuvAut, 2, ""), "Param_ParamVrstvaPosuvAut"},
      {&prog.fParam, sada(TParamSet::ParamVrstvaZavityAut, rezim::kVrstvaZavityAut, 3, ""), "Param_ParamVrstvaZavityAut"},
      {&prog.fParam, sada(TParamSet::ParamVrstvaStop, rezim::kVrstvaStop, 4, ""), "Param_ParamVrstvaStop"},
      {&prog.fParam, sada(TParamSet::ParamOlep, rezim::kOlep, 5, ""), "Param_ParamOlep"},
      {&prog.fParam, sada(TParamSet::ParamPresun, rezim::kPresun, 6, ""), "Param_ParamPresun"},
      {&prog.fParam, sada(TParamSet::ParamSkok, rezim::kSkok, 7, ""), "Param_ParamSkok"},
      {&prog.fParam, sada(TParamSet::ParamDelay, rezim::kDelay, 8, ""), "Param_ParamDelay"},
      {&prog.fParam, sada(TParamSet::ParamPrevod, rezim::kPrevod, -1, ""), "Param_ParamPrevod"},
      {&prog.fParam, sada(TParamSet::ParamSpreadVinutie, rezim::kSpreadVinutie, -1, ""), "Param_ParamSpreadVinutie"},
      {&prog.fParam, sada(TParamSet::ParamSpreadVrstva, rezim::kSpreadVrstva, -1, ""), "Param_ParamSpreadVrstva"},
      {&prog.fErrors, {}},
      {&prog.fInfo, {}},
      {&prog.fKonvertNazovToSubor, {}},
      {&prog.fKostricka, triKomory},
      {&prog.fKostricka, druhaStrana, "fKostricka_11_20"},
      {&prog.fPosun, vyberBlok},
      {&prog.fUpDown, {}},
      {&prog.fVstup, {}},
      {&prog.fVstupTW, {}},
      {&prog.fDgIO, dgioKrok},
      {&prog.fFunction, {}},
      {&prog.fWait, {}},
      {&prog.fWarnings, {}},
      {&prog.fPreview, kontrola},
      {&prog.fSP, {}},
      {&prog.fONLINE, {}},
      {&prog.fOFFLINE, {}},
      {&prog.fENTER, {}},
      {&prog.fModel, {}},
  };
  int failed = 0;
  for (const auto& o : okna) {
    if (!Vyfot(ui, *o.form, out, o.poZobrazeni, o.meno)) ++failed;
    // The main window stays behind the others, as on the station.
    if (o.form != &prog) ui.Hide(*o.form);
  }
  // The first page of the printed listing, at 150 dots per inch.
  {
    const TKontext& k = prog.Kontext();
    const TReport r = ListingReport(k.Program.MenoSuboru, prog.fPreview.ListingGrid.Cells, k.Program.PocetKrokov);
    const double dpmm = 150.0 / 25.4;
    QImage page(static_cast<int>(r.PageWidth * dpmm), static_cast<int>(r.PageHeight * dpmm), QImage::Format_RGB32);
    page.setDotsPerMeterX(static_cast<int>(dpmm * 1000));
    page.setDotsPerMeterY(static_cast<int>(dpmm * 1000));
    page.fill(Qt::white);
    {
      QPainter p(&page);
      PaintReportPage(p, r, 0, dpmm, QStringLiteral("10.12.26 17:45:00"));
    }
    const QString path = out.filePath(QStringLiteral("fPreview_report.png"));
    if (page.save(path, "PNG")) {
      std::printf("%s\n", qPrintable(path));
    } else {
      std::fprintf(stderr, "kvr_screenshots: report page not written to %s\n", qPrintable(path));
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace kvr

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KVR"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  kvr::InstallGermanQtTexts(app);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kvr_screenshots OUTDIR\n");
    return 2;
  }
  return kvr::Spusti(QString::fromLocal8Bit(argv[1]));
}
