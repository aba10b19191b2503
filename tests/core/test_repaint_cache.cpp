// A repaint that keeps the last walk's results and draws only what is in view
// must leave the same layer list, walk state and captions, raise the same
// messages as often, and draw the same visible picture as a repaint that
// walks the whole program twice, drawing everything.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/program.h"
#include "model/machine.h"
#include "support/fake_platform.h"
#include "support/steps.h"
#include "support/recording_canvas.h"
#include "form/headless_ui.h"
#include "ui/main_window.h"
#include "view/coil_drawing.h"
#include "view/scale.h"
#include "view/layers.h"

namespace kvr {
namespace {

using test::Still;
using test::Shift;
using test::RecordingCanvas;
using test::Jump;
using test::Winding;
using Op = RecordingCanvas::Op;

struct Stanica {
  HeadlessUi ui;
  test::FakePlatform pl;
  TProg prog{ui, pl};
  TKontext& k = prog.Kontext();
  Stanica() {
    k.Stroj.Model = "KVR - 22";
    k.Stroj.Prevod = 1;
    NastavModel(k);
  }
};

// The repaint as it was: both walks in full through Vykresli, on the main
// window's box at its scroll position.
void PlnePrekreslenie(TProg& prog, ICanvas& c) {
  TKontext& k = prog.Kontext();
  CoilDrawingPanel& d = prog.drawing;
  TPohlad& v = k.Pohlad;
  if (static_cast<long double>(v.PevnaLava) == 0.0L && static_cast<long double>(v.PevnaPrava) == 0.0L) {
    SirkaOkna(k);
  } else {
    if (static_cast<long double>(v.PevnaPrava) > 0.0L) v.OknoPrava = v.PevnaPrava;
    if (static_cast<long double>(v.PevnaLava) > 0.0L) v.OknoLava = v.PevnaLava;
  }
  const TMierka m = Mierka(v, c.Width(), c.Height(), d.ScrollBar1.Max - d.ScrollBar1.Position);
  k.Kresba.KresliZapnute = false;
  Vykresli(k, c, m);
  k.Kresba.KresliZapnute = true;
  Vykresli(k, c, m);
  d.W_Lava.Caption = FieldText(v.OknoLava, 3, 1);
  d.W_prava.Caption = FieldText(v.OknoPrava, 3, 1);
  d.ZobrazKrokPodKresbou(k.Program.AktKrok);
}

// What can show of a recording: the drawing calls that touch the canvas, with
// the pen, brush (shapes) and font (text) they use and where the line came
// from. Pen moves
// leave nothing; step numbers are at most 20 pixels high.
std::vector<std::string> Viditelne(const RecordingCanvas& c) {
  std::vector<std::string> r;
  for (const RecordingCanvas::Call& v : c.calls) {
    // The brush fills shapes only, the font serves text only.
    const bool tvar = v.op == Op::Ellipse || v.op == Op::Rectangle || v.op == Op::Polygon;
    const std::string stav = " pen " + std::to_string(v.pen.Color) + "/" + std::to_string(static_cast<int>(v.pen.Style)) +
                             "/" + std::to_string(v.pen.Width) + (tvar ? " brush " + std::to_string(v.brush) : "") +
                             (v.op == Op::TextOut ? " font " + v.font + "/" + std::to_string(v.fontHeight) : "");
    switch (v.op) {
      case Op::LineTo:
        if (std::max(v.from.Y, v.y1) < 0) continue;
        r.push_back("line " + std::to_string(v.from.X) + "," + std::to_string(v.from.Y) + " " + std::to_string(v.x1) +
                    "," + std::to_string(v.y1) + stav);
        break;
      case Op::Ellipse:
      case Op::Rectangle:
        if (std::max(v.y1, v.y2) <= 0) continue;
        r.push_back((v.op == Op::Ellipse ? "ellipse " : "box ") + std::to_string(v.x1) + "," + std::to_string(v.y1) +
                    " " + std::to_string(v.x2) + "," + std::to_string(v.y2) + stav);
        break;
      case Op::Polygon: {
        int dolu = INT32_MIN;
        std::string body;
        for (const TPoint& b : v.points) {
          dolu = std::max(dolu, b.Y);
          body += " " + std::to_string(b.X) + "," + std::to_string(b.Y);
        }
        if (dolu < 0) continue;
        r.push_back("polygon" + body + stav);
        break;
      }
      case Op::TextOut:
        if (v.y1 + 20 < 0) continue;
        r.push_back("text " + std::to_string(v.x1) + "," + std::to_string(v.y1) + " " + v.text + " on " +
                    (v.background ? std::to_string(*v.background) : std::string("none")) + stav);
        break;
      default:
        break;
    }
  }
  return r;
}

std::string Bajty(const void* p, size_t n) { return std::string(static_cast<const char*>(p), n); }

// Random programs of every kind of step, with trapezoids that cross, gears out
// of range, unknown kinds, narrow and crossed windings.
TKrok NahodnyKrok(std::mt19937_64& g) {
  std::uniform_real_distribution<double> poloha(0.0, 120.0), sirka(0.0, 30.0), posuv(0.05, 1.5), zavity(1.0, 400.0),
      bok(0.0, 3.0);
  switch (g() % 10) {
    case 0: return Shift(poloha(g));
    case 1: return Jump(sirka(g), static_cast<uint8_t>(g() % 2));
    case 2: return Still(static_cast<uint8_t>(std::vector<int>{0, 4, 6, 0x17}[g() % 4]), 1.0L);
    case 3: return Still(kDruhGetriebe, static_cast<long double>(g() % 6) / 100.0L);
    default: {
      const long double l = poloha(g);
      const long double r = g() % 6 == 0 ? l - (g() % 2 == 0 ? 0.0L : 5.0L) : l + sirka(g);
      TKrok k = Winding(zavity(g), posuv(g), l, r, static_cast<uint8_t>(g() % 2), static_cast<uint8_t>(g() % 3 != 0));
      if (g() % 3 == 0) {
        k.TrapezL = bok(g);
        k.TrapezP = bok(g);
        k.TrapezLZnamienko = static_cast<uint8_t>(g() % 2);
        k.TrapezPZnamienko = static_cast<uint8_t>(g() % 2);
      }
      return k;
    }
  }
}

TEST(RepaintCache, GivesWhatTwoFullWalksGive) {
  std::mt19937_64 g(1919);
  for (int t = 0; t < 40; ++t) {
    SCOPED_TRACE(t);
    Stanica rychla, plna;
    const int n = 1 + static_cast<int>(g() % 60);
    std::vector<TKrok> kroky;
    for (int i = 0; i < n; ++i) kroky.push_back(NahodnyKrok(g));
    const int ende = static_cast<int>(g() % static_cast<uint64_t>(n + 1));
    const int akt = static_cast<int>(g() % static_cast<uint64_t>(n + 1));
    const bool online = t % 5 == 4;
    const uint8_t prehlad = t % 7 == 6 ? 1 : 0;
    for (Stanica* s : {&rychla, &plna}) {
      s->k.Program.Kroky.Vymaz();
      for (int i = 0; i < n; ++i) s->k.Program.Kroky[i + 1] = kroky[static_cast<size_t>(i)];
      if (ende > 0) s->k.Program.Kroky[ende].TypCyklu = kCyklusEnde;
      PrepocitajKroky(s->k.Program);
      s->k.Program.AktKrok = akt;
      s->k.Program.Online = online ? 1 : 0;
      s->k.Kresba.Prehlad = prehlad;
      s->k.Vyber.BlokOd = n / 3;
      s->k.Vyber.BlokDo = n / 2;
      s->k.Vyber.VybraneKroky[static_cast<size_t>(n)] = 'U';
      if (t % 6 == 5) s->k.Pohlad.PevnaLava = 30.0L;  // a fixed edge: the walk starts elsewhere
    }
    // Opening, scrolling up and back, a wider box (zoom), an edit, and a
    // repaint once more with nothing changed.
    struct Prekreslenie {
      int posun, sirka, vyska;
      bool uprav;  // an edit of step 1 before it
    };
    const Prekreslenie poradie[] = {{0, 427, 649, false},    {300, 427, 649, false}, {14000, 427, 649, false},
                                    {0, 427, 649, false},    {150, 640, 973, false}, {150, 640, 973, true},
                                    {40, 427, 649, false}};
    for (size_t j = 0; j < std::size(poradie); ++j) {
      SCOPED_TRACE(j);
      const Prekreslenie& kr = poradie[j];
      if (kr.uprav) {
        const TKrok novy = NahodnyKrok(g);
        rychla.k.Program.Kroky[1] = novy;
        plna.k.Program.Kroky[1] = novy;
      }
      for (Stanica* s : {&rychla, &plna}) s->prog.drawing.ScrollBar1.Position = s->prog.drawing.ScrollBar1.Max - kr.posun;
      RecordingCanvas cr(kr.sirka, kr.vyska), cp(kr.sirka, kr.vyska);
      rychla.prog.drawing.PaintBox1Paint(cr);
      PlnePrekreslenie(plna.prog, cp);
      ASSERT_EQ(Bajty(rychla.k.BodyKrokov.data(), rychla.k.BodyKrokov.size() * sizeof(TBodKroku)),
                Bajty(plna.k.BodyKrokov.data(), plna.k.BodyKrokov.size() * sizeof(TBodKroku)));
      const TStavVrstvenia& a = rychla.k.Vrstvenie;
      const TStavVrstvenia& b = plna.k.Vrstvenie;
      EXPECT_EQ(a.AktPoloha, b.AktPoloha);
      EXPECT_EQ(a.AktVyska, b.AktVyska);
      EXPECT_EQ(a.AktSmer, b.AktSmer);
      EXPECT_EQ(a.AktLRev, b.AktLRev);
      EXPECT_EQ(a.AktPRev, b.AktPRev);
      EXPECT_EQ(a.Zvysok, b.Zvysok);
      EXPECT_EQ(a.Prechod, b.Prechod);
      EXPECT_EQ(a.PocetVrstiev, b.PocetVrstiev);
      EXPECT_EQ(a.PredZavity, b.PredZavity);
      EXPECT_EQ(a.VrstvujPoloha, b.VrstvujPoloha);
      EXPECT_EQ(a.VrstvujSmer, b.VrstvujSmer);
      EXPECT_EQ(rychla.ui.All, plna.ui.All);
      EXPECT_EQ(rychla.prog.drawing.W_Lava.Caption, plna.prog.drawing.W_Lava.Caption);
      EXPECT_EQ(rychla.prog.drawing.pPoloha.Caption, plna.prog.drawing.pPoloha.Caption);
      EXPECT_EQ(rychla.prog.drawing.pVrstvy.Caption, plna.prog.drawing.pVrstvy.Caption);
      const std::vector<std::string> vr = Viditelne(cr), vp = Viditelne(cp);
      ASSERT_EQ(vr.size(), vp.size());
      for (size_t i = 0; i < vr.size(); ++i) ASSERT_EQ(vr[i], vp[i]) << i;
    }
  }
}

}  // namespace
}  // namespace kvr
