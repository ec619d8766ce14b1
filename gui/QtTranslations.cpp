#include "gui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quillmark::gui {

QLocale qtTextsLocale(const QLocale& system) {
    if (system.language() == QLocale::Chinese) return system;
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

bool installQtTranslations(QCoreApplication& app, const QLocale& system) {
    auto* translator = new QTranslator(&app);
    // "qt" gathers qtbase and the other modules' catalogues.
    if (!translator->load(qtTextsLocale(system), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace quillmark::gui
