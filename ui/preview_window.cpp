#include "ui/preview_window.h"

#include <algorithm>
#include <stdexcept>

#include "form/ui_services.h"
#include "model/context.h"
#include "model/desktop.h"
#include "ui/errors_window.h"
#include "view/listing.h"

namespace kvr {

namespace {

constexpr int kDesignWidth = 1044;
constexpr int kDesignHeight = 680;

// The file name without its folder ("\" and "/" both separate).
std::string FileNameOnly(const std::string& cesta) {
  const size_t p = cesta.find_last_of("\\/");
  return p == std::string::npos ? cesta : cesta.substr(p + 1);
}

}  // namespace

TfPreview::TfPreview(TKontext& k, TfErrors& errors)
    : TForm("fPreview", "", {0, 0, kDesignWidth, kDesignHeight}), k_(k), errors_(errors) {
  BorderStyle = TBorderStyle::Sizeable;
  // The sizes are the window's outer ones, as the grid's margins and the
  // column widths are measured from them.
  FrameSize = true;
  ResizeEvents = true;
  MinWidth = 1024;
  MinHeight = 570;
  ListingGrid.FontName = "Courier New";
  ListingGrid.FontSize = 8;
  ListingGrid.FixedPitch = true;
  ListingGrid.RowHeight = 18;
  ListingGrid.FixedRows = 1;
  ListingGrid.Color = clBtnFace;
  ListingGrid.Cells.assign(kMaxKrokov + 1, std::vector<std::string>(kListingColumns));
  const auto& h = ListingHeaders();
  for (int c = 0; c < kListingColumns; ++c) ListingGrid.Cells[0][static_cast<size_t>(c)] = h[static_cast<size_t>(c)];
  ListingGrid.RowCount = 1;
  const auto w = ListingColumnWidths(kDesignWidth);
  ListingGrid.ColWidths.assign(w.begin(), w.end());
  mnChyby.OnClick = [this] { mnChybyClick(); };
  mnPrint.OnClick = [this] { mnPrintClick(); };
}

void TfPreview::FormCreate() {
  Bounds = UmiestniOkno(k_.Desktop, kSlotPreview, k_.Ui->ScreenSize(), Bounds);
  mnChyby.Caption = " FEHLER ";
}

std::string& TfPreview::Cell(int column, int row) {
  if (column < 0 || column >= kListingColumns || row < 0 || row > kMaxKrokov)
    throw std::out_of_range("listing cell " + std::to_string(column) + ", " + std::to_string(row));
  return ListingGrid.Cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

const std::string& TfPreview::Cell(int column, int row) const { return const_cast<TfPreview*>(this)->Cell(column, row); }

void TfPreview::Clear() {
  for (int r = 1; r <= kMaxKrokov; ++r)
    for (std::string& c : ListingGrid.Cells[static_cast<size_t>(r)]) c.clear();
}

void TfPreview::FormShow() {
  ListingGrid.Position = 0;
  Caption = k_.Stroj.ModelText + std::string(10, ' ') + FileNameOnly(k_.Program.MenoSuboru);
  ListingGrid.Bounds = {10, 10, Bounds.Width - 20, Bounds.Height - 80};
  const int n = std::clamp(k_.Program.PocetKrokov, 0, kMaxKrokov);
  ListingGrid.RowCount = n + 1;
  const auto& h = ListingHeaders();
  for (int c = 0; c < kListingColumns; ++c) Cell(c, 0) = h[static_cast<size_t>(c)];
  for (int i = 1; i <= n; ++i) {
    const std::vector<std::string> row = ListingRow(k_.Program.Kroky[i], k_.BodyKrokov[static_cast<size_t>(i)].Druh, i);
    for (int c = 0; c < kListingErrorColumn; ++c) Cell(c, i) = row[static_cast<size_t>(c)];
  }
  FormResize();
}

void TfPreview::FormResize() {
  const auto w = ListingColumnWidths(Bounds.Width);
  ListingGrid.ColWidths.assign(w.begin(), w.end());
  // The grid keeps its margins to the window's edges.
  ListingGrid.Bounds.Width = std::max(0, Bounds.Width - 20);
  ListingGrid.Bounds.Height = std::max(0, Bounds.Height - 80);
}

void TfPreview::mnChybyClick() { errors_.Zobraz(); }

void TfPreview::mnPrintClick() {
  k_.Ui->PrintReport(ListingReport(k_.Program.MenoSuboru, ListingGrid.Cells, k_.Program.PocetKrokov));
}

}  // namespace kvr
