// The main window's coil drawing: the paint box on its white panel with the
// scroll bar, the window edges and mouse position below it, the panels of the
// current step and the overview button. It owns the drawing's timers and the
// paint box size of the last repaint.
#pragma once
#include "form/canvas.h"
#include "form/form.h"
#include "model/real48.h"
#include "view/scale.h"
#include "view/walk_cache.h"

namespace kvr {

struct TKontext;
class TVstup;

class CoilDrawingPanel {
 public:
  CoilDrawingPanel(TForm& okno, TKontext& k, TVstup& vstup);
  CoilDrawingPanel(const CoilDrawingPanel&) = delete;
  CoilDrawingPanel& operator=(const CoilDrawingPanel&) = delete;

  TControl Panel1;
  TControl PaintBox1;
  TControl ScrollBar1;
  TControl W_Lava;
  TControl W_Poloha;
  TControl W_prava;
  TControl pDruhKroku;
  TControl pVrstvy;
  TControl pPoloha;
  TControl B_OverView;

  void PaintBox1Paint(ICanvas& c);
  void PaintBox1MouseDown(const TMouseEvent& e);
  void PaintBox1MouseMove(const TMouseEvent& e);
  void PaintBox1MouseUp(const TMouseEvent& e);
  void ScrollBar1Scroll();
  void Timer1Timer();
  void TimerPaintTimer();
  void B_OverViewClick();
  void W_LavaClick();
  void W_pravaClick();

  // Scrolls so that step n's end point is in the middle of the view; a step
  // outside 1..350 scrolls to the bottom of the coil.
  void NastavVertPos(int n);
  // Switches the deferred repaint on (the serial link does).
  void SpustiTimerPaint();
  // The panels below the drawing for step n, its kind read from the step.
  void ZobrazKrokPodKresbou(int n);
  // Repaint later or at once.
  void Invalidate();
  void RepaintLater();

  // The step whose marker lies under (x, y) of the paint box, or 0.
  int StepAt(int x, int y) const;
  // The scaling of the last repaint's box at the scroll bar's position.
  TMierka Mierka() const;
  // The paint box in the pixels its canvas and mouse use: the last repaint's
  // canvas size, the design size before the first repaint.
  int SirkaBoxu() const { return sirkaBoxu_ > 0 ? sirkaBoxu_ : PaintBox1.Bounds.Width; }
  int VyskaBoxu() const { return vyskaBoxu_ > 0 ? vyskaBoxu_ : PaintBox1.Bounds.Height; }
  // Forgets the kept walk: the next repaint walks the whole program, as the
  // first one after start does.
  void ForgetWalk() { lastWalk_.Clear(); }
  // Timer ids IUi::StartTimer gave; 0 = off.
  int Timer1Id() const { return timer1Id_; }
  int TimerPaintId() const { return timerPaintId_; }

 private:
  void AskFixedEdge(int druhParametra, Real48& pevny);
  void StartTimer1();
  void StopTimer1();
  void SetScrollPosition(int64_t pozicia);

  TForm& okno_;
  TKontext& k_;
  TVstup& vstup_;
  int timer1Id_ = 0;      // auto-scroll while dragging, 100 ms
  int timerPaintId_ = 0;  // deferred repaint, 600 ms
  int sirkaBoxu_ = 0;
  int vyskaBoxu_ = 0;
  WalkCache lastWalk_;  // the last complete walk of a repaint
};

}  // namespace kvr
