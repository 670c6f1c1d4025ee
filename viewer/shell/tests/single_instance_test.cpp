// The tripdesk program as a user starts it twice: the second copy ends at once, silently, while
// the first waits at its channel dialog.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

namespace {

QProcessEnvironment Environment(const std::filesystem::path& runtime) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    return env;
}

TEST(SingleInstance, SecondStartEndsSilentlyWhileTheFirstRuns) {
    const std::filesystem::path runtime = std::filesystem::path(TRIPDESK_TEST_WORK_DIR) / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const QString program = QString(TRIPDESK_BIN_DIR) + "/tripdesk";

    QProcess first;
    first.setProcessEnvironment(Environment(runtime));
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy holds the lock by the time its main window is being created, which traces
    // the player's first state.
    QByteArray output;
    while (!output.contains("####stat0") && first.waitForReadyRead(30000)) output += first.readAllStandardOutput();
    ASSERT_TRUE(output.contains("####stat0"));
    ASSERT_FALSE(first.waitForFinished(1000));  // waiting at the channel dialog

    QProcess second;
    second.setProcessEnvironment(Environment(runtime));
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
    // Once the first is gone, a new start takes the lock and waits at its dialog again.
    QProcess third;
    third.setProcessEnvironment(Environment(runtime));
    third.start(program, {});
    ASSERT_TRUE(third.waitForStarted());
    EXPECT_FALSE(third.waitForFinished(3000));
    third.kill();
    third.waitForFinished();
}

TEST(SingleInstance, WithoutALockFileTheProgramStartsAndSaysWhy) {
    const std::filesystem::path runtime = std::filesystem::path(TRIPDESK_TEST_WORK_DIR) / "runtime_unwritable";
    std::filesystem::remove_all(runtime);
    // A folder where the lock file belongs: it cannot be made.
    std::filesystem::create_directories(runtime / "TRIPDESK_APP_KX-310T.lock");
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);

    QProcess program;
    program.setProcessEnvironment(Environment(runtime));
    program.start(QString(TRIPDESK_BIN_DIR) + "/tripdesk", {});
    ASSERT_TRUE(program.waitForStarted());
    QByteArray output;
    while (!output.contains("####stat0") && program.waitForReadyRead(30000)) output += program.readAllStandardOutput();
    EXPECT_TRUE(output.contains("cannot create the lock file")) << output.toStdString();
    EXPECT_TRUE(output.contains("####stat0")) << "the main window is made";
    EXPECT_FALSE(program.waitForFinished(2000)) << "waiting at the channel dialog";
    program.kill();
    program.waitForFinished();
}

} // namespace
