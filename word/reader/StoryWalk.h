#pragma once

#include "LayoutWalk.h"

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>

namespace word {

// Walks the main story of `model` (paragraphs in order, table cells row by
// row, text portions with their character attributes, paragraph attributes)
// and, when asked, its layout (the start, page and line of every line), and
// packs what it finds into one reply (see StoryPacket.h). `what` is a set of
// packet::What flags; `request` says which part of the layout to walk.
//
// Plain UNO calls only: the same code runs inside the engine process (the
// reader component, where every call is direct) and in ours over the bridge.
::com::sun::star::uno::Sequence<::com::sun::star::uno::Any> walkStory(
    const ::com::sun::star::uno::Reference<::com::sun::star::frame::XModel>& model, sal_Int32 what,
    const LayoutRequest& request = {});

}  // namespace word
