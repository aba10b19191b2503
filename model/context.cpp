#include "model/context.h"

#include <algorithm>

namespace kvr {

bool TVyber::TestVybraneKroky() const {
  for (int i = 1; i <= kMaxKrokov; ++i)
    if (VybraneKroky[static_cast<size_t>(i)] == kOznaceny) return true;
  return false;
}

void TVyber::OznacBlok() {
  const int od = std::max(BlokOd, 1);
  const int po = std::min(BlokDo, kMaxKrokov);
  for (int j = od; j <= po; ++j) VybraneKroky[static_cast<size_t>(j)] = kOznaceny;
}

}  // namespace kvr
