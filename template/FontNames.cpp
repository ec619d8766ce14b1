#include "template/FontNames.h"

#include "template/TemplateKeys.h"

#include <unordered_set>
#include <variant>

namespace quillmark {

std::vector<std::string> uniqueFontNames(std::span<const std::string> reported) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const std::string& name : reported) {
        if (!name.empty() && seen.insert(name).second) names.push_back(name);
    }
    return names;
}

std::vector<std::string> templateFontNames(const FormatTemplate& tmpl) {
    std::vector<std::string> fonts;
    for (const TemplateKey& key : templateKeys()) {
        if (key.kind == ValueKind::Font) fonts.push_back(tmpl.*std::get<TextMember>(key.member));
    }
    return uniqueFontNames(fonts);
}

}  // namespace quillmark
