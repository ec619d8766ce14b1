#include "StoryUnpack.h"

#include "WordError.h"
#include "reader/StoryPacket.h"

#include <com/sun/star/uno/XInterface.hpp>

#include <algorithm>
#include <limits>

namespace word {

namespace {

using uno::Reference;
using uno::Sequence;

// Reads the sequences of a reply in order, checking every index.
class PacketReader {
public:
    explicit PacketReader(const Sequence<uno::Any>& reply) {
        if (reply.getLength() != packet::SlotCount || !(reply[packet::Ints] >>= ints_) ||
            !(reply[packet::Strings] >>= strings_) || !(reply[packet::Doubles] >>= doubles_) ||
            !(reply[packet::ParagraphObjects] >>= paragraphs_) || !(reply[packet::TextObjects] >>= texts_)) {
            malformed();
        }
    }
    sal_Int32 nextInt() {
        if (nextInt_ >= ints_.getLength()) malformed();
        return ints_[nextInt_++];
    }
    const OUString& nextString() {
        const sal_Int32 index = nextInt();
        if (index < 0 || index >= strings_.getLength()) malformed();
        return strings_[index];
    }
    double nextDouble() {
        if (nextDouble_ >= doubles_.getLength()) malformed();
        return doubles_[nextDouble_++];
    }
    const Sequence<Reference<uno::css::text::XTextRange>>& paragraphs() const { return paragraphs_; }
    const Sequence<Reference<uno::css::text::XText>>& texts() const { return texts_; }
    [[noreturn]] static void malformed() { throw WordError(errors::EngineUnavailable, "文档读取组件的答复格式不对"); }

private:
    Sequence<sal_Int32> ints_;
    Sequence<OUString> strings_;
    Sequence<double> doubles_;
    Sequence<Reference<uno::css::text::XTextRange>> paragraphs_;
    Sequence<Reference<uno::css::text::XText>> texts_;
    sal_Int32 nextInt_ = 0;
    sal_Int32 nextDouble_ = 0;
};

std::pair<long, CharAttributes> readRun(PacketReader& in) {
    const long length = in.nextInt();
    CharAttributes a;
    a.latinFont = uno::toUtf8(in.nextString());
    a.asianFont = uno::toUtf8(in.nextString());
    a.latinSize = static_cast<float>(in.nextDouble());
    a.asianSize = static_cast<float>(in.nextDouble());
    const sal_Int32 flags = in.nextInt();
    a.latinBold = flags & packet::LatinBold;
    a.asianBold = flags & packet::AsianBold;
    a.italic = flags & packet::Italic;
    a.escapement = static_cast<short>(in.nextInt());
    a.underline = static_cast<short>(in.nextInt());
    a.rgbColor = in.nextInt();
    a.latinLanguage = in.nextInt();
    a.asianLanguage = in.nextInt();
    return {length, a};
}

ParagraphAttributes readParagraphAttributes(PacketReader& in) {
    ParagraphAttributes a;
    a.adjust = static_cast<short>(in.nextInt());
    a.lastLineAdjust = static_cast<short>(in.nextInt());
    a.lineSpacingMode = static_cast<short>(in.nextInt());
    a.lineSpacingHeight = static_cast<short>(in.nextInt());
    a.topMargin = in.nextInt();
    a.bottomMargin = in.nextInt();
    a.outlineLevel = static_cast<short>(in.nextInt());
    a.listLabel = uno::toUtf8(in.nextString());
    return a;
}

void readParagraph(PacketReader& in, sal_Int32 textCount, StoryContents& story) {
    ParagraphEntry entry;
    entry.textIndex = in.nextInt();
    if (entry.textIndex < 0 || entry.textIndex >= textCount) PacketReader::malformed();
    entry.tableRow = in.nextInt();
    entry.length = in.nextInt();
    const sal_Int32 runCount = in.nextInt();
    if (entry.length < 0 || runCount < 0) PacketReader::malformed();
    story.attributes.push_back(readParagraphAttributes(in));
    const OUString& text = in.nextString();
    if (text.getLength() != entry.length) PacketReader::malformed();
    story.marks.push_back(readRun(in).second);
    entry.start = static_cast<long>(story.text.size());

    std::vector<CharRun> runs;
    long position = entry.start;
    for (sal_Int32 r = 0; r < runCount; ++r) {
        const auto [length, attributes] = readRun(in);
        if (length <= 0) continue;
        if (!runs.empty() && runs.back().attributes == attributes) {
            runs.back().end += length;
        } else {
            runs.push_back({position, position + length, attributes});
        }
        position += length;
    }
    story.text += uno::toU16(text);
    story.text += u'\r';
    story.paragraphs.push_back(std::move(entry));
    story.runs.push_back(std::move(runs));
}

StoryLayout readLayout(PacketReader& in, sal_Int32 state, long pageCount, sal_Int32 lineCount) {
    StoryLayout layout;
    layout.complete = state == packet::LaidOut;
    layout.pageCount = std::max<long>(1, pageCount);
    layout.lines.reserve(static_cast<size_t>(std::max<sal_Int32>(0, lineCount)));
    for (sal_Int32 i = 0; i < lineCount; ++i) {
        LineStart line;
        line.position = in.nextInt();
        line.page = std::max<long>(1, in.nextInt());
        if (layout.complete) line.page = std::min(line.page, layout.pageCount);
        line.line = std::max<long>(1, in.nextInt());
        line.physicalPage = std::max<long>(1, in.nextInt());
        line.restOfPageUnknown = in.nextInt() != 0;
        layout.lines.push_back(line);
    }
    if (!layout.complete) {
        layout.resume.physicalPage = std::max<long>(1, in.nextInt());
        layout.resume.page = std::max<long>(1, in.nextInt());
        layout.resume.position = std::max<long>(0, in.nextInt());
    }
    layout.findPageStarts();
    return layout;
}

const LineStart* lineHolding(const std::vector<LineStart>& lines, long position) {
    auto it = std::upper_bound(lines.begin(), lines.end(), position,
                               [](long p, const LineStart& line) { return p < line.position; });
    return it == lines.begin() ? nullptr : &*(it - 1);
}

}  // namespace

void StoryLayout::findPageStarts() {
    pageStarts_.clear();
    if (!complete) return;
    // Each page begins at its first line; a page without lines (an empty
    // page Word inserts too) where the next one begins.
    pageStarts_.assign(static_cast<size_t>(pageCount), -1);
    for (const LineStart& line : lines) {
        long& start = pageStarts_[static_cast<size_t>(std::clamp(line.page, 1L, pageCount) - 1)];
        if (start < 0 || line.position < start) start = line.position;
    }
    pageStarts_[0] = 0;
    long following = lines.empty() ? 0 : lines.back().position;
    for (size_t page = pageStarts_.size(); page-- > 0;) {
        if (pageStarts_[page] < 0) pageStarts_[page] = following; else following = pageStarts_[page];
    }
    for (size_t page = 1; page < pageStarts_.size(); ++page) {
        pageStarts_[page] = std::max(pageStarts_[page], pageStarts_[page - 1]);
    }
}

void StoryLayout::append(StoryLayout&& more) {
    const long from = complete ? 0 : resume.position;
    std::erase_if(lines, [&](const LineStart& line) { return line.position >= from; });
    std::erase_if(more.lines, [&](const LineStart& line) { return line.position < from; });
    lines.insert(lines.end(), more.lines.begin(), more.lines.end());
    complete = more.complete;
    pageCount = more.pageCount;
    resume = more.resume;
    findPageStarts();
}

const LineStart* StoryLayout::unknownLineAbove(long position) const {
    const LineStart* line = lineHolding(lines, position);
    return line && line->restOfPageUnknown && position > line->position ? line : nullptr;
}

const LineStart* StoryLayout::unknownPageAfter(long page) const {
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].restOfPageUnknown && lines[i].page < page && page < lines[i + 1].page) return &lines[i];
    }
    return nullptr;
}

