#pragma once

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <rtl/ustring.hxx>

#include <unordered_map>
#include <vector>

namespace word {

using ::rtl::OUString;

// A paragraph met in the story walk, with its place in Word's positions.
struct WalkedParagraph {
    ::com::sun::star::uno::Reference<::com::sun::star::text::XTextRange> range;
    sal_Int32 textIndex = 0;
    sal_Int32 row = -1;     // 1-based table row, -1 outside a table
    sal_Int32 start = 0;    // story position of its first character
    sal_Int32 length = 0;   // characters without the paragraph mark
};

// The main text or a table cell, with its paragraphs in order.
struct WalkedText {
    ::com::sun::star::uno::Reference<::com::sun::star::text::XText> text;
    std::vector<sal_Int32> paragraphs;
};

// The story as the walk knows it: paragraphs in story order and the texts
// that hold them.
struct WalkedStory {
    std::vector<WalkedParagraph> paragraphs;
    std::vector<WalkedText> texts;
    std::unordered_map<const void*, sal_Int32> textByIdentity;
    sal_Int32 end = 0;  // position after the last paragraph mark

    sal_Int32 addText(const ::com::sun::star::uno::Reference<::com::sun::star::text::XText>& text);
    void addParagraph(WalkedParagraph paragraph);
    // Gives the paragraph its start once the ones before it are measured.
    void place(WalkedParagraph& paragraph);
    // The text's index, -1 when it is not part of the main story.
    sal_Int32 textOf(const ::com::sun::star::uno::Reference<::com::sun::star::text::XText>& text) const;
};

}  // namespace word
