#include "StoryWalk.h"

#include "FontFamilyName.h"
#include "LayoutWalk.h"
#include "PacketWriter.h"
#include "StoryCache.h"
#include "StoryPacket.h"
#include "WalkTimes.h"
#include "word/Languages.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XContentEnumerationAccess.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <rtl/ustrbuf.hxx>

#include <memory>
#include <string>

namespace word {

using ::rtl::OString;
using ::rtl::OUStringBuffer;

namespace {

namespace css = ::com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr sal_Unicode kObjectPlaceholder = 0xFFFC;  // a field, note anchor or inline object

// Sorted, as the engine's multi-property reads expect.
template <size_t N>
Sequence<OUString> namesOf(const char* const (&names)[N]) {
    Sequence<OUString> sequence(static_cast<sal_Int32>(N));
    for (size_t i = 0; i < N; ++i) sequence.getArray()[i] = OUString::createFromAscii(names[i]);
    return sequence;
}

// The portion's type comes last so that a paragraph (which has none) reads
// the same names without it.
const Sequence<OUString>& portionPropertyNames() {
    static const char* const names[] = {
        "CharColor",  "CharEscapement", "CharFontName", "CharFontNameAsian", "CharHeight",
        "CharHeightAsian", "CharLocale", "CharLocaleAsian", "CharPosture", "CharUnderline",
        "CharWeight", "CharWeightAsian", "TextPortionType"};
    static const Sequence<OUString> sequence = namesOf(names);
    return sequence;
}

const Sequence<OUString>& markPropertyNames() {
    static const Sequence<OUString> sequence = [] {
        Sequence<OUString> names = portionPropertyNames();
        names.realloc(names.getLength() - 1);
        return names;
    }();
    return sequence;
}

const Sequence<OUString>& paragraphPropertyNames() {
    static const char* const names[] = {"ListLabelString", "OutlineLevel", "ParaAdjust",
                                        "ParaBottomMargin", "ParaLastLineAdjust", "ParaLineSpacing",
                                        "ParaTopMargin", "SnapToGrid"};
    static const Sequence<OUString> sequence = namesOf(names);
    return sequence;
}

std::string utf8(const OUString& text) {
    const OString bytes = OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(bytes.getStr(), static_cast<size_t>(bytes.getLength()));
}

OUString familyName(const Any& value) {
    OUString name;
    if (!(value >>= name)) return OUString();
    return reportedFontName(name);
}

sal_Int32 languageOf(const Any& value) {
    css::lang::Locale locale;
    value >>= locale;
    return static_cast<sal_Int32>(languageIdFromLocale(utf8(locale.Language), utf8(locale.Country)));
}

void putRun(PacketWriter& out, sal_Int32 length, const Sequence<Any>& v) {
    out.putInt(length);
    out.putName(familyName(v[2]));
    out.putName(familyName(v[3]));
    float size = 0;
    v[4] >>= size;
    out.putDouble(size);
    size = 0;
    v[5] >>= size;
    out.putDouble(size);
    css::awt::FontSlant slant = css::awt::FontSlant_NONE;
    v[8] >>= slant;
    float latinWeight = 100, asianWeight = 100;
    v[10] >>= latinWeight;
    v[11] >>= asianWeight;
    sal_Int32 flags = 0;
    if (latinWeight > 100.5f) flags |= packet::LatinBold;
    if (asianWeight > 100.5f) flags |= packet::AsianBold;
    if (slant == css::awt::FontSlant_ITALIC || slant == css::awt::FontSlant_OBLIQUE) flags |= packet::Italic;
    out.putInt(flags);
    sal_Int16 escapement = 0, underline = 0;
    v[1] >>= escapement;
    v[9] >>= underline;
    out.putInt(escapement);
    out.putInt(underline);
    sal_Int32 color = -1;
    v[0] >>= color;
    out.putInt(color);
    out.putInt(languageOf(v[6]));
    out.putInt(languageOf(v[7]));
}

void putParagraphAttributes(PacketWriter& out, const Sequence<Any>& v) {
    sal_Int16 outline = 0, adjust = 0, lastLineAdjust = 0;
    sal_Int32 top = 0, bottom = 0;
    css::style::LineSpacing spacing;
    spacing.Mode = 0;
    spacing.Height = 100;
    v[1] >>= outline;
    v[2] >>= adjust;
    v[3] >>= bottom;
    v[4] >>= lastLineAdjust;
    v[5] >>= spacing;
    v[6] >>= top;
    const sal_Int32 values[] = {adjust, lastLineAdjust, spacing.Mode, spacing.Height, top, bottom, outline};
    for (sal_Int32 value : values) out.putInt(value);
    OUString label;
    v[0] >>= label;
    out.putString(label);
}

bool isInlineObject(const Reference<css::uno::XInterface>& portion) {
    Reference<css::container::XContentEnumerationAccess> access(portion, UNO_QUERY);
    if (!access.is()) return false;
    auto contents = access->createContentEnumeration("com.sun.star.text.TextContent");
    while (contents.is() && contents->hasMoreElements()) {
        Reference<css::beans::XPropertySet> props(contents->nextElement(), UNO_QUERY);
        css::text::TextContentAnchorType anchor = css::text::TextContentAnchorType_AT_PARAGRAPH;
        if (props.is() && (props->getPropertyValue("AnchorType") >>= anchor) &&
            anchor == css::text::TextContentAnchorType_AS_CHARACTER) {
            return true;
        }
    }
    return false;
}

sal_Int32 rowOfCellName(const OUString& name) {
    // "B3" -> 3; split cells carry further parts ("B3.1.1"), the first number is the row.
    sal_Int32 i = 0;
    while (i < name.getLength() && ((name[i] >= 'A' && name[i] <= 'Z') || (name[i] >= 'a' && name[i] <= 'z'))) ++i;
    sal_Int32 row = 0;
    while (i < name.getLength() && name[i] >= '0' && name[i] <= '9') row = row * 10 + (name[i++] - '0');
    return row;
}

class StoryWalker {
public:
    StoryWalker(Reference<css::frame::XModel> model, const LayoutRequest& request)
        : model_(std::move(model)), request_(request) {}

