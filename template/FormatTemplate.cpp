#include "template/FormatTemplate.h"

#include "template/TemplateLoader.h"

namespace quillmark {

bool FormatTemplate::loadFromFile(const std::string& path) {
    return loadTemplateFile(*this, path) == TemplateLoad::Loaded;
}

FormatTemplate& currentTemplate() {
    static FormatTemplate instance;
    return instance;
}

}  // namespace quillmark
