#include "WalkedStory.h"


namespace word {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

// The identity of an engine object, as UNO defines it.
const void* identityOf(const Reference<css::uno::XInterface>& object) {
    Reference<css::uno::XInterface> normalized(object, UNO_QUERY);
    return normalized.get();
}

}  // namespace

sal_Int32 WalkedStory::addText(const Reference<css::text::XText>& text) {
    const void* id = identityOf(text);
    auto [it, added] = textByIdentity.emplace(id, static_cast<sal_Int32>(texts.size()));
    if (added) texts.push_back({text, {}});
    return it->second;
}

void WalkedStory::addParagraph(WalkedParagraph paragraph) {
    texts.at(paragraph.textIndex).paragraphs.push_back(static_cast<sal_Int32>(paragraphs.size()));
    paragraphs.push_back(std::move(paragraph));
}

void WalkedStory::place(WalkedParagraph& paragraph) {
    paragraph.start = end;
    end += paragraph.length + 1;
}

sal_Int32 WalkedStory::textOf(const Reference<css::text::XText>& text) const {
    auto it = textByIdentity.find(identityOf(text));
    return it == textByIdentity.end() ? -1 : it->second;
}

}  // namespace word
