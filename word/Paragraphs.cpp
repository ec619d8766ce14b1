#include "Paragraphs.h"

#include "DocumentModel.h"
#include "Range.h"
#include "WordConstants.h"
#include "WordError.h"

#include <com/sun/star/beans/UnknownPropertyException.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>

#include <cmath>
#include <functional>

namespace word {

namespace {


constexpr short kLeft = 0, kRight = 1, kBlock = 2, kCenter = 3, kStretch = 4;
constexpr double kHundredthMmPerPoint = 2540.0 / 72.0;

float pointsFromHundredthMm(long value) {
    // Word stores twips; the engine rounds them into 1/100 mm. Round back to
    // a twentieth of a point so that 18 pt reads 18, not 17.99.
    return static_cast<float>(std::round(value / kHundredthMmPerPoint * 20.0) / 20.0);
}

long hundredthMmFromPoints(float points) { return std::lround(points * kHundredthMmPerPoint); }

long wordAlignment(const ParagraphAttributes& a) {
    switch (a.adjust) {
        case kLeft: return wdAlignParagraphLeft;
        case kRight: return wdAlignParagraphRight;
        case kCenter: return wdAlignParagraphCenter;
        case kBlock: return a.lastLineAdjust == kBlock ? wdAlignParagraphDistribute : wdAlignParagraphJustify;
        case kStretch: return wdAlignParagraphDistribute;
        default: return wdAlignParagraphLeft;
    }
}

float wordLineSpacing(const ParagraphAttributes& a) {
    using namespace uno::css::style::LineSpacingMode;
    switch (a.lineSpacingMode) {
        case PROP: return static_cast<float>(std::round(12.0 * a.lineSpacingHeight / 100.0 * 20.0) / 20.0);
        case MINIMUM:
        case FIX: return pointsFromHundredthMm(a.lineSpacingHeight);
        default: return 12.0f + pointsFromHundredthMm(a.lineSpacingHeight);  // LEADING: extra space between lines
    }
}

long wordLineSpacingRule(const ParagraphAttributes& a) {
    using namespace uno::css::style::LineSpacingMode;
    switch (a.lineSpacingMode) {
        case PROP:
            if (a.lineSpacingHeight == 100) return wdLineSpaceSingle;
            if (a.lineSpacingHeight == 150) return wdLineSpace1pt5;
            if (a.lineSpacingHeight == 200) return wdLineSpaceDouble;
            return wdLineSpaceMultiple;
        case MINIMUM: return wdLineSpaceAtLeast;
        case FIX: return wdLineSpaceExactly;
        default: return wdLineSpaceMultiple;
    }
}

long wordOutlineLevel(const ParagraphAttributes& a) {
    return a.outlineLevel <= 0 ? 10 : std::min<long>(a.outlineLevel, 9);
}

// The common value over some paragraphs, wdUndefined when they differ.
template <typename T>
T common(DocumentModel& doc, const std::vector<long>& paragraphs, const std::function<T(const ParagraphAttributes&)>& read) {
    if (paragraphs.empty()) return static_cast<T>(wdUndefined);
    const T first = read(doc.paragraphAttributes(paragraphs.front()));
    for (long index : paragraphs) {
        if (read(doc.paragraphAttributes(index)) != first) return static_cast<T>(wdUndefined);
    }
    return first;
}

void setLineSpacing(DocumentModel& doc, long index, short mode, short height) {
    uno::css::style::LineSpacing spacing;
    spacing.Mode = mode;
    spacing.Height = height;
    doc.setParagraphProperty(index, "ParaLineSpacing", uno::Any(spacing), true);
}

void setAlignment(DocumentModel& doc, long index, long alignment) {
    short adjust = kLeft, lastLine = kLeft;
    switch (alignment) {
        case wdAlignParagraphLeft: adjust = kLeft; break;
        case wdAlignParagraphCenter: adjust = kCenter; break;
        case wdAlignParagraphRight: adjust = kRight; break;
        case wdAlignParagraphJustify: adjust = kBlock; break;
        case wdAlignParagraphDistribute: adjust = kBlock; lastLine = kBlock; break;
        default: throw WordError(errors::BadArgument, "无效的对齐方式: " + std::to_string(alignment));
    }
    doc.setParagraphProperty(index, "ParaLastLineAdjust", uno::Any(lastLine), false);
    doc.setParagraphProperty(index, "ParaAdjust", uno::Any(adjust), true);
}

}  // namespace

// ParagraphFormat

long ParagraphFormat::Alignment() const { return common<long>(*doc_, paragraphs_, wordAlignment); }

void ParagraphFormat::SetAlignment(long alignment) {
    for (long index : paragraphs_) setAlignment(*doc_, index, alignment);
}

float ParagraphFormat::LineSpacing() const { return common<float>(*doc_, paragraphs_, wordLineSpacing); }

void ParagraphFormat::SetLineSpacing(float points) {
    using namespace uno::css::style::LineSpacingMode;
    for (long index : paragraphs_) {
        const ParagraphAttributes& a = doc_->paragraphAttributes(index);
        if (a.lineSpacingMode == MINIMUM || a.lineSpacingMode == FIX) {
            setLineSpacing(*doc_, index, a.lineSpacingMode, static_cast<short>(hundredthMmFromPoints(points)));
        } else {
            setLineSpacing(*doc_, index, PROP, static_cast<short>(std::lround(points / 12.0f * 100.0f)));
        }
    }
}

long ParagraphFormat::LineSpacingRule() const { return common<long>(*doc_, paragraphs_, wordLineSpacingRule); }

void ParagraphFormat::SetLineSpacingRule(long rule) {
    using namespace uno::css::style::LineSpacingMode;
    for (long index : paragraphs_) {
        switch (rule) {
            case wdLineSpaceSingle: setLineSpacing(*doc_, index, PROP, 100); break;
            case wdLineSpace1pt5: setLineSpacing(*doc_, index, PROP, 150); break;
            case wdLineSpaceDouble: setLineSpacing(*doc_, index, PROP, 200); break;
            case wdLineSpaceAtLeast: setLineSpacing(*doc_, index, MINIMUM, static_cast<short>(hundredthMmFromPoints(12))); break;
            case wdLineSpaceExactly: setLineSpacing(*doc_, index, FIX, static_cast<short>(hundredthMmFromPoints(12))); break;
            case wdLineSpaceMultiple: break;  // keeps the current multiple
            default: throw WordError(errors::BadArgument, "无效的行距规则: " + std::to_string(rule));
        }
    }
}

float ParagraphFormat::SpaceBefore() const {
    return common<float>(*doc_, paragraphs_, [](const ParagraphAttributes& a) { return pointsFromHundredthMm(a.topMargin); });
}

void ParagraphFormat::SetSpaceBefore(float points) {
    for (long index : paragraphs_) {
        doc_->setParagraphProperty(index, "ParaTopMargin", uno::Any(static_cast<sal_Int32>(hundredthMmFromPoints(points))), true);
    }
}

float ParagraphFormat::SpaceAfter() const {
    return common<float>(*doc_, paragraphs_, [](const ParagraphAttributes& a) { return pointsFromHundredthMm(a.bottomMargin); });
}

void ParagraphFormat::SetSpaceAfter(float points) {
    for (long index : paragraphs_) {
        doc_->setParagraphProperty(index, "ParaBottomMargin", uno::Any(static_cast<sal_Int32>(hundredthMmFromPoints(points))), true);
    }
}

// The engine keeps paragraph spacing in lengths only; a line counts 12 points.
float ParagraphFormat::LineUnitBefore() const {
    const float points = SpaceBefore();
    return points == static_cast<float>(wdUndefined) ? points : points / 12.0f;
}

void ParagraphFormat::SetLineUnitBefore(float lines) { SetSpaceBefore(lines * 12.0f); }

float ParagraphFormat::LineUnitAfter() const {
    const float points = SpaceAfter();
    return points == static_cast<float>(wdUndefined) ? points : points / 12.0f;
}

void ParagraphFormat::SetLineUnitAfter(float lines) { SetSpaceAfter(lines * 12.0f); }

long ParagraphFormat::OutlineLevel() const { return common<long>(*doc_, paragraphs_, wordOutlineLevel); }

namespace {

// Read from the engine when asked: few paragraphs are ever asked. Both
// properties come in one call.
bool breaksPageBefore(DocumentModel& doc, long index) {
    return uno::guarded([&] {
        uno::Reference<uno::css::beans::XMultiPropertySet> props(doc.paragraphObject(index), uno::UNO_QUERY);
        if (!props.is()) return false;
        uno::Sequence<rtl::OUString> names(2);
        names[0] = "BreakType";
        names[1] = "PageDescName";
        uno::Sequence<uno::Any> values;
        try {
            values = props->getPropertyValues(names);
        } catch (const uno::css::beans::UnknownPropertyException&) {
            return false;  // not a paragraph that has them
        }
        uno::css::style::BreakType type = uno::css::style::BreakType_NONE;
        if (values.getLength() > 0) values[0] >>= type;
        if (type == uno::css::style::BreakType_PAGE_BEFORE || type == uno::css::style::BreakType_PAGE_BOTH) return true;
        // A paragraph that starts another page style starts a page too.
        rtl::OUString pageStyle;
        if (values.getLength() > 1) values[1] >>= pageStyle;
        return !pageStyle.isEmpty();
    });
}

}  // namespace

long ParagraphFormat::PageBreakBefore() const {
    if (paragraphs_.empty()) return wdUndefined;
    const bool first = breaksPageBefore(*doc_, paragraphs_.front());
    for (size_t i = 1; i < paragraphs_.size(); ++i) {
        if (breaksPageBefore(*doc_, paragraphs_[i]) != first) return wdUndefined;
    }
    return first ? -1 : 0;
}

// ListFormat

long ListFormat::ListValue() const {
    if (paragraph_ < 0) return 0;
    const std::string& label = doc_->paragraphAttributes(paragraph_).listLabel;
    if (label.empty()) return 0;
    // The item's number is the last number of its label ("2.", "1.3", "(4)").
    long value = -1;
    long current = -1;
    for (char c : label) {
        if (c >= '0' && c <= '9') {
            current = (current < 0 ? 0 : current * 10) + (c - '0');
        } else if (current >= 0) {
            value = current;
            current = -1;
        }
    }
    if (current >= 0) value = current;
    return value < 0 ? 1 : value;  // a bullet counts as the first item
}

// Paragraph

word::Range Paragraph::Range() const {
    const ParagraphEntry& p = doc_->paragraphs().at(index_);
    auto span = std::make_shared<Span>();
    span->doc = doc_;
    span->start = p.start;
    span->end = p.end();
    return word::Range(span);
}

long Paragraph::Alignment() const { return Format().Alignment(); }
void Paragraph::SetAlignment(long alignment) { Format().SetAlignment(alignment); }
float Paragraph::LineSpacing() const { return Format().LineSpacing(); }
long Paragraph::OutlineLevel() const { return Format().OutlineLevel(); }
word::ParagraphFormat Paragraph::Format() const { return word::ParagraphFormat(doc_, {index_}); }

std::optional<Paragraph> Paragraph::Next(long count) const {
    const long index = index_ + count;
    if (index < 0 || index >= static_cast<long>(doc_->paragraphs().size())) return std::nullopt;
    return Paragraph(doc_, index);
}

std::optional<Paragraph> Paragraph::Previous(long count) const { return Next(-count); }

// Paragraphs

std::vector<long> Paragraphs::indices() const {
    std::vector<long> result;
    for (long i = first_; i <= last_; ++i) result.push_back(i);
    return result;
}

Paragraph Paragraphs::Item(long index) const {
    if (index < 1 || index > Count() || first_ < 0) {
        throw WordError(errors::BadArgument, "段落序号超出范围: " + std::to_string(index));
    }
    return Paragraph(doc_, first_ + index - 1);
}

long Paragraphs::Alignment() const { return Format().Alignment(); }
void Paragraphs::SetAlignment(long alignment) { Format().SetAlignment(alignment); }
float Paragraphs::LineSpacing() const { return Format().LineSpacing(); }
long Paragraphs::OutlineLevel() const { return Format().OutlineLevel(); }
word::ParagraphFormat Paragraphs::Format() const { return word::ParagraphFormat(doc_, indices()); }

}  // namespace word
