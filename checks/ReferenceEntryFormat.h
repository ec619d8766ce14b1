#pragma once

// The format of one entry of the reference list: the responsible persons up
// to a full stop, the title up to its bracketed type marker ([J], [M], ...),
// then the separators that the marker's document type asks for, in order.
// Every search here is a wildcard search inside the entry, on the Selection.

#include "word/msword.h"

#include <span>
#include <string>
#include <string_view>

namespace quillmark {

class CheckSession;

namespace references {

// Wildcard searches. ASCII and full-width punctuation are both accepted.
inline constexpr const char* kUpToFullStop = "*[.．]";        // the responsible persons
inline constexpr const char* kUpToTypeMarker = "*\\[*?\\]";   // the title and its type marker
inline constexpr const char* kHintMarker = "\\[[JMD]\\]";     // [J], [M] or [D] anywhere in the entry
inline constexpr const char* kUpToComma = "*[,，]";
inline constexpr const char* kUpToColon = "*[:：]";
inline constexpr const char* kComma = "[,，]";
inline constexpr const char* kColon = "[:：]";
inline constexpr const char* kFullStop = "[.．]";
inline constexpr const char* kParenthesised = "[（(]*?[)）]";

// One document type: its marker letter, the searches that must succeed one
// after the other behind the marker, and the advice on its correct format.
struct EntryType {
    std::string_view letter;
    std::span<const char* const> steps;
    std::string_view advice;
};

// The document types, in the order J, M, C, A, D, N, P, R, S, Z.
std::span<const EntryType> entryTypes();
// The type of a marker letter (case-sensitive), or nullptr when the letter
// names no known type.
const EntryType* entryType(std::string_view letter);

// What stands in for the advice when the marker letter names no known type.
inline constexpr std::string_view kUnknownTypeText = "。";

// The hint for an entry whose marker cannot be parsed but which holds [J],
// [M] or [D] somewhere: "，该小标题属于专著[M]。" and the like; empty for any
// other letter.
std::string_view typeHint(std::string_view letter);

// The start of every entry finding; the result text follows it.
inline constexpr std::string_view kEntryFaultText =
    "排版有误（请检查是否有正确设置参考文献的标识。若没有，请添加；若有，请检查其正确格式）！";

// The outcome of one entry.
struct EntryVerdict {
    bool faulty = false;
    std::string result;  // advice, "。" or a type hint; may be empty
    long position = 0;   // Selection.Start where the check of the entry stopped
};

// The marker letter of a match of kUpToTypeMarker: the character before its
// closing bracket ("文献题名[J]" -> "J", "[EB/OL]" -> "L"). Empty when the
// text does not end in "]" after at least one character.
std::string markerLetter(std::string_view match);

// Checks one entry (`entry`: its paragraph's range) with searches on the
// Selection, which it leaves where the check stopped. Changes nothing in the
// document.
EntryVerdict checkEntryFormat(word::Selection& selection, const word::Range& entry);

// Checks one entry and, when it is faulty, marks the whole entry red and
// posts one finding ("中等", page and line of the entry). The same in both
// modes: an entry is never corrected. Returns whether it was faulty.
bool checkReferenceEntry(CheckSession& session, const word::Range& entry);

}  // namespace references
}  // namespace quillmark
