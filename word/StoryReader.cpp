#include "StoryReader.h"

#include "Engine.h"
#include "WordError.h"
#include "reader/StoryPacket.h"
#include "reader/StoryWalk.h"

#include <com/sun/star/beans/NamedValue.hpp>

#include <iostream>
#include <mutex>

namespace word {

namespace {

using uno::Any;
using uno::Reference;
using uno::Sequence;

Sequence<Any> walkInEngine(const Reference<uno::css::task::XJob>& reader,
                           const Reference<uno::css::frame::XModel>& model, sal_Int32 what) {
    Sequence<uno::css::beans::NamedValue> arguments(2);
    arguments.getArray()[0] = uno::css::beans::NamedValue(OUString::createFromAscii(packet::kModelArgument), Any(model));
    arguments.getArray()[1] = uno::css::beans::NamedValue(OUString::createFromAscii(packet::kWhatArgument), Any(what));
    Sequence<Any> reply;
    if (!(reader->execute(arguments) >>= reply)) throw WordError(errors::EngineUnavailable, "文档读取组件没有答复");
    return reply;
}

void reportWalkFailed(const std::string& reason) {
    static std::once_flag said;
    std::call_once(said, [&] { std::cerr << "quillmark: 读取组件出错（" << reason << "），改为逐项远程读取\n"; });
}

}  // namespace

StoryReply readStory(const Reference<uno::css::frame::XModel>& model, sal_Int32 what, WalkPlace place) {
    return uno::guarded([&] {
        if (place == WalkPlace::OverBridge) return unpackStory(walkStory(model, what));
        auto reader = Engine::instance().storyReader();
        if (!reader.is()) throw WordError(errors::EngineUnavailable, "读取组件没有载入文档引擎");
        return unpackStory(walkInEngine(reader, model, what));
    });
}

StoryReply readStory(const Reference<uno::css::frame::XModel>& model, sal_Int32 what) {
    if (!uno::guarded([] { return Engine::instance().storyReader().is(); })) {
        return readStory(model, what, WalkPlace::OverBridge);
    }
    try {
        return readStory(model, what, WalkPlace::InEngine);
    } catch (const WordError& e) {
        // A dead engine is not helped by reading over the bridge.
        if (!Engine::instance().alive()) throw;
        reportWalkFailed(e.description());
    }
    return readStory(model, what, WalkPlace::OverBridge);
}

}  // namespace word
