#include "player/live_adapters.h"

#include <condition_variable>
#include <mutex>
#include <unordered_map>

namespace player {

namespace {

struct Registry {
    struct Slot {
        TarnAdap* adapter;
        int callbacksInside;
    };
    std::mutex mutex;   // held only to look up and count, never while an adapter runs
    std::condition_variable left;
    std::unordered_map<LiveAdapters::Token, Slot> slots;
    LiveAdapters::Token lastToken = 0;
};

Registry& TheRegistry() {
    static Registry registry;   // process lifetime: callbacks may come until the process ends
    return registry;
}

} // namespace

LiveAdapters::Token LiveAdapters::Add(TarnAdap* adapter) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    const Token token = ++registry.lastToken;
    registry.slots.emplace(token, Registry::Slot{adapter, 0});
    return token;
}

void LiveAdapters::Remove(Token token) {
    Registry& registry = TheRegistry();
    std::unique_lock lock(registry.mutex);
    const auto found = registry.slots.find(token);
    if (found == registry.slots.end()) return;
    found->second.adapter = nullptr;   // no new callback enters from here on
    registry.left.wait(lock, [&] { return registry.slots.at(token).callbacksInside == 0; });
    registry.slots.erase(token);
}

LiveAdapters::Entry LiveAdapters::Enter(Token token) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    const auto found = registry.slots.find(token);
    if (found == registry.slots.end() || !found->second.adapter) return Entry(token, nullptr);
    ++found->second.callbacksInside;
    return Entry(token, found->second.adapter);
}

LiveAdapters::Entry::~Entry() {
    if (!adapter_) return;
    Registry& registry = TheRegistry();
    {
        std::lock_guard lock(registry.mutex);
        const auto found = registry.slots.find(token_);
        if (found != registry.slots.end()) --found->second.callbacksInside;
    }
    registry.left.notify_all();
}

} // namespace player
