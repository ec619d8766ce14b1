#pragma once

#include "StoryUnpack.h"
#include "reader/LayoutWalk.h"

#include <com/sun/star/frame/XModel.hpp>

namespace word {

// Where a story walk runs: inside the engine process (the reader
// component), or in ours, call by call over the bridge.
enum class WalkPlace { InEngine, OverBridge };

// Reads a document's main story and/or layout (packet::What flags) in one
// walk: inside the engine when the reader component is there, else over the
// bridge (slower, same result).
StoryReply readStory(const uno::Reference<uno::css::frame::XModel>& model, sal_Int32 what,
                     const LayoutRequest& request = {});

// The same walk in a chosen place; InEngine raises WordError when the
// component is not loaded.
StoryReply readStory(const uno::Reference<uno::css::frame::XModel>& model, sal_Int32 what, WalkPlace place,
                     const LayoutRequest& request = {});

// Sets a character property on [start, end), a stretch inside one
// paragraph, inside the engine (one call instead of a range built call by
// call). False, with nothing written, when the reader is not loaded or no
// longer holds the story read `storyStamp` (the caller then writes itself).
bool writeCharPropertyInEngine(const uno::Reference<uno::css::frame::XModel>& model, sal_Int32 storyStamp, long start,
                               long end, const char* name, const uno::Any& value);

}  // namespace word
