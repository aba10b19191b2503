// The results of the last complete layer walk, kept so that a repaint whose
// walk would compute the same (same steps, same start at the left window
// edge) takes them instead of walking the whole program again. A scroll, a
// mouse release, a marker click or a zoom then costs only the drawing of what
// is in view. The cache compares the steps themselves, so no edit anywhere
// can leave it stale.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "model/program.h"
#include "model/real48.h"
#include "model/layer_point.h"
#include "model/walk_state.h"
#include "view/layers.h"

namespace kvr {

class IUi;
struct TMierka;

class WalkCache {
 public:
  // True when a walk of steps 1..n of `kroky` from `start` gives what was
  // stored.
  bool Matches(const TKrokyPole& kroky, int n, Real48 start) const;
  // Takes the results of a complete walk of steps 1..n from `start`: the
  // layer list and walk state it left and what its log says it set.
  void Store(const TKrokyPole& kroky, int n, Real48 start, const std::vector<TBodKroku>& body,
             const TStavVrstvenia& stav, WalkLog log);
  // Writes what the stored walk wrote into the layer list and the walk
  // state, each end point scaled with m, and nothing else.
  void Apply(std::vector<TBodKroku>& body, TStavVrstvenia& stav, const TMierka& m) const;
  // The messages the walk raised, in order.
  const std::vector<std::string>& Messages() const { return log_.Messages; }
  void Clear() { valid_ = false; }

 private:
  bool valid_ = false;
  int n_ = 0;
  Real48 start_{};
  std::vector<uint8_t> kroky_;  // the steps' bytes
  std::array<TBodKroku, kMaxKrokov + 1> body_{};
  TStavVrstvenia stav_{};
  WalkLog log_;
};

}  // namespace kvr
