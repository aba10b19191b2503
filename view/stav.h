// State of the layer walk and of the coil drawing, kept between walks and
// events in the context.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "model/real48.h"
#include "ui/canvas.h"

namespace kvr {

class WalkCache;

// The walk over the program (shared with the single-step layer computation).
struct TStavVrstvenia {
  Real48 AktPoloha{};
  Real48 AktVyska{};
  uint8_t AktSmer = 0;
  Real48 AktLRev{};
  Real48 AktPRev{};
  Real48 Zvysok{};
  int32_t Prechod = 0;
  int32_t PocetVrstiev = 0;
  Real48 PredZavity{};
  Real48 VrstvujPoloha{};
  uint8_t VrstvujSmer = 0;
};

// The coil drawing and the mouse on it.
struct TStavKresby {
  bool KresliZapnute = false;  // drawing output on
  uint8_t Prehlad = 0;         // overview
  uint8_t Prekreslit = 1;      // redrawing allowed
  int32_t TahOd = 0;
  int32_t TahDo = 0;
  uint8_t RezimMysi = 1;       // 1 idle, 7 dragging
  uint8_t SmerRolovania = 0;   // 0 none, 1 up, 2 down

  // Running timers by the id IUi::StartTimer gave them; 0 = off.
  int Timer1Id = 0;      // auto-scroll while dragging, 100 ms
  int TimerPaintId = 0;  // deferred repaint, 600 ms

  // The paint box in the pixels its canvas and its mouse events use: taken
  // from the canvas at every repaint; 0 until the first one, when the paint
  // box's design size (its Bounds) stands in.
  int SirkaBoxu = 0;
  int VyskaBoxu = 0;
  // Height in pixels of the step numbers' font ("Small Fonts", bold).
  int VyskaPisma = 10;

  // The machine's state as the serial link reports it: the last
  // state character and the step of the last stop. The link is not started
  // in this version, so they keep their start values.
  char StavStroja = 0;
  int32_t KrokStop = 0;

  // Scratch points of the arrow markers, reused so that a repaint allocates
  // nothing once the first arrow was drawn.
  std::vector<TPoint> Trojuholnik;

  // The results of the last complete walk of a repaint (view/walk_cache.h),
  // made at the first repaint.
  std::shared_ptr<WalkCache> LastWalk;
};

}  // namespace kvr
