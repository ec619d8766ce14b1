#include "SharedFonts.h"

#include "word/EngineFonts.h"

#include <QByteArray>
#include <QtGlobal>

namespace quillmark::gui {

void shareEngineFonts() {
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE")) return;
    const std::string config = word::engineFontConfigFile();
    if (!config.empty()) qputenv("FONTCONFIG_FILE", QByteArray::fromStdString(config));
}

}  // namespace quillmark::gui