    Sequence<Any> run(sal_Int32 what) {
        WalkTimes& times = WalkTimes::current();
        times.reset();
        const bool packStory = (what & packet::Story) != 0;
        std::shared_ptr<const WalkedStory> cached;
        if ((what & packet::CachedStory) && !packStory) cached = storyCache::find(model_, request_.storyStamp);
        if (cached) {
            story_ = *cached;
        } else {
            WalkTimes::Scope scope(times, WalkTimes::Enumerate);
            Reference<css::text::XTextDocument> document(model_, UNO_QUERY_THROW);
            collect(document->getText(), -1);
        }
        if (what & packet::Objects) return objects();
        out_.putInt(packet::kVersion);
        out_.putInt(what);
        out_.putInt(static_cast<sal_Int32>(story_.paragraphs.size()));
        out_.putInt(static_cast<sal_Int32>(story_.texts.size()));
        const size_t layoutHeader = out_.intCount();
        out_.putInt(packet::NoLayout);
        out_.putInt(0);  // page count
        out_.putInt(0);  // line count
        out_.putInt(0);  // paragraphs taken off the grid
        if (!cached) {
            for (WalkedParagraph& paragraph : story_.paragraphs) readParagraph(paragraph, packStory);
            storyCache::store(model_, request_.storyStamp, std::make_shared<const WalkedStory>(story_));
        }
        if (what & packet::ReleaseGrid) releaseGrid();
        for (sal_Int32 index : released_) out_.putParagraph(story_.paragraphs[index].range);
        if (what & packet::Layout) {
            WalkTimes::Scope scope(times, WalkTimes::Layout);
            putLayout(walkLayout(model_, story_, request_), layoutHeader);
        }
        out_.setInt(layoutHeader + 3, static_cast<sal_Int32>(released_.size()));
        for (sal_Int32 index : released_) out_.putInt(index);
        Sequence<Any> reply;
        {
            WalkTimes::Scope scope(times, WalkTimes::Pack);
            reply = out_.finish();
        }
        times.print(what & packet::Story ? (what & packet::Layout ? "story+layout" : "story") : "layout");
        return reply;
    }

private:
    void putLayout(const WalkedLayout& layout, size_t header) {
        if (!layout.laidOut) return;
        out_.setInt(header, layout.complete ? packet::LaidOut : packet::PartlyLaidOut);
        out_.setInt(header + 1, layout.pageCount);
        out_.setInt(header + 2, static_cast<sal_Int32>(layout.lines.size()));
        for (const WalkedLine& line : layout.lines) {
            out_.putInt(line.position);
            out_.putInt(line.page);
            out_.putInt(line.line);
            out_.putInt(line.physicalPage);
            out_.putInt(line.restOfPageSkipped ? 1 : 0);
        }
        if (layout.complete) return;
        out_.putInt(layout.resume.physicalPage);
        out_.putInt(layout.resume.page);
        out_.putInt(layout.resume.position);
    }

