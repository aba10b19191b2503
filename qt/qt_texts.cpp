#include "qt/qt_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace kvr {

namespace {

const QString kKatalog = QStringLiteral("qtbase");

QStringList Priecinky() {
  return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
}

}  // namespace

QString GermanQtTextsFolder() {
  for (const QString& dir : Priecinky()) {
    QTranslator t;
    if (t.load(QLocale(QLocale::German), kKatalog, QStringLiteral("_"), dir)) return dir;
  }
  return {};
}

QTranslator* InstallGermanQtTexts(QCoreApplication& app) {
  const QString dir = GermanQtTextsFolder();
  if (dir.isEmpty()) return nullptr;
  // Owned by the application, so it lives as long as the texts are used.
  auto* t = new QTranslator(&app);
  if (!t->load(QLocale(QLocale::German), kKatalog, QStringLiteral("_"), dir) || !QCoreApplication::installTranslator(t)) {
    delete t;
    return nullptr;
  }
  return t;
}

}  // namespace kvr
