#pragma once

#include "template/FormatTemplate.h"
#include "template/TemplateKeys.h"

#include <span>
#include <string_view>

namespace word {
class Range;
}

namespace quillmark {

// The elements of a thesis that template members describe, as the checkers
// locate them.
enum class TemplateElement {
    BachelorDegreeLabel, BachelorTitle, BachelorForeignTitle, BachelorAuthorInfo,
    MasterDegreeLabel, MasterDegreeType, MasterTitle, MasterAuthorInfo, MasterDate,
    CnInnerTopInfo, CnInnerDegreeLabel, CnInnerDegreeType, CnInnerTitle, CnInnerAuthorName, CnInnerAuthorInfo,
    EnInnerTopTitle, EnInnerTitle, EnInnerAuthorName, EnInnerAuthorInfo,
    CnAbstractTitle, CnAbstractText, CnKeywordsLabel, CnKeywords, AbstractNotes,
    EnAbstractTitle, EnAbstractText, EnKeywordsLabel, EnKeywords,
    Heading1, Heading2, Heading3, BodyText, Superscript, TableText, CaptionNote,
    TableCaption, FigureCaption, EnTableCaption, EnFigureCaption,
};

// Which characters a font member is read from: the East Asian font of the
// Chinese characters, the Latin font of the Latin characters, or the font
// every character is shown in (an item compared by Font.Name).
enum class FontSource { Chinese, Latin, Shown };

struct FontMember {
    TextMember member = nullptr;
    FontSource source = FontSource::Chinese;
};

// The members one element describes (null where it describes none).
struct ElementMembers {
    TemplateElement element;
    std::string_view name;  // as the user is told it is missing, e.g. "英文摘要标题"
    IntegerMember bold = nullptr;
    SizeMember size = nullptr;
    FontMember fonts[2] = {};
    IntegerMember alignment = nullptr;  // of the element's paragraph
};

// Every element, in the order the checks meet them.
std::span<const ElementMembers> templateElements();
const ElementMembers& membersOf(TemplateElement element);

// Told each element a checker has located, right when it is located, before
// any check of it. A check run has none unless the caller gives one.
class ElementSink {
public:
    virtual ~ElementSink() = default;
    virtual void found(TemplateElement element, const word::Range& range) = 0;
};

}  // namespace quillmark
