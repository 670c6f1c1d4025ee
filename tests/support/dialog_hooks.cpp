#include "dialog_hooks.h"

#include "platform/dialogs.h"
#include "platform/process.h"
#include "platform/win_types.h"

namespace tripdesk::test {

DialogHooks::DialogHooks() {
    platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& request) {
        messages.push_back(request.text);
        return platform::IDOK;
    });
    platform::SetExitHook([this](int code) { exitCodes.push_back(code); });
}

DialogHooks::~DialogHooks() {
    platform::SetMessageBoxHook(nullptr);
    platform::SetExitHook(nullptr);
}

} // namespace tripdesk::test
