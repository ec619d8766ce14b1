#pragma once

namespace quillmark::gui {

// Lets this process see fonts as the engine does (its stand-ins for 宋体,
// 黑体, Times New Roman and the like), so that the font lists offer the names
// a template uses. Call before the QApplication is made; a FONTCONFIG_FILE
// already set is kept.
void shareEngineFonts();

}  // namespace quillmark::gui
