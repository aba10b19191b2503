#include "view/walk_cache.h"

#include <algorithm>
#include <cstring>

#include "view/scale.h"

namespace kvr {

namespace {
const uint8_t* Bajty(const TKrokyPole& kroky) { return reinterpret_cast<const uint8_t*>(&kroky[1]); }
constexpr size_t kVelkostKroku = sizeof(TKrok);
}  // namespace

bool WalkCache::Matches(const TKrokyPole& kroky, int n, Real48 start) const {
  if (!valid_ || n != n_ || !(start == start_)) return false;
  return n == 0 || std::memcmp(kroky_.data(), Bajty(kroky), static_cast<size_t>(n) * kVelkostKroku) == 0;
}

void WalkCache::Store(const TKrokyPole& kroky, int n, Real48 start, const std::vector<TBodKroku>& body,
                      const TStavVrstvenia& stav, WalkLog log) {
  n = std::clamp(n, 0, kMaxKrokov);
  n_ = n;
  start_ = start;
  const uint8_t* b = Bajty(kroky);
  kroky_.assign(b, b + static_cast<size_t>(n) * kVelkostKroku);
  for (int i = 1; i <= n; ++i) body_[static_cast<size_t>(i)] = body[static_cast<size_t>(i)];
  stav_ = stav;
  log_ = std::move(log);
  valid_ = true;
}

void WalkCache::Apply(std::vector<TBodKroku>& body, TStavVrstvenia& stav, const TMierka& m) const {
  for (int i = 1; i <= n_; ++i) {
    const TBodKroku& z = body_[static_cast<size_t>(i)];
    TBodKroku& b = body[static_cast<size_t>(i)];
    b.Druh = z.Druh;
    // Every known kind sets its layer count, even a step whose end point the
    // walk did not record.
    if (z.Druh <= kDruhBandagieren) b.PocetVrstiev = z.PocetVrstiev;
    if (log_.EndRecorded.test(static_cast<size_t>(i))) {
      b.Smer = z.Smer;
      b.Poloha = z.Poloha;
      b.Vyska = z.Vyska;
      b.BodX = m.X(z.Poloha);
      b.BodY = z.BodY;
    }
  }
  stav.AktPoloha = stav_.AktPoloha;
  stav.AktVyska = stav_.AktVyska;
  stav.AktSmer = stav_.AktSmer;
  if (log_.WindingsStep) stav = stav_;
}

}  // namespace kvr
