#pragma once

#include <QLocale>

class QCoreApplication;

namespace quillmark::gui {

// The language of Qt's own texts (the buttons of message boxes, the file
// dialogs): the system's when it is a Chinese one, simplified Chinese
// otherwise, since the program's own texts are Chinese.
QLocale qtTextsLocale(const QLocale& system);

// Loads Qt's translations for qtTextsLocale(system) from Qt's translations
// folder into `app`. False when they are not there: Qt then speaks English.
bool installQtTranslations(QCoreApplication& app, const QLocale& system = QLocale::system());

}  // namespace quillmark::gui
