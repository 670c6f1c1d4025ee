// Test main: one QApplication on Qt's offscreen platform, and the platform clock fast-forwarded
// so that the states' settles cost no time.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/clock.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::SetClockFastForward(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
