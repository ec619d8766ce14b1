#pragma once

#include "DocumentModel.h"

#include <optional>

namespace word {

// Reads one value over the characters of a stretch, the way Word reads a
// property of a range: the common value, or nothing when the characters differ.
// White space is read only when the stretch holds nothing else: blanks take
// their script from the text around them, and files often give them the
// other script's font or language (the blanks of "摘  要" set in 黑体 carry a
// Latin font as their Asian one once written by the engine's Word filter).
// `valueOf` receives each character's attributes and the character itself.
// A stretch without characters (collapsed, or only paragraph marks) reads the
// character at its start, or failing that the one before it, or the
// paragraph's own attributes.
template <typename T, typename F>
std::optional<T> commonValue(DocumentModel& model, long start, long end, F valueOf);

// The attributes that stand for a stretch without characters of its own.
CharAttributes attributesAtPoint(DocumentModel& model, long position);

template <typename T, typename F>
std::optional<T> commonValue(DocumentModel& model, long start, long end, F valueOf) {
    const std::u16string& text = model.text();
    std::vector<CharRun> runs = model.runsIn(start, end);
    if (runs.empty()) {
        const long p = std::clamp<long>(start, 0, std::max<long>(0, static_cast<long>(text.size()) - 1));
        const char16_t c = text.empty() ? u' ' : text[p];
        return valueOf(attributesAtPoint(model, start), c);
    }
    for (const bool includeBlanks : {false, true}) {
        std::optional<T> common;
        for (const CharRun& run : runs) {
            for (long i = run.start; i < run.end; ++i) {
                if (!includeBlanks && isBlank(text[i])) continue;
                T value = valueOf(run.attributes, text[i]);
                if (!common) {
                    common = value;
                } else if (!(*common == value)) {
                    return std::nullopt;
                }
            }
        }
        if (common) return common;
    }
    return std::nullopt;
}

}  // namespace word
