#include "checks/FormatRules.h"

#include "checks/CheckSession.h"
#include "shell/CheckError.h"
#include "template/Codepage936.h"

namespace quillmark {

// ---------------------------------------------------------------- search

bool findInSelection(word::Selection& selection, const std::string& text, bool wildcards, int wrap) {
    word::Find find = selection.Find();
    find.ClearFormatting();
    word::FindOptions options;
    options.matchCase = false;
    options.matchWholeWord = false;
    options.matchWildcards = wildcards;
    options.matchSoundsLike = false;
    options.matchAllWordForms = false;
    options.forward = true;
    options.wrap = wrap;
    options.format = false;
    find.Execute(text, options);
    return find.Found();
}

bool findInStretch(word::Selection& selection, long start, long end, const std::string& text, bool wildcards) {
    selection.SetRange(start, end);
    // An empty selection would make the engine search on to the end of the
    // document; an empty stretch holds nothing to find.
    if (end <= start) return false;
    return findInSelection(selection, text, wildcards, word::wdFindStop);
}

// ----------------------------------------------------------------- rules

long expectedBold(std::int32_t flag, BoldRule rule) {
    const bool bold = rule == BoldRule::NonZero ? flag != 0 : flag == 1;
    return bold ? -1 : 0;
}

bool boldDeviates(long bold, std::int32_t flag, BoldRule rule) {
    return bold != expectedBold(flag, rule);
}

bool boldDeviates(const word::Font& font, std::int32_t flag, BoldRule rule) {
    return boldDeviates(font.Bold(), flag, rule);
}

bool sizeDeviates(float size, float expected) {
    return !(size == expected);
}

bool sizeDeviates(const word::Font& font, float expected) {
    return sizeDeviates(font.Size(), expected);
}

std::string fontName(const word::Font& font, FontNameProperty property) {
    switch (property) {
    case FontNameProperty::NameFarEast: return font.NameFarEast();
    case FontNameProperty::NameAscii: return font.NameAscii();
    case FontNameProperty::Name: break;
    }
    return font.Name();
}

void setFontName(word::Font& font, FontNameProperty property, const std::string& name) {
    switch (property) {
    case FontNameProperty::NameFarEast: font.SetNameFarEast(name); return;
    case FontNameProperty::NameAscii: font.SetNameAscii(name); return;
    case FontNameProperty::Name: font.SetName(name); return;
    }
}

bool fontNameDeviates(const std::string& name, const std::string& expected) {
    return name.empty() || name != expected;
}

bool fontNameDeviates(const word::Font& font, FontNameProperty property, const std::string& expected) {
    return fontNameDeviates(fontName(font, property), expected);
}

bool languageFontDeviates(const word::Range& range, const std::string& cnFont, const std::string& enFont) {
    switch (range.LanguageID()) {
    case word::wdEnglishUS: return fontNameDeviates(range.Font().NameAscii(), enFont);
    case word::wdSimplifiedChinese: return fontNameDeviates(range.Font().NameFarEast(), cnFont);
    default: return true;
    }
}

bool runFontDeviates(const std::string& name, long language, const std::string& cnFont, const std::string& enFont) {
    if (name.empty()) return true;
    if (language == word::wdSimplifiedChinese && name == cnFont) return false;
    if (language == word::wdEnglishUS && name == enFont) return false;
    return true;
}

bool alignmentDeviates(const word::Range& range, long expected) {
    return range.Paragraphs().Alignment() != expected;
}

bool lineSpacingDeviates(const word::Range& range) {
    return !(range.Paragraphs().LineSpacing() == kRequiredLineSpacing);
}

// -------------------------------------------------------------- run walk

namespace {

struct CharFormat {
    std::string name;
    long bold = 0;
    float size = 0;
    long language = 0;

