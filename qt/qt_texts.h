// Qt's own texts (file dialogs, standard buttons, context menus) in the
// operator's language.
#pragma once
#include <QString>

class QCoreApplication;
class QTranslator;

namespace kvr {

// Loads Qt's German translations (qtbase_de) from where Qt's installation
// keeps them (on Debian the qt6-translations-l10n package) or, for a station
// deployed with its own copy, from "translations" beside the executable, and
// installs them into app, which owns them. Null, with Qt's texts left in
// English, when neither holds them.
QTranslator* InstallGermanQtTexts(QCoreApplication& app);

// The folder the German translations were found in, or an empty text.
QString GermanQtTextsFolder();

}  // namespace kvr
