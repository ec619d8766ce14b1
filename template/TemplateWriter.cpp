#include "template/TemplateWriter.h"

#include "template/Overloaded.h"
#include "template/ProfileValues.h"

#include <variant>

namespace quillmark {

std::string formatTemplateValue(const FormatTemplate& tmpl, const TemplateKey& key) {
    return std::visit(Overloaded{
                          [&](IntegerMember member) { return std::to_string(tmpl.*member); },
                          [&](SizeMember member) { return formatProfileSize(tmpl.*member); },
                          [&](TextMember member) { return quoteProfileText(tmpl.*member); },
                      },
                      key.member);
}

std::string formatTemplateFile(const FormatTemplate& tmpl) {
    std::string text;
    std::string_view currentSection;
    for (const TemplateKey& key : templateKeys()) {
        if (key.section != currentSection) {
            if (!text.empty()) text += '\n';
            text.append("[").append(key.section).append("]\n");
            currentSection = key.section;
        }
        text.append(key.key).append("=").append(formatTemplateValue(tmpl, key)).append("\n");
    }
    return text;
}

}  // namespace quillmark
