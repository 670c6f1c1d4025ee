#include "player/player_library.h"

#include "platform/trace.h"

namespace player {

int PlayerLibrary::Load(const char* windowsName, void* instance, vexplayer::PlayerCallback callback) {
    if (Loaded()) return kAlreadyLoaded;
    if (!windowsName) return kNoName;
    platform::HMODULE module = platform::LoadLibraryA(windowsName);
    if (!module) {
        platform::Trace("player library %s: %s\n", windowsName, platform::LastLibraryError().c_str());
        return kLoadFailed;
    }
    const auto velmo = reinterpret_cast<vexplayer::VelmoFn>(platform::GetProcAddress(module, vexplayer::kExportVelmo));
    const auto setInst = reinterpret_cast<vexplayer::SetInstFn>(platform::GetProcAddress(module, vexplayer::kExportSetInst));
    const auto setW = reinterpret_cast<vexplayer::SetWFn>(platform::GetProcAddress(module, vexplayer::kExportSetW));
    const auto cmdDirect = reinterpret_cast<vexplayer::CmdDirectFn>(platform::GetProcAddress(module, vexplayer::kExportCmdDirect));
    if (!velmo || !setInst || !setW || !cmdDirect) {
        // Without every entry point the player can never run: do not keep the module.
        platform::FreeLibrary(module);
        return kMissingExport;
    }
    velmo_ = velmo;
    cmdDirect_ = cmdDirect;
    module_ = module;
    setInst(instance);
    setW(callback);
    return kLoaded;
}

bool PlayerLibrary::Free() {
    const platform::HMODULE module = module_.load();
    if (!module || !platform::FreeLibrary(module)) return false;
    Forget();
    return true;
}

void PlayerLibrary::Forget() {
    module_ = nullptr;
    velmo_ = nullptr;
    cmdDirect_ = nullptr;
}

void PlayerLibrary::Send(const char* text) const {
    if (const vexplayer::CmdDirectFn cmdDirect = cmdDirect_.load()) cmdDirect(text);
}

} // namespace player
