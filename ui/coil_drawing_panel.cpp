#include "ui/coil_drawing_panel.h"

#include <algorithm>

#include "form/ui_services.h"
#include "link/online_senders.h"
#include "model/context.h"
#include "model/program.h"
#include "tools/keypad.h"
#include "view/coil_drawing.h"

namespace kvr {

namespace {
constexpr int kTimer1Ms = 100;
constexpr int kTimerPaintMs = 600;
}  // namespace

CoilDrawingPanel::CoilDrawingPanel(TForm& okno, TKontext& k, TVstup& vstup)
    : Panel1{okno, "Panel1", TControlKind::Panel, "", {0, 0, 458, 678}},
      PaintBox1{okno, "PaintBox1", TControlKind::PaintBox, "", {4, 24, kSirkaBoxuNavrh, kVyskaBoxuNavrh}},
      ScrollBar1{okno, "ScrollBar1", TControlKind::ScrollBar, "", {435, 24, 19, 649}},
      W_Lava{okno, "W_Lava", TControlKind::Panel, "", {0, 680, 80, 28}},
      W_Poloha{okno, "W_Poloha", TControlKind::Panel, "", {160, 680, 138, 28}},
      W_prava{okno, "W_prava", TControlKind::Panel, "", {378, 680, 80, 28}},
      pDruhKroku{okno, "pDruhKroku", TControlKind::Panel, "", {0, 710, 150, 30}},
      pVrstvy{okno, "pVrstvy", TControlKind::Panel, "", {154, 710, 150, 30}},
      pPoloha{okno, "pPoloha", TControlKind::Panel, "", {308, 710, 150, 30}},
      B_OverView{okno, "B_OverView", TControlKind::Button, "UEBERSICHT", {0, 744, 150, 44}},
      okno_(okno),
      k_(k),
      vstup_(vstup) {
  PaintBox1.Parent = Panel1.Name();
  ScrollBar1.Parent = Panel1.Name();
  Panel1.Color = clWhite;
  ScrollBar1.Min = 0;
  ScrollBar1.Max = 15000;
  ScrollBar1.SmallChange = 10;
  ScrollBar1.LargeChange = 100;
  ScrollBar1.Position = 15000;

  PaintBox1.OnPaint = [this](ICanvas& c) { PaintBox1Paint(c); };
  PaintBox1.OnMouseDown = [this](const TMouseEvent& e) { PaintBox1MouseDown(e); };
  PaintBox1.OnMouseMove = [this](const TMouseEvent& e) { PaintBox1MouseMove(e); };
  PaintBox1.OnMouseUp = [this](const TMouseEvent& e) { PaintBox1MouseUp(e); };
  ScrollBar1.OnChange = [this] { ScrollBar1Scroll(); };
  W_Lava.OnClick = [this] { W_LavaClick(); };
  W_prava.OnClick = [this] { W_pravaClick(); };
  B_OverView.OnClick = [this] { B_OverViewClick(); };
}

TMierka CoilDrawingPanel::Mierka() const {
  return kvr::Mierka(k_.Pohlad, SirkaBoxu(), VyskaBoxu(), ScrollBar1.Max - ScrollBar1.Position);
}

int CoilDrawingPanel::StepAt(int x, int y) const { return kvr::StepAt(k_, Mierka(), x, y); }

void CoilDrawingPanel::Invalidate() { k_.Ui->Invalidate(okno_, PaintBox1.Name()); }
void CoilDrawingPanel::RepaintLater() { k_.Ui->Repaint(okno_, PaintBox1.Name()); }

void CoilDrawingPanel::SetScrollPosition(int64_t pozicia) {
  ScrollBar1.Position = static_cast<int>(std::clamp<int64_t>(pozicia, ScrollBar1.Min, ScrollBar1.Max));
}

void CoilDrawingPanel::StartTimer1() {
  if (timer1Id_ != 0) return;
  timer1Id_ = k_.Ui->StartTimer(kTimer1Ms, [this] { Timer1Timer(); });
}

void CoilDrawingPanel::StopTimer1() {
  if (timer1Id_ == 0) return;
  k_.Ui->StopTimer(timer1Id_);
  timer1Id_ = 0;
}

void CoilDrawingPanel::PaintBox1Paint(ICanvas& c) {
  if (c.Width() > 0 && c.Height() > 0) {
    sirkaBoxu_ = c.Width();
    vyskaBoxu_ = c.Height();
  }
  PaintCoil(k_, c, SirkaBoxu(), VyskaBoxu(), ScrollBar1.Max - ScrollBar1.Position, Panel1.Color, lastWalk_);
  W_Lava.Caption = FieldText(k_.Pohlad.OknoLava, 3, 1);
  W_prava.Caption = FieldText(k_.Pohlad.OknoPrava, 3, 1);
  const StepPanelsCaptions p = StepCaptionsBelow(k_, k_.Program.AktKrok, false);
  pPoloha.Caption = p.Poloha;
  pVrstvy.Caption = p.Vrstvy;
  pDruhKroku.Caption = p.DruhKroku;
}

void CoilDrawingPanel::ZobrazKrokPodKresbou(int n) {
  const StepPanelsCaptions p = StepCaptionsBelow(k_, n, true);
  pPoloha.Caption = p.Poloha;
  pVrstvy.Caption = p.Vrstvy;
  pDruhKroku.Caption = p.DruhKroku;
}

void CoilDrawingPanel::NastavVertPos(int n) {
  ScrollBar1.Position = ScrollPositionFor(k_, n, ScrollBar1.Min, ScrollBar1.Max, VyskaBoxu());
}

void CoilDrawingPanel::PaintBox1MouseDown(const TMouseEvent& e) {
  if (TestujCiNavijame(k_) || !e.Left || k_.Kresba.RezimMysi != 1) return;
  TStavKresby& s = k_.Kresba;
  s.TahOd = StepAt(e.X, e.Y);
  if (s.TahOd == 0) return;
  k_.Program.AktKrok = s.TahOd;
  k_.MainWindow().ZobrazParametre(s.TahOd);
  s.RezimMysi = 7;
  s.SmerRolovania = 0;
}

void CoilDrawingPanel::PaintBox1MouseMove(const TMouseEvent& e) {
  if (TestujCiNavijame(k_)) return;
  const long double p = Mierka().Poloha(e.X);
  if (p > static_cast<long double>(k_.Pohlad.OknoPrava)) return;
  TStavKresby& s = k_.Kresba;
  if (s.RezimMysi == 1) {
    W_Poloha.Caption = FieldText(p, 3, 1) + " [mm]";
  } else if (s.RezimMysi == 7) {
    const int hore = PaintBox1.Bounds.Top;
    if (e.Y <= hore - 15) {
      s.SmerRolovania = 1;
      StartTimer1();
    } else if (e.Y >= hore + VyskaBoxu() - 20) {
      s.SmerRolovania = 2;
      StartTimer1();
    } else {
      s.SmerRolovania = 0;
      StopTimer1();
    }
  }
}

void CoilDrawingPanel::PaintBox1MouseUp(const TMouseEvent& e) {
  if (TestujCiNavijame(k_)) return;
  TStavKresby& s = k_.Kresba;
  TVyber& v = k_.Vyber;
  if (s.RezimMysi == 7) {
    s.RezimMysi = 1;
    s.SmerRolovania = 0;
    StopTimer1();
    s.TahDo = StepAt(e.X, e.Y);
    if (s.TahDo != 0) {
      k_.Program.AktKrok = s.TahDo;
      k_.MainWindow().ZobrazParametre(s.TahDo);
    }
    if (s.TahOd != 0 && s.TahDo != 0) {
      v.BlokOd = std::min(s.TahOd, s.TahDo);
      v.BlokDo = std::max(s.TahOd, s.TahDo);
    } else {
      v.ZrusBlok();
      v.ZrusVybraneKroky();
    }
    Invalidate();
    if (e.Ctrl) {
      v.OznacBlok();
      v.ZrusBlok();
    } else {
      v.ZrusVybraneKroky();
      v.OznacBlok();
    }
    Posli_Krok(k_, k_.Program.AktKrok);
  } else if (s.RezimMysi == 1) {
    v.ZrusBlok();
    v.ZrusVybraneKroky();
    Invalidate();
  }
}

void CoilDrawingPanel::ScrollBar1Scroll() {
  // The scroll offset is read from the scroll bar wherever it is used.
  Invalidate();
}

void CoilDrawingPanel::Timer1Timer() {
  if (k_.Kresba.SmerRolovania == 1) {
    if (ScrollBar1.Position > ScrollBar1.SmallChange) {
      SetScrollPosition(int64_t{ScrollBar1.Position} - ScrollBar1.SmallChange);
      Invalidate();
    }
  } else if (k_.Kresba.SmerRolovania == 2) {
    if (ScrollBar1.Position < ScrollBar1.Max) {
      SetScrollPosition(int64_t{ScrollBar1.Position} + ScrollBar1.SmallChange);
      Invalidate();
    }
  }
}

void CoilDrawingPanel::SpustiTimerPaint() {
  if (timerPaintId_ != 0) return;
  timerPaintId_ = k_.Ui->StartTimer(kTimerPaintMs, [this] { TimerPaintTimer(); });
}

void CoilDrawingPanel::TimerPaintTimer() {
  if (timerPaintId_ != 0) {
    k_.Ui->StopTimer(timerPaintId_);
    timerPaintId_ = 0;
  }
  NastavVertPos(k_.Program.AktKrok);
  RepaintLater();
}

void CoilDrawingPanel::B_OverViewClick() {
  k_.Kresba.Prehlad = k_.Kresba.Prehlad == 0 ? 1 : 0;
  B_OverView.Caption = OverviewCaption(k_.Kresba.Prehlad);
  Invalidate();
}

void CoilDrawingPanel::AskFixedEdge(int druhParametra, Real48& pevny) {
  pevny = 0.0L;
  k_.Dialogy.DruhParametra = druhParametra;
  vstup_.Caption = "[0 - " + RealNaText(k_.Stroj.MaxBreite) + " ]";
  if (k_.Ui->ShowModal(vstup_) == TModalResult::Ok) {
    const long double v = k_.Dialogy.VstupHodnota;
    if (v <= static_cast<long double>(k_.Stroj.MaxBreite)) pevny = v;
  }
  Invalidate();
}

void CoilDrawingPanel::W_LavaClick() { AskFixedEdge(3, k_.Pohlad.PevnaLava); }
void CoilDrawingPanel::W_pravaClick() { AskFixedEdge(4, k_.Pohlad.PevnaPrava); }

}  // namespace kvr