    bool mixed() const {
        return name.empty() || bold == word::wdUndefined || size == static_cast<float>(word::wdUndefined) ||
               language == word::wdUndefined;
    }
    bool operator==(const CharFormat&) const = default;
};

CharFormat readFormat(word::Range& probe, long position) {
    probe.SetRange(position, position + 1);
    const word::Font font = probe.Font();
    return CharFormat{font.Name(), font.Bold(), font.Size(), probe.LanguageID()};
}

}  // namespace

// Growing a range one character at a time and reading the whole grown range
// stops at the first character whose format differs from the run's first
// character (or when a value is mixed). Reading each character once and
// comparing it with the first gives the same runs in linear time; since all
// characters between two format boundaries read alike, one read per stretch
// between boundaries is enough.
void walkRuns(const word::Document& document, const word::Range& paragraph,
              const std::function<void(const TextRun&)>& visit) {
    const long start = paragraph.Start();
    const long mark = paragraph.End() - 1;  // the paragraph mark belongs to no run
    if (mark <= start) return;

    std::vector<long> bounds = document.Range(start, mark).FormatBoundaries();
    if (bounds.empty() || bounds.front() != start) bounds.insert(bounds.begin(), start);
    bounds.push_back(mark);
    std::size_t k = 0;  // the stretch [bounds[k], bounds[k + 1]) holds p
    word::Range probe = document.Range(start, start);
    long p = start;
    CharFormat first = readFormat(probe, p);
    while (p < mark) {
        if (first.mixed()) {
            // A mixed character is a run of its own; the rest of its stretch reads alike.
            visit(TextRun{p, p + 1, first.name, first.bold, first.size, first.language});
            ++p;
            if (p < mark && p == bounds[k + 1]) first = readFormat(probe, bounds[++k]);
            continue;
        }
        std::size_t j = k + 1;
        CharFormat next;
        bool haveNext = false;
        while (bounds[j] < mark) {
            next = readFormat(probe, bounds[j]);
            haveNext = true;
            if (!(next == first)) break;
            ++j;
            haveNext = false;
        }
        const long q = bounds[j];
        visit(TextRun{p, q, first.name, first.bold, first.size, first.language});
        p = q;
        k = j;
        if (p >= mark) break;
        // The visitor changes only [p, q), so a format read at q still holds.
        first = haveNext ? std::move(next) : readFormat(probe, p);
    }
}

std::vector<TextRun> runsOf(const word::Document& document, const word::Range& paragraph) {
    std::vector<TextRun> runs;
    walkRuns(document, paragraph, [&](const TextRun& run) { runs.push_back(run); });
    return runs;
}

// ------------------------------------------------------------ paragraphs

bool isShortText(const std::string& paragraphText) {
    return gbkByteLength(paragraphText) <= kShortParagraphBytes;
}

bool isShortParagraph(const word::Range& paragraph) {
    return isShortText(paragraph.Text());
}

bool beginsPage(word::Selection& selection, long titleStart) {
    selection.GoTo(word::wdGoToPage, word::wdGoToPrevious, 1);
    selection.GoTo(word::wdGoToPage, word::wdGoToNext, 1);
    const long top = selection.End();
    return titleStart == top || titleStart == top + 1;
}

// ------------------------------------------------- deviations and fixes

void markFaulty(const word::Range& item) {
    item.Font().SetColor(kMarkColor);
}

void applyCorrections(const word::Range& item, const Deviations& deviations, const Correction& correction) {
    word::Font font = item.Font();
    if (deviations.bold) {
        font.SetBold(word::wdToggle);
        font.SetColor(kFixedColor);
    }
    if (deviations.size) {
        font.SetSize(correction.size);
        font.SetColor(kFixedColor);
    }
    if (deviations.font) {
        for (const auto& [property, name] : correction.fontNames) setFontName(font, property, name);
        font.SetColor(kFixedColor);
    }
    if (deviations.alignment) {
        word::Paragraphs paragraphs = item.Paragraphs();
        paragraphs.SetAlignment(correction.alignment);
        font.SetColor(kFixedColor);
    }
}

void reportOrCorrect(CheckSession& session, const word::Range& item, const Deviations& deviations,
                     const std::string& description, int position, const Location& where,
                     const Correction& correction) {
    if (!deviations.any()) return;
    if (session.autoFix()) {
        applyCorrections(item, deviations, correction);
        return;
    }
    session.post(kLevelMedium, where, description, position);
    markFaulty(item);
}

Deviations fontDeviations(const word::Font& font, std::int32_t boldFlag, float size, FontNameProperty property,
                          const std::string& fontName) {
    Deviations d;
    d.bold = boldDeviates(font, boldFlag);
    d.size = sizeDeviates(font, size);
    d.font = fontNameDeviates(font, property, fontName);
    return d;
}

}  // namespace quillmark
