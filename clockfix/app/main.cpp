// Clockfix, the recorder's memory-card utility.

#include <QApplication>

#include "clockfix_app.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return clockfix::RunClockfix();
}
