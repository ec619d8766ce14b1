#include "support/DocBuilder.h"

#include "word/Engine.h"
#include "word/Uno.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XDocumentIndex.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>

#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace quillmark::testing {

namespace css = word::uno::css;
using word::uno::Any;
using word::uno::Reference;
using word::uno::UNO_QUERY_THROW;
using rtl::OUString;

namespace {

css::lang::Locale localeOf(const std::string& tag) {
    css::lang::Locale locale;
    const auto dash = tag.find('-');
    locale.Language = word::uno::toOU(tag.substr(0, dash));
    if (dash != std::string::npos) locale.Country = word::uno::toOU(tag.substr(dash + 1));
    return locale;
}

void setCharacterFormat(const Reference<css::beans::XPropertySet>& props, const TextStyle& style) {
    using word::uno::set;
    set(props, "CharFontName", Any(word::uno::toOU(style.latinFont)));
    set(props, "CharFontNameAsian", Any(word::uno::toOU(style.asianFont)));
    set(props, "CharHeight", Any(style.size));
    set(props, "CharHeightAsian", Any(style.size));
    const float weight = style.bold ? 150.0f : 100.0f;
    set(props, "CharWeight", Any(weight));
    set(props, "CharWeightAsian", Any(weight));
    const auto slant = style.italic ? css::awt::FontSlant_ITALIC : css::awt::FontSlant_NONE;
    set(props, "CharPosture", Any(slant));
    set(props, "CharPostureAsian", Any(slant));
    const short escapement = style.superscript ? 33 : (style.subscript ? -33 : 0);
    set(props, "CharEscapement", Any(escapement));
    set(props, "CharEscapementHeight", Any(static_cast<sal_Int8>(escapement ? 58 : 100)));
    set(props, "CharUnderline", Any(static_cast<sal_Int16>(style.underline ? 1 : 0)));
    set(props, "CharLocale", Any(localeOf(style.latinLocale)));
    set(props, "CharLocaleAsian", Any(localeOf(style.asianLocale)));
}

void setParagraphFormat(const Reference<css::beans::XPropertySet>& props, const ParaStyle& style, bool pageBreakBefore) {
    using word::uno::set;
    static const short adjust[] = {0 /*left*/, 3 /*center*/, 1 /*right*/, 2 /*block*/, 2 /*block, last line too*/};
    const long a = std::clamp<long>(style.alignment, 0, 4);
    set(props, "ParaAdjust", Any(adjust[a]));
    set(props, "ParaLastLineAdjust", Any(static_cast<short>(a == 4 ? 2 : 0)));
    set(props, "OutlineLevel", Any(static_cast<sal_Int16>(style.outlineLevel >= 10 ? 0 : style.outlineLevel)));
    css::style::LineSpacing spacing;
    if (style.exactLineSpacing) {
        spacing.Mode = css::style::LineSpacingMode::FIX;
        spacing.Height = static_cast<sal_Int16>(std::lround(style.lineSpacing * 2540.0 / 72.0));
    } else {
        spacing.Mode = css::style::LineSpacingMode::PROP;
        spacing.Height = static_cast<sal_Int16>(std::lround(style.lineSpacing / 12.0 * 100.0));
    }
    set(props, "ParaLineSpacing", Any(spacing));
    set(props, "BreakType", Any(pageBreakBefore ? css::style::BreakType_PAGE_BEFORE : css::style::BreakType_NONE));
    set(props, "NumberingStyleName", Any(style.numbered ? OUString("Numbering 123") : OUString()));
    set(props, "ParaTopMargin", Any(static_cast<sal_Int32>(std::lround(style.spaceBefore * 2540.0 / 72.0))));
    set(props, "ParaBottomMargin", Any(static_cast<sal_Int32>(std::lround(style.spaceAfter * 2540.0 / 72.0))));
    if (style.restartPageNumber > 0) {
        set(props, "PageDescName", Any(OUString("Standard")));
        set(props, "PageNumberOffset", Any(static_cast<sal_Int16>(style.restartPageNumber)));
    }
}

std::string urlOf(const std::string& path) {
    OUString url;
    osl::FileBase::getFileURLFromSystemPath(word::uno::toOU(std::filesystem::absolute(path).string()), url);
    return word::uno::toUtf8(url);
}

}  // namespace

DocBuilder& DocBuilder::paragraph(const std::string& text, const TextStyle& text_style, const ParaStyle& para) {
    return paragraph(std::vector<Run>{{text, text_style}}, para);
}

DocBuilder& DocBuilder::paragraph(const std::vector<Run>& runs, const ParaStyle& para) {
    Block block;
    block.runs = runs;
    block.para = para;
    if (breakBeforeNext_) block.para.pageBreakBefore = true;
    breakBeforeNext_ = false;
    blocks_.push_back(std::move(block));
    return *this;
}

DocBuilder& DocBuilder::blank(int count, const TextStyle& text_style, const ParaStyle& para) {
    for (int i = 0; i < count; ++i) paragraph("", text_style, para);
    return *this;
}

DocBuilder& DocBuilder::paragraphs(const std::vector<std::string>& texts, const TextStyle& text_style,
                                   const ParaStyle& para) {
    if (breakBeforeNext_) throw std::logic_error("DocBuilder::paragraphs cannot begin a page");
    if (texts.empty()) return *this;
    std::string joined;
    for (const std::string& text : texts) {
        if (text.find('\r') != std::string::npos) throw std::logic_error("a paragraph text holds a paragraph mark");
        if (&text != &texts.front()) joined += '\r';
        joined += text;
    }
    Block block;
    block.kind = Block::Bulk;
    block.runs = {{joined, text_style}};
    block.para = para;
    blocks_.push_back(std::move(block));
    return *this;
}

