#include "ReferenceThesis.h"

#include "CheckHarness.h"
#include "support/Engine.h"

#include <stdexcept>

namespace quillmark::testing {

void TocLayout::add(const std::string& text) {
    const long start = starts_.empty() ? 0 : starts_.back() + charCount(texts_.back()) + 1;
    starts_.push_back(start);
    texts_.push_back(text);
}

TocLayout& TocLayout::paragraph(const std::string& text, const TextStyle& style, const ParaStyle& para) {
    builder_.paragraph(text, style, para);
    add(text);
    return *this;
}

TocLayout& TocLayout::paragraphs(const std::vector<std::string>& texts, const TextStyle& style, const ParaStyle& para) {
    builder_.paragraphs(texts, style, para);
    for (const std::string& text : texts) add(text);
    return *this;
}

TocLayout& TocLayout::blank(int count, const TextStyle& style, const ParaStyle& para) {
    for (int i = 0; i < count; ++i) paragraph("", style, para);
    return *this;
}

TocLayout& TocLayout::pageBreak() {
    builder_.pageBreak();
    return *this;
}

TocLayout& TocLayout::tableOfContents() {
    if (firstAfterToc_ != 0) throw std::logic_error("one table of contents only");
    builder_.tableOfContents();
    firstAfterToc_ = count() + 1;
    return *this;
}

word::Document TocLayout::open(const std::string& name) {
    const word::Document document = openCopy(builder_.save(scratchDir() + "/" + name));
    const word::Paragraphs paragraphs = document.Paragraphs();
    documentEnd_ = document.Content().End();
    tocLength_ = 0;
    if (firstAfterToc_ != 0 && firstAfterToc_ <= count()) {
        // The paragraphs behind the table of contents close the document.
        const long behind = count() - firstAfterToc_ + 1;
        const word::Range first = paragraphs.Item(paragraphs.Count() - behind + 1).Range();
        tocLength_ = first.Start() - starts_[firstAfterToc_ - 1];
    }
    for (int i = 1; i <= count(); ++i) {
        const std::string text = document.Range(start(i), end(i)).Text();
        if (text != texts_[i - 1] + "\r") {
            throw std::logic_error("paragraph " + std::to_string(i) + " reads \"" + text + "\"");
        }
    }
    return document;
}

long TocLayout::start(int index, long offset) const {
    const long shift = firstAfterToc_ != 0 && index >= firstAfterToc_ ? tocLength_ : 0;
    return starts_.at(index - 1) + shift + offset;
}

long TocLayout::end(int index) const { return start(index) + charCount(texts_.at(index - 1)) + 1; }

TocLayout ReferenceThesis::build() {
    TocLayout d;
    d.paragraph("学位论文格式检查方法研究", {.asianFont = "黑体", .size = 22.0f}, {.alignment = 1});
    if (tableOfContents) d.tableOfContents();
    d.pageBreak();
    d.paragraph("第1章 绪论", {.asianFont = "黑体", .size = 16.0f, .bold = true}, {.alignment = 1, .outlineLevel = 1});
    for (const std::string& text : chapterText) d.paragraph(text, {}, chapterPara);
    d.pageBreak();
    d.paragraph(title, {.asianFont = "黑体", .size = 16.0f, .bold = true}, titlePara);
    titleIndex = d.count();
    firstEntryIndex = d.count() + 1;
    d.paragraphs(entries, {.size = 10.5f}, entryPara);
    if (after) after(d);
    return d;
}

}  // namespace quillmark::testing
