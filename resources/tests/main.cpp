// Resources need a GUI application for fonts and icons; tests run on the offscreen platform.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
