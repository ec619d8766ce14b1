#pragma once

#include "StoryPacket.h"

#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <rtl/ustring.hxx>

#include <unordered_map>
#include <vector>

namespace word {

using ::rtl::OUString;

// Collects the four sequences of a packed reply. Font names repeat on
// nearly every run, so they are sent once and referred to by index.
class PacketWriter {
public:
    void putInt(sal_Int32 value) { ints_.push_back(value); }
    void setInt(size_t at, sal_Int32 value) { ints_.at(at) = value; }
    size_t intCount() const { return ints_.size(); }
    void putDouble(double value) { doubles_.push_back(value); }
    void putString(const OUString& text) {
        ints_.push_back(static_cast<sal_Int32>(strings_.size()));
        strings_.push_back(text);
    }
    void putName(const OUString& name) {
        auto [it, added] = names_.emplace(name, static_cast<sal_Int32>(strings_.size()));
        if (added) strings_.push_back(name);
        ints_.push_back(it->second);
    }
    void putParagraph(const ::com::sun::star::uno::Reference<::com::sun::star::text::XTextRange>& paragraph) {
        paragraphs_.push_back(paragraph);
    }
    void putText(const ::com::sun::star::uno::Reference<::com::sun::star::text::XText>& text) { texts_.push_back(text); }

    ::com::sun::star::uno::Sequence<::com::sun::star::uno::Any> finish() const {
        using ::com::sun::star::uno::Any;
        using ::com::sun::star::uno::Reference;
        using ::com::sun::star::uno::Sequence;
        using ::com::sun::star::text::XText;
        using ::com::sun::star::text::XTextRange;
        Sequence<Any> reply(packet::SlotCount);
        Any* slots = reply.getArray();
        slots[packet::Ints] <<= Sequence<sal_Int32>(ints_.data(), static_cast<sal_Int32>(ints_.size()));
        slots[packet::Strings] <<= Sequence<OUString>(strings_.data(), static_cast<sal_Int32>(strings_.size()));
        slots[packet::Doubles] <<= Sequence<double>(doubles_.data(), static_cast<sal_Int32>(doubles_.size()));
        slots[packet::ParagraphObjects] <<= Sequence<Reference<XTextRange>>(paragraphs_.data(), static_cast<sal_Int32>(paragraphs_.size()));
        slots[packet::TextObjects] <<= Sequence<Reference<XText>>(texts_.data(), static_cast<sal_Int32>(texts_.size()));
        return reply;
    }

private:
    std::vector<sal_Int32> ints_;
    std::vector<OUString> strings_;
    std::unordered_map<OUString, sal_Int32, rtl::OUStringHash> names_;
    std::vector<double> doubles_;
    std::vector<::com::sun::star::uno::Reference<::com::sun::star::text::XTextRange>> paragraphs_;
    std::vector<::com::sun::star::uno::Reference<::com::sun::star::text::XText>> texts_;
};

}  // namespace word
