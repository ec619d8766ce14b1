#include "template/Utf8.h"

namespace quillmark {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct SequenceShape {
    std::size_t length;
    char32_t leadBits;
    char32_t minimum;
};

// Length, payload of the lead byte and smallest legal code point; length 0
// for bytes that cannot start a sequence.
SequenceShape shapeOf(unsigned char lead) {
    if (lead < 0x80) return {1, lead, 0};
    if ((lead & 0xE0) == 0xC0) return {2, char32_t(lead & 0x1F), 0x80};
    if ((lead & 0xF0) == 0xE0) return {3, char32_t(lead & 0x0F), 0x800};
    if ((lead & 0xF8) == 0xF0) return {4, char32_t(lead & 0x07), 0x10000};
    return {0, 0, 0};
}

bool isSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

}  // namespace

Utf8Char decodeUtf8At(std::string_view text, std::size_t pos) {
    const SequenceShape shape = shapeOf(static_cast<unsigned char>(text[pos]));
    if (shape.length == 0 || pos + shape.length > text.size()) return {};

    char32_t codePoint = shape.leadBits;
    for (std::size_t i = 1; i < shape.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte)) return {};
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < shape.minimum || codePoint > 0x10FFFF || isSurrogate(codePoint)) return {};
    return {codePoint, shape.length, true};
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string repairUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char ch = decodeUtf8At(text, pos);
        if (ch.valid) {
            out.append(text.substr(pos, ch.length));
        } else {
            appendUtf8(out, kReplacementCharacter);
        }
        pos += ch.length;
    }
    return out;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char ch = decodeUtf8At(text, pos);
        if (!ch.valid) return false;
        pos += ch.length;
    }
    return true;
}

}  // namespace quillmark