void StoryLayout::fillGap(StoryLayout&& walked) {
    if (walked.lines.empty()) return;
    const long from = walked.lines.front().position;
    // The walk ends on the first line of a page it does not report.
    const long to = walked.complete ? std::numeric_limits<long>::max() : walked.resume.position;
    std::erase_if(walked.lines, [&](const LineStart& line) { return line.position >= to; });
    auto first = std::lower_bound(lines.begin(), lines.end(), from,
                                  [](const LineStart& line, long p) { return line.position < p; });
    auto last = std::lower_bound(first, lines.end(), to, [](const LineStart& line, long p) { return line.position < p; });
    const long nextKnown = last != lines.end() ? last->position : complete ? std::numeric_limits<long>::max() : resume.position;
    first = lines.erase(first, last);
    first = lines.insert(first, walked.lines.begin(), walked.lines.end()) + static_cast<long>(walked.lines.size());
    if (!walked.complete && to < nextKnown) {
        // The pages after the walk are still among those not walked.
        lines.insert(first, LineStart{to, walked.resume.page, 1, walked.resume.physicalPage, true});
    }
    findPageStarts();
}

void StoryLayout::dropFrom(long position) {
    if (!knows(position)) return;
    auto holding = std::upper_bound(lines.begin(), lines.end(), position,
                                    [](long p, const LineStart& line) { return p < line.position; });
    if (holding == lines.begin()) {
        lines.clear();
        resume = {};
    } else {
        // Back to the first line of the page that holds the position.
        auto first = holding - 1;
        const long page = first->page;
        while (first != lines.begin() && (first - 1)->page >= page) --first;
        resume = {first->physicalPage, page, first->position};
        lines.erase(first, lines.end());
    }
    complete = false;
    pageStarts_.clear();
}

