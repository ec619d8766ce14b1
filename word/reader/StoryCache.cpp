#include "StoryCache.h"

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <cppuhelper/implbase1.hxx>

#include <algorithm>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace word::storyCache {

namespace {

namespace css = ::com::sun::star;
using css::uno::Reference;

constexpr size_t kDocuments = 4;

struct Entry {
    const void* identity;
    sal_Int32 stamp;
    std::shared_ptr<const WalkedStory> story;
};

std::mutex mutex;
// Never destroyed: at the end of the process the objects it holds may
// belong to an engine that is gone.
std::deque<Entry>& entries = *new std::deque<Entry>;  // oldest first

const void* identityOf(const Reference<css::uno::XInterface>& object) {
    return Reference<css::uno::XInterface>(object, css::uno::UNO_QUERY).get();
}

// Takes the entries that `drop` selects out of the cache. The caller lets
// them go after the lock: releasing engine objects takes the engine's own
// lock, which a closing document holds while it tells its listeners.
std::vector<Entry> takeOut(const std::function<bool(const Entry&)>& drop) {
    std::vector<Entry> taken;
    std::lock_guard lock(mutex);
    for (auto it = entries.begin(); it != entries.end();) {
        if (drop(*it)) {
            taken.push_back(std::move(*it));
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
    return taken;
}

// A document's paragraphs must not outlive it: its entry goes when it is
// disposed (closed), while its objects are still sound.
class ForgetOnDisposing : public cppu::WeakImplHelper1<css::lang::XEventListener> {
public:
    void SAL_CALL disposing(const css::lang::EventObject& event) override {
        const void* identity = identityOf(event.Source);
        (void)takeOut([&](const Entry& entry) { return entry.identity == identity; });
    }
};

}  // namespace

std::shared_ptr<const WalkedStory> find(const Reference<css::frame::XModel>& model, sal_Int32 stamp) {
    if (stamp == 0) return nullptr;
    const void* identity = identityOf(model);
    std::lock_guard lock(mutex);
    for (const Entry& entry : entries) {
        if (entry.identity == identity) return entry.stamp == stamp ? entry.story : nullptr;
    }
    return nullptr;
}

void store(const Reference<css::frame::XModel>& model, sal_Int32 stamp, std::shared_ptr<const WalkedStory> story) {
    if (stamp == 0) return;  // a read that no later read refers to
    const void* identity = identityOf(model);
    bool known = false;
    std::vector<Entry> dropped = takeOut([&](const Entry& entry) {
        known = known || entry.identity == identity;
        return entry.identity == identity;
    });
    if (!known) {
        Reference<css::lang::XComponent> component(model, css::uno::UNO_QUERY);
        if (!component.is()) return;
        component->addEventListener(new ForgetOnDisposing);
    }
    {
        std::lock_guard lock(mutex);
        if (entries.size() >= kDocuments) {
            dropped.push_back(std::move(entries.front()));
            entries.pop_front();
        }
        entries.push_back({identity, stamp, std::move(story)});
    }
    // `dropped` lets its objects go here, after the lock.
}

}  // namespace word::storyCache
