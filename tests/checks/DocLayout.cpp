#include "DocLayout.h"

#include "CheckHarness.h"
#include "support/Engine.h"

namespace quillmark::testing {

void DocLayout::add(long length) {
    const long start = ends_.empty() ? 0 : ends_.back();
    starts_.push_back(start);
    ends_.push_back(start + length + 1);
}

DocLayout& DocLayout::paragraph(const std::string& text, const TextStyle& style, const ParaStyle& para) {
    builder_.paragraph(text, style, para);
    add(charCount(text));
    return *this;
}

DocLayout& DocLayout::paragraph(const std::vector<Run>& runs, const ParaStyle& para) {
    builder_.paragraph(runs, para);
    long length = 0;
    for (const Run& run : runs) length += charCount(run.first);
    add(length);
    return *this;
}

DocLayout& DocLayout::blank(int count, const TextStyle& style, const ParaStyle& para) {
    builder_.blank(count, style, para);
    for (int i = 0; i < count; ++i) add(0);
    return *this;
}

DocLayout& DocLayout::pageBreak() {
    builder_.pageBreak();
    return *this;
}

word::Document DocLayout::open(const std::string& name) const {
    const std::string path = builder_.save(scratchDir() + "/" + name);
    return openCopy(path);
}

}  // namespace quillmark::testing