long StoryLayout::pageOf(long position) const {
    const LineStart* line = lineHolding(lines, position);
    return line ? line->page : 1;
}

long StoryLayout::lineOf(long position) const {
    const LineStart* line = lineHolding(lines, position);
    return line ? line->line : 1;
}

long StoryLayout::pageStart(long page) const {
    if (pageStarts_.empty()) return 0;
    page = std::clamp<long>(page, 1, static_cast<long>(pageStarts_.size()));
    return pageStarts_[page - 1];
}

namespace {

StoryObjects readObjects(PacketReader& in, sal_Int32 paragraphCount, sal_Int32 textCount) {
    if (in.paragraphs().getLength() != paragraphCount || in.texts().getLength() != textCount) PacketReader::malformed();
    StoryObjects objects;
    objects.paragraphs.assign(in.paragraphs().begin(), in.paragraphs().end());
    objects.texts.assign(in.texts().begin(), in.texts().end());
    objects.textOfParagraph.reserve(static_cast<size_t>(paragraphCount));
    for (sal_Int32 i = 0; i < paragraphCount; ++i) {
        const sal_Int32 text = in.nextInt();
        if (text < 0 || text >= textCount) PacketReader::malformed();
        objects.textOfParagraph.push_back(text);
    }
    return objects;
}

}  // namespace

StoryReply unpackStory(const Sequence<uno::Any>& reply) {
    PacketReader in(reply);
    if (in.nextInt() != packet::kVersion) PacketReader::malformed();
    const sal_Int32 what = in.nextInt();
    const sal_Int32 paragraphCount = in.nextInt();
    const sal_Int32 textCount = in.nextInt();
    if (paragraphCount < 0 || textCount < 0) PacketReader::malformed();
    StoryReply result;
    if (what & packet::Objects) {
        result.objects = readObjects(in, paragraphCount, textCount);
        return result;
    }
    const sal_Int32 layoutState = in.nextInt();
    const sal_Int32 pageCount = in.nextInt();
    const sal_Int32 lineCount = in.nextInt();
    const sal_Int32 releasedCount = in.nextInt();
    if (lineCount < 0 || releasedCount < 0 || in.paragraphs().getLength() != releasedCount) PacketReader::malformed();
    if (what & packet::Story) {
        StoryContents story;
        for (sal_Int32 i = 0; i < paragraphCount; ++i) readParagraph(in, textCount, story);
        result.story = std::move(story);
    }
    if ((what & packet::Layout) && (layoutState == packet::LaidOut || layoutState == packet::PartlyLaidOut)) {
        result.layout = readLayout(in, layoutState, pageCount, lineCount);
    }
    for (sal_Int32 i = 0; i < releasedCount; ++i) {
        const sal_Int32 index = in.nextInt();
        if (index < 0 || index >= paragraphCount) PacketReader::malformed();
        result.releasedFromGrid.push_back(index);
        result.releasedParagraphs.push_back(in.paragraphs()[i]);
    }
    return result;
}

}  // namespace word
