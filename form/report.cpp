#include "form/report.h"

#include <algorithm>
#include <cmath>

namespace kvr {

int TReport::LinesPerPage() const {
  const double free = PageHeight - MarginTop - MarginBottom - PageHeader.Height - ColumnHeader.Height;
  if (!(Detail.Height > 0)) return 1;
  // A band that fits to within a micrometre fits: millimetre sums are not exact in binary.
  const double n = std::floor(free / Detail.Height + 1e-6);
  return n < 1 ? 1 : static_cast<int>(std::min(n, 100000.0));
}

int TReport::PageCount() const {
  const int n = static_cast<int>(Lines.size());
  const int perPage = LinesPerPage();
  return std::max(1, (n + perPage - 1) / perPage);
}

int TReport::FirstLine(int page) const {
  const int n = static_cast<int>(Lines.size());
  return std::clamp(page * LinesPerPage(), 0, n);
}

int TReport::EndLine(int page) const {
  const int n = static_cast<int>(Lines.size());
  return std::clamp((page + 1) * LinesPerPage(), 0, n);
}

}  // namespace kvr
