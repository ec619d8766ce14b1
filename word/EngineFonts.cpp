#include "EngineFonts.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace word {

namespace {
constexpr const char* kEngineFontConfig = "/usr/local/share/quillmark/fonts/fonts.conf";
}

std::string engineFontConfigFile() {
    const char* forced = std::getenv("QUILLMARK_FONTCONFIG_FILE");
    const std::string config = forced ? forced : kEngineFontConfig;
    std::error_code error;
    if (config.empty() || !std::filesystem::is_regular_file(config, error)) return {};
    return config;
}

}  // namespace word
