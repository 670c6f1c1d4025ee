// TripDesk, the drive recorder's viewer.

#include <QApplication>

#include "shell/tripdesk_app.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    shell::CTripDeskApp theApp;
    theApp.InitInstance();
    return 0;
}
