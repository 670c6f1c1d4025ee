#include "shell/tripdesk_app.h"

#include "platform/profile.h"
#include "platform/single_instance.h"
#include "shell/tripdesk_dlg.h"

namespace shell {

bool CTripDeskApp::InitInstance() {
    platform::NamedMutex instance(kInstanceMutex);
    // A second copy ends at once, silently, without activating the first.
    if (instance.alreadyExists()) return false;

    platform::SetAppProfile(kRegistryKey, kProfileName);
    {
        CTripDeskDlg dialog;
        dialog.Run();
    }
    instance.Close();
    return false;
}

} // namespace shell
