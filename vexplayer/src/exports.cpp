// The library's four exports; everything else is hidden.

#include "host_binding.h"
#include "player_session.h"

#define VEXPLAYER_EXPORT extern "C" __attribute__((visibility("default")))

VEXPLAYER_EXPORT int Velmo(int argc, char** argv) { return vexplayer::RunPlayer(argc, argv); }

VEXPLAYER_EXPORT void setInst(void* instance) { vexplayer::HostBinding::instance().setInstance(instance); }

VEXPLAYER_EXPORT void setW(vexplayer::PlayerCallback callback) {
    vexplayer::HostBinding::instance().setCallback(callback);
}

VEXPLAYER_EXPORT int cmd_direct(const char* text) { return vexplayer::HostBinding::instance().submit(text) ? 0 : -1; }
