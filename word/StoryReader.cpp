#include "StoryReader.h"

#include "Engine.h"
#include "WordError.h"
#include "reader/StoryPacket.h"
#include "reader/StoryWalk.h"

#include <com/sun/star/beans/NamedValue.hpp>

#include <iostream>
#include <iterator>
#include <utility>
#include <mutex>

namespace word {

namespace {

using uno::Any;
using uno::Reference;
using uno::Sequence;

Sequence<Any> walkInEngine(const Reference<uno::css::task::XJob>& reader,
                           const Reference<uno::css::frame::XModel>& model, sal_Int32 what, const LayoutRequest& request) {
    const std::pair<const char*, Any> values[] = {
        {packet::kModelArgument, Any(model)},
        {packet::kWhatArgument, Any(what)},
        {packet::kFromPhysicalPageArgument, Any(request.fromPhysicalPage)},
        {packet::kFromPageArgument, Any(request.fromPage)},
        {packet::kFromPositionArgument, Any(request.fromPosition)},
        {packet::kUntilArgument, Any(request.until)},
        {packet::kStoryStampArgument, Any(request.storyStamp)}};
    Sequence<uno::css::beans::NamedValue> arguments(static_cast<sal_Int32>(std::size(values)));
    for (size_t i = 0; i < std::size(values); ++i) {
        arguments.getArray()[i] = uno::css::beans::NamedValue(OUString::createFromAscii(values[i].first), values[i].second);
    }
    Sequence<Any> reply;
    if (!(reader->execute(arguments) >>= reply)) throw WordError(errors::EngineUnavailable, "文档读取组件没有答复");
    return reply;
}

void reportWalkFailed(const std::string& reason) {
    static std::once_flag said;
    std::call_once(said, [&] { std::cerr << "quillmark: 读取组件出错（" << reason << "），改为逐项远程读取\n"; });
}

}  // namespace

StoryReply readStory(const Reference<uno::css::frame::XModel>& model, sal_Int32 what, WalkPlace place,
                     const LayoutRequest& request) {
    return uno::guarded([&] {
        if (place == WalkPlace::OverBridge) return unpackStory(walkStory(model, what, request));
        auto reader = Engine::instance().storyReader();
        if (!reader.is()) throw WordError(errors::EngineUnavailable, "读取组件没有载入文档引擎");
        return unpackStory(walkInEngine(reader, model, what, request));
    });
}

StoryReply readStory(const Reference<uno::css::frame::XModel>& model, sal_Int32 what, const LayoutRequest& request) {
    if (!uno::guarded([] { return Engine::instance().storyReader().is(); })) {
        return readStory(model, what, WalkPlace::OverBridge, request);
    }
    try {
        return readStory(model, what, WalkPlace::InEngine, request);
    } catch (const WordError& e) {
        // A dead engine is not helped by reading over the bridge.
        if (!Engine::instance().alive()) throw;
        reportWalkFailed(e.description());
    }
    return readStory(model, what, WalkPlace::OverBridge, request);
}

}  // namespace word
