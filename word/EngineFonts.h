#pragma once

#include <string>

namespace word {

// The engine's own font configuration (set up by scripts/setup): the system
// configuration plus the thesis fonts' stand-ins and their aliases, so that
// 宋体, 黑体, Times New Roman and the like resolve as the engine lays them
// out. QUILLMARK_FONTCONFIG_FILE names another; empty when the file is
// missing.
std::string engineFontConfigFile();

}  // namespace word
