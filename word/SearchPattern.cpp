#include "SearchPattern.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <map>

namespace word {

namespace {

char16_t fold(char16_t c) { return static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)); }

bool isWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x3000 || c == 0x2002 || c == 0x2003;
}

}  // namespace

bool SearchPattern::CharClass::matches(char16_t c) const {
    switch (kind) {
        case Literal:
            return foldCase ? fold(c) == fold(ch) : c == ch;
        case AnyChar:
            return true;
        case Digit:
            return c >= u'0' && c <= u'9';
        case Letter:
            return u_isalpha(c);
        case WhiteSpace:
            return isWhiteSpace(c);
        case Set: {
            bool inSet = false;
            for (const auto& [lo, hi] : ranges) {
                if (c >= lo && c <= hi) {
                    inSet = true;
                    break;
                }
            }
            return inSet != negate;
        }
    }
    return false;
}

SearchPattern SearchPattern::plain(std::u16string_view text, bool matchCase) {
    SearchPattern pattern;
    auto literal = [&](char16_t c) {
        Element e;
        e.cls.kind = CharClass::Literal;
        e.cls.ch = c;
        e.cls.foldCase = !matchCase;
        pattern.elements_.push_back(e);
    };
    auto kind = [&](CharClass::Kind k, int min = 1, int max = 1) {
        Element e;
        e.cls.kind = k;
        e.min = min;
        e.max = max;
        pattern.elements_.push_back(e);
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'^' || i + 1 >= text.size()) {
            literal(c);
            continue;
        }
        switch (text[++i]) {
            case u'w': kind(CharClass::WhiteSpace, 1, -1); break;
            case u'#': kind(CharClass::Digit); break;
            case u'$': kind(CharClass::Letter); break;
            case u'?': kind(CharClass::AnyChar); break;
            case u'p': literal(u'\r'); break;
            case u't': literal(u'\t'); break;
            case u'l': literal(u'\v'); break;
            case u'm': literal(u'\f'); break;
            case u's': literal(0x00A0); break;
            case u'^': literal(u'^'); break;
            default:
                literal(u'^');
                literal(text[i]);
        }
    }
    return pattern;
}

SearchPattern SearchPattern::wildcards(std::u16string_view p) {
    SearchPattern pattern;
    auto& elements = pattern.elements_;
    for (size_t i = 0; i < p.size(); ++i) {
        const char16_t c = p[i];
        Element e;
        if (c == u'*') {
            e.cls.kind = CharClass::AnyChar;
            e.min = 0;
            e.max = -1;
        } else if (c == u'?') {
            e.cls.kind = CharClass::AnyChar;
        } else if (c == u'\\' && i + 1 < p.size()) {
            e.cls.ch = p[++i];
        } else if (c == u'[') {
            e.cls.kind = CharClass::Set;
            size_t j = i + 1;
            if (j < p.size() && p[j] == u'!') {
                e.cls.negate = true;
                ++j;
            }
            while (j < p.size() && p[j] != u']') {
                char16_t lo = p[j];
                if (lo == u'\\' && j + 1 < p.size()) lo = p[++j];
                char16_t hi = lo;
                if (j + 2 < p.size() && p[j + 1] == u'-' && p[j + 2] != u']') {
                    hi = p[j + 2];
                    j += 2;
                }
                e.cls.ranges.emplace_back(std::min(lo, hi), std::max(lo, hi));
                ++j;
            }
            if (j >= p.size()) {  // no closing bracket: the bracket is an ordinary character
                e = Element{};
                e.cls.ch = c;
            } else {
                i = j;
            }
        } else if ((c == u'{' || c == u'@') && !elements.empty()) {
            Element& previous = elements.back();
            if (c == u'@') {
                previous.min = std::max(previous.min, 1);
                previous.max = -1;
                continue;
            }
            const size_t close = p.find(u'}', i);
            if (close == std::u16string_view::npos) {
                e.cls.ch = c;
            } else {
                int n = 0, m = -2;
                size_t j = i + 1;
                while (j < close && p[j] >= u'0' && p[j] <= u'9') n = std::min(n * 10 + (p[j++] - u'0'), 10000);
                if (j < close && p[j] == u',') {
                    ++j;
                    if (j == close) {
                        m = -1;
                    } else {
                        m = 0;
                        while (j < close && p[j] >= u'0' && p[j] <= u'9') m = std::min(m * 10 + (p[j++] - u'0'), 10000);
                    }
                }
                previous.min = n;
                previous.max = m == -2 ? n : (m == -1 ? -1 : std::max(m, n));
                i = close;
                continue;
            }
        } else if (c == u'(' || c == u')' || c == u'<' || c == u'>') {
            continue;
        } else {
            e.cls.ch = c;
        }
        elements.push_back(e);
    }
    return pattern;
}

std::optional<std::pair<long, long>> SearchPattern::search(std::u16string_view text, long from, long to) const {
    from = std::max<long>(from, 0);
    to = std::min<long>(to, static_cast<long>(text.size()));
    if (elements_.empty() || from >= to) return std::nullopt;
    const int n = static_cast<int>(elements_.size());

    // A state is (element, repetitions so far); a bounded count is kept
    // exactly, an unbounded one only up to its minimum. Each state keeps the
    // earliest start that reached it: a later start can never win.
    using State = std::pair<int, int>;
    auto capped = [&](int i, int count) {
        const Element& e = elements_[i];
        return e.max < 0 ? std::min(count, e.min) : count;
    };
    auto closure = [&](std::map<State, long>& states) {
        std::vector<State> work;
        for (const auto& [s, _] : states) work.push_back(s);
        while (!work.empty()) {
            const State s = work.back();
            work.pop_back();
            if (s.first >= n) continue;
            if (s.second >= elements_[s.first].min) {
                const State next{s.first + 1, 0};
                const long start = states[s];
                auto it = states.find(next);
                if (it == states.end() || it->second > start) {
                    states[next] = start;
                    work.push_back(next);
                }
            }
        }
    };

    // With no match under way, skip to where the first element can match.
    const Element& first = elements_.front();
    const bool firstIsRequired = first.min >= 1 && first.cls.kind != CharClass::AnyChar;

    std::optional<std::pair<long, long>> best;
    std::map<State, long> states;
    for (long pos = from; pos <= to; ++pos) {
        if (!best && states.empty() && firstIsRequired) {
            while (pos < to && !first.cls.matches(text[pos])) ++pos;
            if (pos >= to) break;
        }
        if (!best && pos < to) states.emplace(State{0, 0}, pos);
        closure(states);
        for (const auto& [s, start] : states) {
            if (s.first == n && pos > start && (!best || start < best->first)) best = std::make_pair(start, pos);
        }
        if (best) {
            std::erase_if(states, [&](const auto& entry) { return entry.second >= best->first; });
        }
        if (states.empty() || pos == to) break;
        std::map<State, long> next;
        const char16_t c = text[pos];
        for (const auto& [s, start] : states) {
            if (s.first >= n) continue;
            const Element& e = elements_[s.first];
            if ((e.max < 0 || s.second < e.max) && e.cls.matches(c)) {
                const State moved{s.first, capped(s.first, s.second + 1)};
                auto it = next.find(moved);
                if (it == next.end() || it->second > start) next[moved] = start;
            }
        }
        states = std::move(next);
    }
    return best;
}

}  // namespace word
