// The tests' main: a QApplication on this thread (the user-interface thread of the tests).

#include <QApplication>
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/log.h>
}

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_FATAL);   // damaged files on purpose; FFmpeg's complaints are noise
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
