#pragma once

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <rtl/ustring.hxx>

namespace word {

// Sets a character property on [start, end), a stretch inside one paragraph
// (story positions), using the paragraphs the story read with `storyStamp`
// found (reader/StoryCache). The range is built as the object model builds
// it: a cursor at the paragraph's start, moved right to `start`, extended
// to `end`. False, with nothing written, when that read is not the
// document's last or the stretch is not inside one paragraph.
bool writeCharProperty(const ::com::sun::star::uno::Reference<::com::sun::star::frame::XModel>& model,
                       sal_Int32 storyStamp, sal_Int32 start, sal_Int32 end, const ::rtl::OUString& name,
                       const ::com::sun::star::uno::Any& value);

}  // namespace word
