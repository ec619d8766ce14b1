#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace word {

// A compiled Find text: Word's plain-text codes (^w any white space, ^# any
// digit, ^$ any letter, ^? any character, ^p, ^t, ^l, ^m, ^s, ^^) or Word's
// wildcard syntax (* any characters, ? one character, [abc] [a-z] [!abc],
// \ escapes, {n} {n,} {n,m} and @ repeats; ( ) < > are accepted and ignored).
// Matching takes the leftmost match and, from there, the shortest one, which
// is how Word's lazy * behaves.
class SearchPattern {
public:
    static SearchPattern plain(std::u16string_view text, bool matchCase);
    static SearchPattern wildcards(std::u16string_view pattern);

    // The first match inside text[from, to), as [start, end); never empty.
    std::optional<std::pair<long, long>> search(std::u16string_view text, long from, long to) const;

    bool empty() const { return elements_.empty(); }

private:
    struct CharClass {
        enum Kind { Literal, AnyChar, Set, Digit, Letter, WhiteSpace } kind = Literal;
        char16_t ch = 0;
        std::vector<std::pair<char16_t, char16_t>> ranges;
        bool negate = false;
        bool foldCase = false;
        bool matches(char16_t c) const;
    };
    struct Element {
        CharClass cls;
        int min = 1;
        int max = 1;  // -1 unbounded
    };

    std::vector<Element> elements_;
};

}  // namespace word
