// The main window's coil drawing and selection: thin forwards to
// view/, and the wiring of the drawing's controls.
#include "ui/prog.h"

#include "ui/sluzby.h"
#include "view/kresba.h"
#include "view/vrstvy.h"

namespace kvr {

void TProg::PaintBox1Paint(ICanvas& c) { kvr::PaintBox1Paint(k_, c); }
void TProg::Vykresli(ICanvas& c) { kvr::Vykresli(k_, c); }
void TProg::SirkaOkna() { kvr::SirkaOkna(k_); }
void TProg::NastavVertPos(int krok) { kvr::NastavVertPos(k_, krok); }
void TProg::ZrusVybraneKroky() { kvr::ZrusVybraneKroky(k_); }
bool TProg::TestVybraneKroky() const { return kvr::TestVybraneKroky(k_); }
void TProg::ZrusBlok() { kvr::ZrusBlok(k_); }
int TProg::NajdiKrok(int x, int y) const { return kvr::NajdiKrok(k_, x, y); }
void TProg::PaintBox1MouseDown(const TMouseEvent& e) { kvr::PaintBox1MouseDown(k_, e); }
void TProg::PaintBox1MouseMove(const TMouseEvent& e) { kvr::PaintBox1MouseMove(k_, e); }
void TProg::PaintBox1MouseUp(const TMouseEvent& e) { kvr::PaintBox1MouseUp(k_, e); }
void TProg::ScrollBar1Scroll() { kvr::ScrollBar1Scroll(k_); }
void TProg::SpinButton1Exit() {
  kvr::NastavVertPos(k_, k_.Program.AktKrok);
  k_.Ui->Invalidate(*this, PaintBox1.Name());
}
void TProg::Timer1Timer() { kvr::Timer1Timer(k_); }
void TProg::TimerPaintTimer() { kvr::TimerPaintTimer(k_); }
void TProg::B_OverViewClick() { kvr::B_OverViewClick(k_); }
void TProg::mnZoomPlusClick() { kvr::ZoomPlus(k_); }
void TProg::mnZoomMinusClick() { kvr::ZoomMinus(k_); }
void TProg::W_LavaClick() { kvr::W_LavaClick(k_); }
void TProg::W_pravaClick() { kvr::W_pravaClick(k_); }
void TProg::Vrstvuj(const TKrok& krok, Real48 start) { kvr::Vrstvuj(k_, krok, start); }
bool TProg::TestujCiNavijame() const { return kvr::TestujCiNavijame(k_); }
void TProg::ZobrazParametre(int n) { kvr::ZobrazParametre(k_, n); }

void TProg::WireDrawing() {
  PaintBox1.OnPaint = [this](ICanvas& c) { PaintBox1Paint(c); };
  PaintBox1.OnMouseDown = [this](const TMouseEvent& e) { PaintBox1MouseDown(e); };
  PaintBox1.OnMouseMove = [this](const TMouseEvent& e) { PaintBox1MouseMove(e); };
  PaintBox1.OnMouseUp = [this](const TMouseEvent& e) { PaintBox1MouseUp(e); };
  ScrollBar1.OnChange = [this] { ScrollBar1Scroll(); };
  W_Lava.OnClick = [this] { W_LavaClick(); };
  W_prava.OnClick = [this] { W_pravaClick(); };
  B_OverView.OnClick = [this] { B_OverViewClick(); };
  mnZoomPlus.OnClick = [this] { mnZoomPlusClick(); };
  mnZoomMinus.OnClick = [this] { mnZoomMinusClick(); };
}

}  // namespace kvr
