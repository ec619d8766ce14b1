#include "StoryReader.h"

#include "Engine.h"
#include "WordError.h"
#include "reader/StoryPacket.h"
#include "reader/StoryWalk.h"

#include <com/sun/star/beans/NamedValue.hpp>

#include <initializer_list>
#include <iostream>
#include <iterator>
#include <utility>
#include <mutex>

namespace word {

namespace {

using uno::Any;
using uno::Reference;
using uno::Sequence;

Sequence<uno::css::beans::NamedValue> namedValues(std::initializer_list<std::pair<const char*, Any>> values) {
    Sequence<uno::css::beans::NamedValue> arguments(static_cast<sal_Int32>(values.size()));
    sal_Int32 i = 0;
    for (const auto& [name, value] : values) {
        arguments.getArray()[i++] = uno::css::beans::NamedValue(OUString::createFromAscii(name), value);
    }
    return arguments;
}

Sequence<Any> walkInEngine(const Reference<uno::css::task::XJob>& reader,
                           const Reference<uno::css::frame::XModel>& model, sal_Int32 what, const LayoutRequest& request) {
    const auto arguments = namedValues({{packet::kModelArgument, Any(model)},
                                        {packet::kWhatArgument, Any(what)},
                                        {packet::kFromPhysicalPageArgument, Any(request.fromPhysicalPage)},
                                        {packet::kFromPageArgument, Any(request.fromPage)},
                                        {packet::kFromPositionArgument, Any(request.fromPosition)},
                                        {packet::kUntilArgument, Any(request.until)},
                                        {packet::kStoryStampArgument, Any(request.storyStamp)}});
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

bool writeCharPropertyInEngine(const Reference<uno::css::frame::XModel>& model, sal_Int32 storyStamp, long start,
                               long end, const char* name, const Any& value) {
    return uno::guarded([&] {
        auto reader = Engine::instance().storyReader();
        if (!reader.is()) return false;
        const sal_Int32 what = packet::WriteCharProperty;
        const auto arguments = namedValues({{packet::kModelArgument, Any(model)},
                                            {packet::kWhatArgument, Any(what)},
                                            {packet::kStoryStampArgument, Any(storyStamp)},
                                            {packet::kStartArgument, Any(static_cast<sal_Int32>(start))},
                                            {packet::kEndArgument, Any(static_cast<sal_Int32>(end))},
                                            {packet::kPropertyArgument, Any(OUString::createFromAscii(name))},
                                            {packet::kValueArgument, value}});
        bool written = false;
        return (reader->execute(arguments) >>= written) && written;
    });
}

}  // namespace word
