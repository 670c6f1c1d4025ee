// A player library that lacks "cmd_direct": loading it must fail with result 3.
#include "contract/vexplayer_contract.h"

extern "C" {
__attribute__((visibility("default"))) int Velmo(int, char**) { return 0; }
__attribute__((visibility("default"))) void setInst(void*) {}
__attribute__((visibility("default"))) void setW(vexplayer::PlayerCallback) {}
}
