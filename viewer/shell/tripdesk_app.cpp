#include "shell/tripdesk_app.h"

#include <memory>

#include "platform/profile.h"
#include "platform/single_instance.h"
#include "shell/tripdesk_dlg.h"

namespace shell {

bool CTripDeskApp::InitInstance() {
    platform::NamedMutex instance(kInstanceMutex);
    // A second copy ends at once, silently, without activating the first.
    if (instance.alreadyExists()) return false;

    platform::SetAppProfile(kRegistryKey, kProfileName);
    auto dialog = std::make_unique<CTripDeskDlg>();
    dialog->Run();
    // The lock goes before the main window object, as the framework's application does it.
    instance.Close();
    dialog.reset();
    return false;
}

} // namespace shell
