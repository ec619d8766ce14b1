#pragma once

#include "CharAttributes.h"
#include "StoryUnpack.h"
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

struct LayoutRequest;

namespace css = uno::css;

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
    // False once the engine that opened it has gone.
    bool engineAlive() const;
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
    // paragraph marks. `update` keeps the cached runs in step; where it
    // models the property fully, `Skip::Unchanged` leaves out the engine's
    // call for a part whose cached runs already have the value (a check
    // marks or blackens the same words more than once).
    enum class Skip { Never, Unchanged };
    void setCharProperty(long start, long end, const char* name, const uno::Any& value,
                         bool affectsLayout, const std::function<void(CharAttributes&)>& update,
                         Skip skip = Skip::Never);
    void setParagraphProperty(long index, const char* name, const uno::Any& value, bool affectsLayout);
    void insertParagraphBreak(long position);
    // Returns the number of characters the story gained.
    long insertText(long position, const std::u16string& text);

    // Layout.
    long pageCount();
    long pageOf(long position);
    long lineOf(long position);
    long pageStart(long page);

    // The engine's objects of a paragraph and of the text (main text or
    // table cell) that holds it; fetched on first use.
    uno::Reference<css::text::XTextRange> paragraphObject(long index);
    uno::Reference<css::text::XText> textObjectOf(long index);

    // Engine ranges for story positions, and back.
    uno::Reference<css::text::XTextRange> unoRange(long start, long end);
    long positionOf(const uno::Reference<css::text::XTextRange>& point);

    // The Selection that belongs to this document.
    const SpanPtr& selection() { return selection_; }

    // Paragraphs with exact line spacing do not snap to the
    // document grid in the working copy (so that their lines keep Word's
    // height); a report is saved with their snapping as the thesis had it.
    void restoreGridSnapping();
    void releaseGridSnapping();

    void close();
    void showSelection();  // puts the Selection into the visible view
    void setWindowVisible(bool visible);
    void invalidate();     // forget everything cached

private:
    void ensureStory();
    void adoptStory(StoryContents&& story);
    void ensureObjects();
    // Walks the layout as far as `position` needs (-1: all of it).
    void ensureLayout(long until);
    void ensureLinesOfPage(long position);
    void ensurePageWalked(long page);
    void walkGap(const LayoutRequest& request);
    void forgetLayout();
    void forgetLayoutFrom(long paragraphStart);
    void checkUsable() const;

    std::recursive_mutex mutex_;
    uno::Reference<css::text::XTextDocument> document_;
    uno::Reference<css::frame::XModel> model_;  // the same object, as a model
    std::uint64_t engineGeneration_ = 0;
    std::string path_;
    bool closed_ = false;

    bool storyLoaded_ = false;
    sal_Int32 storyStamp_ = 0;  // which story read the cache holds
    std::u16string text_;
    std::vector<ParagraphEntry> paragraphs_;
    std::map<long, std::vector<CharRun>> runs_;                  // by paragraph index
    std::map<long, ParagraphAttributes> paragraphAttributes_;    // by paragraph index
    std::map<long, CharAttributes> markAttributes_;              // by paragraph index

    std::optional<StoryObjects> objects_;
    std::vector<const void*> textIdentities_;  // of objects_->texts, taken when first needed

    std::optional<StoryLayout> layout_;
    bool gridReleaseAsked_ = false;
    std::vector<uno::Reference<css::text::XTextRange>> releasedFromGrid_;
    SpanPtr selection_;
};

}  // namespace word
