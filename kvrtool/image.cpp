#include "kvrtool/image.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cmath>

#include "qt/qt_canvas.h"
#include "model/context.h"
#include "view/coil_drawing.h"
#include "qt/qt_texts.h"

namespace kvr::tool {

bool UlozObrazKresby(TKontext& k, const std::string& cesta, int zoom) {
  // No display is needed or wanted: a tool renders the same on every machine.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char meno[] = "kvrtool";
  char* argv[] = {meno, nullptr};
  QGuiApplication app(argc, argv);
  // Whatever Qt itself says here is in the operator's language, as on the station.
  InstallGermanQtTexts(app);

  const int w = static_cast<int>(std::lround(kSirkaKresby * zoom / 100.0));
  const int h = static_cast<int>(std::lround(kVyskaKresby * zoom / 100.0));
  QImage obraz(w, h, QImage::Format_RGB32);
  obraz.fill(Qt::white);  // the paint box's white panel
  {
    QPainter p(&obraz);
    QtCanvas c(p, w, h);
    PaintCoil(k, c);
  }
  return obraz.save(QString::fromStdString(cesta), "PNG");
}

}  // namespace kvr::tool
