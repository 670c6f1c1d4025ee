// TripDesk, the drive recorder's viewer.

#include <QApplication>

#include "platform/skin_look.h"
#include "shell/tripdesk_app.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::ApplySkinLook(app);
    shell::CTripDeskApp theApp;
    theApp.InitInstance();
    return 0;
}