DocBuilder& DocBuilder::pageBreak() {
    breakBeforeNext_ = true;
    return *this;
}

DocBuilder& DocBuilder::tableOfContents() {
    Block block;
    block.kind = Block::Toc;
    blocks_.push_back(std::move(block));
    return *this;
}

DocBuilder& DocBuilder::table(const std::vector<std::vector<std::string>>& cells, const TextStyle& text_style) {
    Block block;
    block.kind = Block::Table;
    block.cells = cells;
    block.cellStyle = text_style;
    blocks_.push_back(std::move(block));
    return *this;
}

std::string DocBuilder::save(const std::string& path) const {
    return word::uno::guarded([&] {
        Reference<css::frame::XComponentLoader> loader(word::Engine::instance().desktop(), UNO_QUERY_THROW);
        const css::beans::PropertyValue hidden[] = {word::uno::prop("Hidden", Any(true))};
        auto component = loader->loadComponentFromURL("private:factory/swriter", "_blank", 0,
                                                      word::uno::Sequence<css::beans::PropertyValue>(hidden, 1));
        Reference<css::text::XTextDocument> document(component, UNO_QUERY_THROW);
        Reference<css::lang::XMultiServiceFactory> factory(document, UNO_QUERY_THROW);
        auto text = document->getText();
        auto textCursor = text->createTextCursorByRange(text->getEnd());
        Reference<css::text::XTextRange> cursor(textCursor.get());
        Reference<css::beans::XPropertySet> cursorProps(textCursor, UNO_QUERY_THROW);
        std::vector<Reference<css::text::XDocumentIndex>> tocs;
        bool first = true;
        auto newParagraph = [&] {
            if (!first) text->insertControlCharacter(cursor, css::text::ControlCharacter::PARAGRAPH_BREAK, false);
            first = false;
        };
        for (const Block& block : blocks_) {
            if (block.kind == Block::Toc) {
                newParagraph();
                Reference<css::text::XDocumentIndex> toc(factory->createInstance("com.sun.star.text.ContentIndex"), UNO_QUERY_THROW);
                tocs.push_back(toc);
                Reference<css::beans::XPropertySet> props(toc, UNO_QUERY_THROW);
                word::uno::set(props, "CreateFromOutline", Any(true));
                word::uno::set(props, "Level", Any(static_cast<sal_Int16>(3)));
                text->insertTextContent(cursor, Reference<css::text::XTextContent>(toc, UNO_QUERY_THROW), false);
                continue;
            }
            if (block.kind == Block::Table) {
                newParagraph();
                Reference<css::text::XTextTable> table(factory->createInstance("com.sun.star.text.TextTable"), UNO_QUERY_THROW);
                const sal_Int32 rows = static_cast<sal_Int32>(block.cells.size());
                sal_Int32 columns = 1;
                for (const auto& row : block.cells) columns = std::max<sal_Int32>(columns, static_cast<sal_Int32>(row.size()));
                table->initialize(rows, columns);
                text->insertTextContent(cursor, Reference<css::text::XTextContent>(table, UNO_QUERY_THROW), false);
                for (sal_Int32 r = 0; r < rows; ++r) {
                    for (sal_Int32 c = 0; c < static_cast<sal_Int32>(block.cells[r].size()); ++c) {
                        const std::string name = std::string(1, static_cast<char>('A' + c)) + std::to_string(r + 1);
                        Reference<css::text::XText> cell(table->getCellByName(word::uno::toOU(name)), UNO_QUERY_THROW);
                        auto cellCursor = cell->createTextCursor();
                        cell->insertString(Reference<css::text::XTextRange>(cellCursor.get()), word::uno::toOU(block.cells[r][c]), false);
                        cellCursor->gotoStart(false);
                        cellCursor->gotoEnd(true);
                        setCharacterFormat(Reference<css::beans::XPropertySet>(cellCursor, UNO_QUERY_THROW), block.cellStyle);
                    }
                }
                first = true;  // the paragraph after a table is already there
                continue;
            }
            if (block.kind == Block::Bulk) {
                // The engine splits the text at each "\r"; the new paragraphs
                // take the format of the first, whose characters are formatted
                // before it gets any text.
                newParagraph();
                setParagraphFormat(cursorProps, block.para, false);
                setCharacterFormat(cursorProps, block.runs.front().second);
                text->insertString(cursor, word::uno::toOU(block.runs.front().first), false);
                continue;
            }
            newParagraph();
            setParagraphFormat(cursorProps, block.para, block.para.pageBreakBefore);
            if (block.runs.size() == 1 && block.runs.front().first.empty()) {
                setCharacterFormat(cursorProps, block.runs.front().second);  // the mark of an empty paragraph
            }
            for (const auto& [piece, style] : block.runs) {
                if (piece.empty()) continue;
                const OUString converted = word::uno::toOU(piece);
                setCharacterFormat(cursorProps, style);
                text->insertString(cursor, converted, false);
                textCursor->goLeft(static_cast<sal_Int16>(converted.getLength()), true);
                setCharacterFormat(cursorProps, style);
                textCursor->collapseToEnd();
            }
        }
        for (const auto& toc : tocs) toc->update();
        Reference<css::frame::XStorable> storable(document, UNO_QUERY_THROW);
        const std::string extension = std::filesystem::path(path).extension().string();
        const css::beans::PropertyValue args[] = {
            word::uno::prop("FilterName", Any(OUString::createFromAscii(extension == ".docx" ? "MS Word 2007 XML" : "MS Word 97"))),
            word::uno::prop("Overwrite", Any(true))};
        storable->storeToURL(word::uno::toOU(urlOf(path)), word::uno::Sequence<css::beans::PropertyValue>(args, 2));
        Reference<css::util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
        return path;
    });
}

}  // namespace quillmark::testing
