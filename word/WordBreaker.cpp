#include "WordBreaker.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>

namespace word {

namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x3000; }

bool isWordCharacter(char16_t c) {
    return u_isalnum(c) || u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC) || c == u'_' || c == u'\'';
}

icu::BreakIterator& wordIterator() {
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> it(icu::BreakIterator::createWordInstance(icu::Locale("zh", "CN"), status));
        return it;
    }();
    return *iterator;
}

}  // namespace

std::vector<std::pair<long, long>> splitWords(std::u16string_view text) {
    std::vector<std::pair<long, long>> words;
    if (text.empty()) return words;
    const icu::UnicodeString unicode(false, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()));
    auto& it = wordIterator();
    it.setText(unicode);
    bool previousIsWord = false;
    for (int32_t start = it.first(), end = it.next(); end != icu::BreakIterator::DONE; start = end, end = it.next()) {
        // ICU keeps runs of white space and some symbol runs together; split
        // the pieces Word keeps apart.
        int32_t pos = start;
        while (pos < end) {
            const char16_t c = text[pos];
            if (isSpace(c)) {
                int32_t stop = pos;
                while (stop < end && isSpace(text[stop])) ++stop;
                if (previousIsWord && !words.empty() && words.back().second == pos) {
                    words.back().second = stop;
                } else {
                    words.emplace_back(pos, stop);
                }
                previousIsWord = false;
                pos = stop;
            } else if (isWordCharacter(c)) {
                int32_t stop = pos;
                while (stop < end && !isSpace(text[stop])) ++stop;
                words.emplace_back(pos, stop);
                previousIsWord = true;
                pos = stop;
            } else {
                words.emplace_back(pos, pos + 1);  // punctuation, marks, symbols: one each
                previousIsWord = false;
                ++pos;
            }
        }
    }
    return words;
}

}  // namespace word
