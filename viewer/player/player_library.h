#pragma once
// The loaded player library: its module and its four entry points. Loaded and freed on the
// user-interface thread or the worker; the entry points are read from any thread.

#include <atomic>

#include "platform/library.h"
#include "contract/vexplayer_contract.h"

namespace player {

class PlayerLibrary {
public:
    enum LoadResult : int {
        kLoaded = 0,
        kAlreadyLoaded = 1,
        kNoName = 2,
        kMissingExport = 3,   // the module was unloaded again at once
        kLoadFailed = 4,
    };

    // Loads the library by its Windows name, hands it instance and then callback.
    int Load(const char* windowsName, void* instance, vexplayer::PlayerCallback callback);
    // True when the module was freed; the entry points are forgotten then.
    bool Free();
    // Forgets the module and its entry points without freeing anything.
    void Forget();

    bool Loaded() const { return module_.load() != nullptr; }
    platform::HMODULE Module() const { return module_.load(); }
    vexplayer::VelmoFn Velmo() const { return velmo_.load(); }
    // One text command through "cmd_direct"; nothing happens without a library.
    void Send(const char* text) const;

private:
    std::atomic<platform::HMODULE> module_{nullptr};
    std::atomic<vexplayer::VelmoFn> velmo_{nullptr};
    std::atomic<vexplayer::CmdDirectFn> cmdDirect_{nullptr};
};

} // namespace player
