#pragma once

#include "WalkedStory.h"

#include <com/sun/star/frame/XModel.hpp>

#include <memory>

namespace word {

// The paragraphs and texts the last story read of a document found, kept
// where the walk runs, so that a layout read after writes that moved no
// text (formatting) need not walk the story again. A story read replaces
// a document's entry; a few documents are kept, the oldest dropped first.
namespace storyCache {

// The story the read with this stamp left, if it was the document's last.
std::shared_ptr<const WalkedStory> find(const ::com::sun::star::uno::Reference<::com::sun::star::frame::XModel>& model,
                                        sal_Int32 stamp);
void store(const ::com::sun::star::uno::Reference<::com::sun::star::frame::XModel>& model, sal_Int32 stamp,
           std::shared_ptr<const WalkedStory> story);

}  // namespace storyCache

}  // namespace word