    // Every paragraph and text object, for the writes that need them.
    Sequence<Any> objects() {
        out_.putInt(packet::kVersion);
        out_.putInt(packet::Objects);
        out_.putInt(static_cast<sal_Int32>(story_.paragraphs.size()));
        out_.putInt(static_cast<sal_Int32>(story_.texts.size()));
        for (const WalkedParagraph& paragraph : story_.paragraphs) {
            out_.putInt(paragraph.textIndex);
            out_.putParagraph(paragraph.range);
        }
        for (const WalkedText& text : story_.texts) out_.putText(text.text);
        return out_.finish();
    }

    void collect(const Reference<css::text::XText>& text, sal_Int32 row) {
        const sal_Int32 textIndex = story_.addText(text);
        Reference<css::container::XEnumerationAccess> access(text, UNO_QUERY_THROW);
        auto elements = access->createEnumeration();
        while (elements->hasMoreElements()) {
            const Any element = elements->nextElement();
            Reference<css::text::XTextTable> table(element, UNO_QUERY);
            if (table.is()) {
                for (const OUString& cellName : table->getCellNames()) {
                    Reference<css::text::XText> cell(table->getCellByName(cellName), UNO_QUERY);
                    if (cell.is()) collect(cell, rowOfCellName(cellName));
                }
                continue;
            }
            WalkedParagraph paragraph;
            paragraph.range.set(element, UNO_QUERY);
            if (!paragraph.range.is()) continue;
            paragraph.textIndex = textIndex;
            paragraph.row = row;
            story_.addParagraph(std::move(paragraph));
        }
    }

    void releaseGrid() {
        using namespace css::style::LineSpacingMode;
        for (size_t i = 0; i < story_.paragraphs.size(); ++i) {
            Reference<css::beans::XMultiPropertySet> props(story_.paragraphs[i].range, UNO_QUERY);
            if (!props.is()) continue;
            const Sequence<Any> v = props->getPropertyValues(paragraphPropertyNames());
            css::style::LineSpacing spacing;
            bool snaps = false;
            if (!(v[5] >>= spacing) || !(v[7] >>= snaps) || !snaps) continue;
            if (spacing.Mode != FIX) continue;
            Reference<css::beans::XPropertySet>(props, UNO_QUERY_THROW)->setPropertyValue("SnapToGrid", Any(false));
            released_.push_back(static_cast<sal_Int32>(i));
        }
    }

    // Reads the paragraph's text (which fixes its length and so every later
    // start) and, when packing the story, its attributes.
    void readParagraph(WalkedParagraph& paragraph, bool pack) {
        WalkTimes::Scope scope(WalkTimes::current(), WalkTimes::Portions);
        OUStringBuffer text;
        std::vector<std::pair<sal_Int32, Sequence<Any>>> pieces;
        Reference<css::container::XEnumerationAccess> access(paragraph.range, UNO_QUERY_THROW);
        auto portions = access->createEnumeration();
        while (portions->hasMoreElements()) {
            Reference<css::beans::XMultiPropertySet> portion(portions->nextElement(), UNO_QUERY);
            if (!portion.is()) continue;
            const Sequence<Any> values = portion->getPropertyValues(portionPropertyNames());
            OUString type;
            values[12] >>= type;
            if (type == "Text") {
                Reference<css::text::XTextRange> range(portion, UNO_QUERY_THROW);
                // A manual line break is Word's vertical tab.
                const OUString piece = range->getString().replace('\n', '\v');
                text.append(piece);
                pieces.emplace_back(piece.getLength(), values);
            } else if (type == "TextField" || type == "Footnote" || type == "Annotation" ||
                       type == "ControlCharacter" || (type == "Frame" && isInlineObject(portion))) {
                text.append(kObjectPlaceholder);
                pieces.emplace_back(1, values);
            }
        }
        paragraph.length = text.getLength();
        story_.place(paragraph);
        if (!pack) return;
        Reference<css::beans::XMultiPropertySet> props(paragraph.range, UNO_QUERY_THROW);
        out_.putInt(paragraph.textIndex);
        out_.putInt(paragraph.row);
        out_.putInt(paragraph.length);
        out_.putInt(static_cast<sal_Int32>(pieces.size()));
        putParagraphAttributes(out_, props->getPropertyValues(paragraphPropertyNames()));
        out_.putString(text.makeStringAndClear());
        putRun(out_, 0, props->getPropertyValues(markPropertyNames()));
        for (const auto& [length, values] : pieces) putRun(out_, length, values);
    }

    Reference<css::frame::XModel> model_;
    const LayoutRequest request_;
    WalkedStory story_;
    PacketWriter out_;
    std::vector<sal_Int32> released_;
};

}  // namespace

Sequence<Any> walkStory(const Reference<css::frame::XModel>& model, sal_Int32 what, const LayoutRequest& request) {
    return StoryWalker(model, request).run(what);
}

}  // namespace word
