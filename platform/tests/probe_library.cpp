// Exports for the library-loading tests: plain C names, one of them looked up through its
// stdcall-decorated name "setInst@4".

namespace {
void* instance = nullptr;
}

extern "C" {

__attribute__((visibility("default"))) int probe_add(int a, int b) { return a + b; }

__attribute__((visibility("default"))) void setInst(void* value) { instance = value; }

__attribute__((visibility("default"))) void* probe_instance() { return instance; }

}
