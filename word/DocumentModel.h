#pragma once

#include "CharAttributes.h"
#include "Span.h"
#include "Uno.h"

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace word {

namespace css = uno::css;

// One paragraph of the main story (table cells included).
struct ParagraphEntry {
    long start = 0;   // position of its first character
    long length = 0;  // characters without the paragraph mark
    uno::Reference<css::text::XTextRange> paragraph;
    uno::Reference<css::text::XText> text;  // the main text or a table cell
    const void* textId = nullptr;           // identity of `text`
    int tableRow = -1;                      // 1-based row inside a table, -1 outside
    long end() const { return start + length + 1; }
};

// A stretch of one paragraph whose characters share their attributes.
struct CharRun {
    long start = 0;
    long end = 0;
    CharAttributes attributes;
};

// Paragraph-level attributes, in the engine's units.
struct ParagraphAttributes {
    short adjust = 0;          // ParagraphAdjust
    short lastLineAdjust = 0;  // ParagraphAdjust of the last line
    short lineSpacingMode = 0;
    short lineSpacingHeight = 100;
    std::int32_t topMargin = 0;     // 1/100 mm
    std::int32_t bottomMargin = 0;  // 1/100 mm
    short outlineLevel = 0;         // 0 body text, 1..10 headings
    std::string listLabel;
};

// A paragraph found in the story, before its contents are read.
struct PendingParagraph {
    uno::Reference<css::text::XTextRange> paragraph;
    uno::Reference<css::text::XText> text;
    int tableRow = -1;
};

// What one paragraph holds: its text, the attributes of its pieces, and its
// paragraph attributes.
struct ParagraphRead {
    std::u16string text;
    std::vector<std::pair<long, CharAttributes>> pieces;  // length, attributes
    ParagraphAttributes attributes;
};

// The layout facts the object model reports.
struct PageLayout {
    std::vector<long> pageStarts;  // position where each page begins, index 0 = page 1
    std::map<long, std::vector<std::int32_t>> lineTops;  // page -> the y of each line
};

// Everything the object model knows of one open document: the engine's
// objects, the main story as text, and the character runs, paragraph
// attributes and layout read from the engine. Reads are cached until the
// document changes; writes go to the engine and update the caches.
class DocumentModel : public std::enable_shared_from_this<DocumentModel> {
public:
    DocumentModel(uno::Reference<css::text::XTextDocument> document, std::string path);
    ~DocumentModel();

    const std::string& path() const { return path_; }
    void setPath(std::string path) { path_ = std::move(path); }
    bool closed() const { return closed_; }
    uno::Reference<css::text::XTextDocument> unoDocument() const;
    uno::Reference<css::frame::XModel> unoModel() const;

    // The main story.
    const std::u16string& text();
    long storyEnd();
    const std::vector<ParagraphEntry>& paragraphs();
    long paragraphAt(long position);  // index of the paragraph holding `position`
    // Indices of the first and last paragraphs that [start, end) touches.
    std::pair<long, long> paragraphsTouching(long start, long end);

    // Character formatting.
    std::vector<CharRun> runsIn(long start, long end);
    const ParagraphAttributes& paragraphAttributes(long index);
    // The character attributes of a paragraph's mark (what an empty paragraph shows).
    CharAttributes markAttributes(long index);

    // Writes. Each applies to every paragraph part of [start, end) without its
    // paragraph marks.
    void setCharProperty(long start, long end, const char* name, const uno::Any& value,
                         bool affectsLayout, const std::function<void(CharAttributes&)>& update);
    void setParagraphProperty(long index, const char* name, const uno::Any& value, bool affectsLayout);
    void insertParagraphBreak(long position);
    // Returns the number of characters the story gained.
    long insertText(long position, const std::u16string& text);

    // Layout.
    long pageCount();
    long pageOf(long position);
    long lineOf(long position);
    long pageStart(long page);

    // Engine ranges for story positions, and back.
    uno::Reference<css::text::XTextRange> unoRange(long start, long end);
    long positionOf(const uno::Reference<css::text::XTextRange>& point);

    // The Selection that belongs to this document.
    const SpanPtr& selection() { return selection_; }

    void close();
    void showSelection();  // puts the Selection into the visible view
    void setWindowVisible(bool visible);
    void invalidate();     // forget everything cached

private:
    void ensureStory();
    void collectParagraphs(const uno::Reference<css::text::XText>& text, int tableRow,
                           std::vector<PendingParagraph>& pending);
    void collectTable(const uno::Reference<css::text::XTextTable>& table, std::vector<PendingParagraph>& pending);
    static std::vector<ParagraphRead> readParagraphs(const std::vector<PendingParagraph>& pending);
    static ParagraphRead readParagraph(const uno::Reference<css::text::XTextRange>& paragraph);
    void appendParagraph(const PendingParagraph& pending, const ParagraphRead& read);
    void ensureLayout();
    void forgetLayout();
    void ensureLines(long page);
    uno::Reference<css::text::XTextViewCursor> viewCursor();
    void checkUsable() const;

    std::recursive_mutex mutex_;
    uno::Reference<css::text::XTextDocument> document_;
    std::uint64_t engineGeneration_ = 0;
    std::string path_;
    bool closed_ = false;

    bool storyLoaded_ = false;
    std::u16string text_;
    std::vector<ParagraphEntry> paragraphs_;
    std::map<long, std::vector<CharRun>> runs_;                  // by paragraph index
    std::map<long, ParagraphAttributes> paragraphAttributes_;    // by paragraph index
    std::map<long, CharAttributes> markAttributes_;              // by paragraph index

    std::optional<PageLayout> layout_;
    long pageCount_ = 0;
    uno::Reference<css::text::XTextViewCursor> viewCursor_;
    SpanPtr selection_;
};

}  // namespace word
