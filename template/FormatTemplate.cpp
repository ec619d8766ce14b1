#include "template/FormatTemplate.h"

#include "template/ProfileReader.h"
#include "template/TemplateLoader.h"

namespace quillmark {

bool FormatTemplate::loadFromFile(const std::string& path) {
    applyProfile(*this, readProfileFile(path));
    return true;
}

FormatTemplate& currentTemplate() {
    static FormatTemplate instance;
    return instance;
}

}  // namespace quillmark
