#pragma once
// The viewer's application object: single instance, application profile, and the main window
// run modally for the whole run.

namespace shell {

class CTripDeskApp {
public:
    // Runs the whole program. Returns false, as the framework expects, so that no second message
    // loop follows the main window.
    bool InitInstance();
};

inline constexpr const char* kInstanceMutex = "TRIPDESK_APP_KX-310T";
inline constexpr const char* kRegistryKey = "DezovIri_DOZI";
inline constexpr const char* kProfileName = "RDX4400 Viewer";

} // namespace shell
