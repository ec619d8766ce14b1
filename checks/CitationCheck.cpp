#include "checks/CitationCheck.h"

#include "checks/BodyItemCheck.h"
#include "checks/CheckSession.h"
#include "checks/Messages.h"
#include "shell/CheckError.h"
#include "template/Codepage936.h"
#include "template/Utf8.h"

#include <charconv>
#include <optional>

namespace quillmark {

namespace msg = messages;

// ------------------------------------------------------------ the numbers

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<int> readInt(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// A hyphen-minus or an en dash (U+2013) starts at `pos`; its length, or 0.
std::size_t dashAt(std::string_view text, std::size_t pos) {
    if (text[pos] == '-') return 1;
    if (text.substr(pos, 3) == "\xE2\x80\x93") return 3;
    return 0;
}

}  // namespace

std::vector<int> citations::numbersOf(std::string_view inner) {
    std::vector<int> numbers;
    std::optional<int> spanStart;  // the number before a dash
    std::size_t pos = 0;
    while (pos < inner.size()) {
        if (isDigit(inner[pos])) {
            std::size_t end = pos;
            while (end < inner.size() && isDigit(inner[end])) ++end;
            const std::optional<int> number = readInt(inner.substr(pos, end - pos));
            if (number && spanStart && *number > *spanStart && *number - *spanStart < kLongestSpan) {
                for (int n = *spanStart + 1; n <= *number; ++n) numbers.push_back(n);
            } else if (number) {
                numbers.push_back(*number);
            }
            spanStart.reset();
            pos = end;
            if (number && pos < inner.size()) {
                if (const std::size_t dash = dashAt(inner, pos); dash > 0 && pos + dash < inner.size() &&
                                                                   isDigit(inner[pos + dash])) {
                    spanStart = number;
                    pos += dash;
                }
            }
            continue;
        }
        ++pos;
    }
    return numbers;
}

// ---------------------------------------------------------------- the walk

namespace {

struct ScriptState {
    long superscript = 0;
    long subscript = 0;
    bool operator==(const ScriptState&) const = default;
};

ScriptState stateAt(word::Range& probe, long position) {
    probe.SetRange(position, position + 1);
    const word::Font font = probe.Font();
    return ScriptState{font.Superscript(), font.Subscript()};
}

// Which characters of a paragraph's text are white space, by position.
std::vector<bool> blanksOf(const std::string& text) {
    std::vector<bool> blanks;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = decodeUtf8At(text, i);
        const bool blank = c.codePoint == U' ' || c.codePoint == U'\t' || c.codePoint == 0xA0 || c.codePoint == 0x3000;
        blanks.push_back(blank);
        if (c.codePoint > 0xFFFF) blanks.push_back(blank);  // two positions for a surrogate pair
        i += c.length;
    }
    return blanks;
}

// The text inside a citation mark: without its first and last characters.
std::string innerText(const std::string& text) {
    if (text.empty()) return {};
    const std::size_t first = decodeUtf8At(text, 0).length;
    std::size_t last = text.size() - 1;
    while (last > first && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80) --last;
    return last > first ? text.substr(first, last - first) : std::string();
}

class CitationWalker {
public:
    CitationWalker(CheckSession& session, BodyState& state) : session_(session), state_(state) {}

    CitationWalk walk(const word::Range& paragraph) {
        const long start = paragraph.Start();
        const long mark = paragraph.End() - 1;
        const std::vector<bool> blanks = blanksOf(paragraph.Text());
        auto blankAt = [&](long p) {
            const auto i = static_cast<std::size_t>(p - start);
            return i < blanks.size() && blanks[i];
        };
        CitationWalk result{paragraph.Duplicate(), false};
        word::Range probe = session_.range(start, start);
        long p = start;
        while (p < mark) {
            const ScriptState reference = stateAt(probe, p);
            bool seenText = !blankAt(p);
            long q = p + 1;
            for (; q < mark; ++q) {
                const bool blank = blankAt(q);
                // White space after text does not change what the grown range reads.
                if (blank && seenText) continue;
                if (!(stateAt(probe, q) == reference)) break;
                seenText = seenText || !blank;
            }
            result.lastRun = session_.range(p, q);
            result.lastRunReportedAsText = process(result.lastRun);
            p = q;
        }
        return result;
    }

private:
    // True when a "正文" finding was posted for the run.
    bool process(const word::Range& run) {
        const word::Font font = run.Font();
        if (font.Subscript() != 0) return false;
        const bool superscript = font.Superscript() != 0;
        const Location where = locateItem(session_, state_, run);
        session_.progress(where);
        if (superscript && state_.citationOrderChecked) checkOrder(run, where);
        session_.progress(where);
        return checkFormat(run, superscript, where);
    }

    void checkOrder(const word::Range& run, const Location& where) {
        const std::string text = run.Text();
        if (gbkByteLength(text) < 3) return;  // a single superscript digit or letter is no citation
        bool posted = false;
        for (int n : citations::numbersOf(innerText(text))) {
            if (n != 0 && n > state_.citations + 1) {
                if (posted || !state_.citationOrderChecked) continue;
                markFaulty(run);
                session_.post(kLevelMedium, where, msg::citationOrder(), static_cast<int>(run.Start()));
                state_.citationOrderChecked = false;
                posted = true;
            } else if (n == state_.citations + 1) {
                state_.citations = n;
            }
        }
    }

    bool checkFormat(const word::Range& run, bool superscript, const Location& where) {
        const FormatTemplate& tpl = session_.formatTemplate();
        if (superscript) session_.found(TemplateElement::Superscript, run);
        BodyItemCheck item(session_, run);
        if (superscript) {
            item.size(tpl.superscriptSize).fontName(FontNameProperty::NameAscii, tpl.superscriptFont);
        } else {
            item.size(tpl.bodyTextSize).fontName(FontNameProperty::NameFarEast, tpl.bodyTextCnFont);
        }
        if (session_.autoFix() || !item.deviates()) return false;
        item.report(superscript ? msg::BodyItem::Superscript : msg::BodyItem::Text, static_cast<int>(run.Start()),
                    where);
        return !superscript;
    }

    CheckSession& session_;
    BodyState& state_;
};

}  // namespace

CitationWalk checkCitations(CheckSession& session, BodyState& state, const word::Range& paragraph) {
    return CitationWalker(session, state).walk(paragraph);
}

}  // namespace quillmark
