#include "checks/CoverRules.h"

#include "checks/CheckSession.h"
#include "shell/CheckError.h"
#include "template/Codepage936.h"

namespace quillmark {

namespace msg = messages;

CoverItem coverItem(TemplateElement element, std::string_view label, std::int32_t boldFlag, BoldRule rule,
                    float size, FontNameProperty property, const std::string& fontName, messages::CoverTexts texts) {
    CoverItem item;
    item.element = element;
    item.label = label;
    item.boldFlag = boldFlag;
    item.boldRule = rule;
    item.size = size;
    item.compared = {{property, fontName}};
    item.corrections = {{property, fontName}};
    item.texts = std::move(texts);
    return item;
}

namespace {

bool fontDeviates(const word::Font& font, const CoverItem& item) {
    for (const CoverFontName& name : item.compared) {
        if (fontNameDeviates(font, name.property, name.name)) return true;
    }
    return false;
}

void correct(const word::Range& range, const CoverItem& item, const msg::CoverDeviations& d) {
    word::Font font = range.Font();
    if (d.bold) {
        font.SetBold(word::wdToggle);
        font.SetColor(kFixedColor);
    }
    if (d.size) {
        font.SetSize(item.size);
        font.SetColor(kFixedColor);
    }
    if (d.font) {
        for (const CoverFontName& name : item.corrections) {
            if (name.onlyWhenDiffers && !fontNameDeviates(font, name.property, name.name)) continue;
            setFontName(font, name.property, name.name);
        }
        font.SetColor(kFixedColor);
    }
}

}  // namespace

void checkCoverItem(CheckSession& session, const word::Range& range, const CoverItem& item) {
    session.found(item.element, range);
    range.Select();
    session.progressAtSelection();

    const word::Font font = range.Font();
    msg::CoverDeviations d;
    d.size = sizeDeviates(font, item.size);
    d.bold = boldDeviates(font, item.boldFlag, item.boldRule);
    d.font = fontDeviates(font, item);
    if (!d.any()) return;

    if (session.autoFix()) {
        correct(range, item, d);
        return;
    }
    markFaulty(range);
    const bool shouldBeBold = expectedBold(item.boldFlag, item.boldRule) == -1;
    session.post(kLevelMedium, CheckSession::locate(range),
                 msg::coverForm(item.label, d, item.texts, shouldBeBold, item.fontSeparator),
                 static_cast<int>(range.Start()));
}

// ----------------------------------------------------------- paragraphs

std::size_t coverBytes(const std::string& text) {
    return gbkByteLength(text);
}

std::size_t trimmedCoverBytes(const std::string& text) {
    static constexpr const char* kWhite = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(kWhite);
    if (first == std::string::npos) return 0;
    const auto last = text.find_last_not_of(kWhite);
    return gbkByteLength(std::string_view(text).substr(first, last - first + 1));
}

bool isCoverText(const word::Range& paragraph) {
    return coverBytes(paragraph.Text()) >= kCoverTextBytes;
}

bool isTrimmedCoverText(const word::Range& paragraph) {
    return trimmedCoverBytes(paragraph.Text()) >= kCoverTextBytes;
}

// ----------------------------------------------------------------- pages

PageBounds pageAround(CheckSession& session, long position) {
    word::Selection& sel = session.selection();
    sel.SetRange(position, position);
    PageBounds bounds;
    bounds.page = sel.Information(word::wdActiveEndPageNumber);
    const long pages = sel.Information(word::wdNumberOfPagesInDocument);
    if (bounds.page > 1) {
        sel.GoTo(word::wdGoToPage, word::wdGoToPrevious, 1);
        sel.GoTo(word::wdGoToPage, word::wdGoToNext, 1);
        bounds.start = sel.Start();
    }
    if (bounds.page < pages) {
        sel.SetRange(position, position);
        sel.GoTo(word::wdGoToPage, word::wdGoToNext, 1);
        sel.MoveLeft(word::wdCharacter, 1);
        bounds.last = sel.Start();
    } else {
        // The last page has no next page to step back from.
        bounds.last = session.document().Content().End() - 1;
        sel.SetRange(bounds.last, bounds.last);
    }
    return bounds;
}

std::optional<PageBounds> nextPage(CheckSession& session, long position) {
    word::Selection& sel = session.selection();
    sel.SetRange(position, position);
    const long page = sel.Information(word::wdActiveEndPageNumber);
    if (page >= sel.Information(word::wdNumberOfPagesInDocument)) return std::nullopt;
    sel.GoTo(word::wdGoToPage, word::wdGoToNext, 1);
    return pageAround(session, sel.Start());
}

// ------------------------------------------------------- author details

namespace {

bool isBlank(const std::string& character) {
    return character == " " || character == "\t" || character == "\xC2\xA0" || character == "\xE3\x80\x80";
}

}  // namespace

// Moving the start forward one character while the rest of the line does not
// read single-underlined stops at the first start from which it does. The
// engine reads a stretch's underline over its non-blank characters (over its
// blanks only when it holds nothing else), so one backward pass over the
// characters finds every start from which the rest reads underlined.
std::optional<word::Range> underlinedValue(CheckSession& session, const word::Range& paragraph) {
    long start = paragraph.Start();
    const long mark = paragraph.End() - 1;
    while (start < mark && session.range(start, start + 1).Text() == " ") ++start;
    if (coverBytes(session.range(start, paragraph.End()).Text()) < kCoverTextBytes) return std::nullopt;

    struct Character {
        bool blank = false;
        bool underlined = false;
    };
    std::vector<Character> characters;
    characters.reserve(static_cast<std::size_t>(mark - start));
    for (long p = start; p < mark; ++p) {
        const word::Range one = session.range(p, p + 1);
        characters.push_back({isBlank(one.Text()), one.Font().Underline() == word::wdUnderlineSingle});
    }

    long value = mark;
    bool anyText = false;
    bool textUnderlined = true;
    bool blanksUnderlined = true;
    for (long p = mark - 1; p >= start; --p) {
        const Character& c = characters[static_cast<std::size_t>(p - start)];
        if (c.blank) {
            blanksUnderlined = blanksUnderlined && c.underlined;
        } else {
            anyText = true;
            textUnderlined = textUnderlined && c.underlined;
        }
        if (anyText ? textUnderlined : blanksUnderlined) value = p;
    }
    return session.range(value, mark);
}

}  // namespace quillmark
