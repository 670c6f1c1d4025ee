// TripDesk, the drive recorder's viewer.

#include <QApplication>

#include "platform/skin_look.h"
#include "shell/tripdesk_app.h"
#ifdef TRIPDESK_HAVE_MAP
#include "map/map_scheme.h"
#endif

int main(int argc, char** argv) {
#ifdef TRIPDESK_HAVE_MAP
    map::RegisterMapScheme();
#endif
    QApplication app(argc, argv);
    platform::ApplySkinLook(app);
    shell::CTripDeskApp theApp;
    theApp.InitInstance();
    return 0;
}
