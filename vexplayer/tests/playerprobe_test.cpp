// playerprobe as a program: its output lines, its commands from standard input, its benchmark.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <algorithm>
#include <chrono>

#include "comma_locale.h"
#include "sample_card.h"

namespace vexplayer::testing {
namespace {

using tripdesk::test::SampleCard;

using namespace std::chrono_literals;

class Probe {
public:
    explicit Probe(const QStringList& arguments,
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        process_.setProgram(QString(TRIPDESK_BIN_DIR) + "/playerprobe");
        process_.setArguments(arguments);
        process_.setProcessEnvironment(environment);
        process_.start();
    }
    ~Probe() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    // Reads lines until one starts with the prefix (the line), or the probe ends.
    std::optional<std::string> lineStartingWith(const std::string& prefix) {
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (std::chrono::steady_clock::now() < deadline) {
            while (process_.canReadLine()) {
                std::string line = process_.readLine().trimmed().toStdString();
                lines_.push_back(line);
                if (line.rfind(prefix, 0) == 0) return line;
            }
            if (process_.state() == QProcess::NotRunning) return std::nullopt;
            process_.waitForReadyRead(100);
        }
        return std::nullopt;
    }
    void send(const std::string& line) { process_.write((line + "\n").c_str()); }
    // Waits for the end; all lines read.
    bool finish() {
        const bool finished = process_.waitForFinished(60000);
        while (process_.canReadLine()) lines_.push_back(process_.readLine().trimmed().toStdString());
        return finished && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    QProcess process_;
    std::vector<std::string> lines_;
};

int Code(const std::string& line) { return std::stoi(line.substr(0, line.find(' '))); }

TEST(PlayerProbe, PrintsEveryCallbackAndTakesCommands) {
    const SampleCard& card = SampleCard::get();
    const auto [front, rear] = card.pair(0);
    Probe probe({QString::fromStdString(front), QString::fromStdString(rear)});
    const auto frame = probe.lineStartingWith("6 ");
    ASSERT_TRUE(frame);
    EXPECT_NE(frame->find("bytes=1228800"), std::string::npos) << *frame;
    EXPECT_NE(frame->find("ch2=set"), std::string::npos) << *frame;
    probe.send("seek 3.00 2");
    EXPECT_TRUE(probe.lineStartingWith("6 pos=3.00"));
    probe.send("quit");
    ASSERT_TRUE(probe.finish());

    const auto& lines = probe.lines();
    EXPECT_EQ(lines.front(), "21");
    const std::string count = "23 count=" + std::to_string(card.entries());
    const std::string length = "14 length=" + std::to_string(card.seconds()) + ".00";
    EXPECT_NE(std::find(lines.begin(), lines.end(), count), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), length), lines.end());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "22");
    EXPECT_EQ(lines.back(), "16");
    for (const std::string& line : lines) EXPECT_NO_THROW(Code(line)) << line;
}

TEST(PlayerProbe, AnswersTheSlotsFromItsOptions) {
    const SampleCard& card = SampleCard::get();
    Probe probe({"--channels", "1", "--volume", "40", "--quit-at-end", "--main-window",
                 QString::fromStdString(card.path(card.single(0)))});
    ASSERT_TRUE(probe.finish());
    const auto& lines = probe.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "34 channels=1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "30 volume=40"), lines.end());
    const auto main = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("10 ", 0) == 0; });
    ASSERT_NE(main, lines.end());
    EXPECT_NE(*main, "10 hwnd=0") << "a real main window";
    int frames = 0;
    for (const std::string& line : lines)
        if (line.rfind("6 ", 0) == 0) {
            ++frames;
            EXPECT_NE(line.find("ch2=null"), std::string::npos) << line;
        }
    EXPECT_GT(frames, 60);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "20"), lines.end());
}

TEST(PlayerProbe, StopFlagAndBenchmark) {
    const auto [front, rear] = SampleCard::get().pair(1);
    Probe stopped({"--stop-after", "3", QString::fromStdString(front), QString::fromStdString(rear)});
    ASSERT_TRUE(stopped.finish());
    EXPECT_EQ(stopped.lines().back(), "16");
    EXPECT_EQ(std::find(stopped.lines().begin(), stopped.lines().end(), "22"), stopped.lines().end());

    Probe benchmark({"--benchmark", QString::fromStdString(front), QString::fromStdString(rear)});
    const auto figures = benchmark.lineStartingWith("benchmark ");
    ASSERT_TRUE(figures);
    const int pictures = SampleCard::get().plan().options.frames();
    EXPECT_NE(figures->find(" pictures1=" + std::to_string(pictures) + " pictures2=" + std::to_string(pictures)),
              std::string::npos)
        << *figures;
    EXPECT_NE(figures->find(" total_fps="), std::string::npos) << *figures;
    EXPECT_TRUE(benchmark.finish());
}

// A user with a comma-decimal locale: every line keeps its decimal points, so that the lines can
// be read back, and a seek typed with a decimal point still works.
TEST(PlayerProbe, LinesKeepDecimalPointsInACommaDecimalLocale) {
    ASSERT_TRUE(tripdesk::test::UseCommaDecimalLocale()) << "run scripts/bootstrap to generate the locale";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", tripdesk::test::kCommaDecimalLocale);
    const SampleCard& card = SampleCard::get();
    const auto [front, rear] = card.pair(0);
    Probe probe({"--times", QString::fromStdString(front), QString::fromStdString(rear)}, environment);
    const auto length = probe.lineStartingWith("14 ");
    ASSERT_TRUE(length);
    EXPECT_EQ(length->rfind("14 length=" + std::to_string(card.seconds()) + ".00 t=", 0), 0u) << *length;
    probe.send("seek 2.50 2");
    const auto frame = probe.lineStartingWith("6 pos=2.50 ");
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::count(frame->begin(), frame->end(), ','), 1) << "only the picture numbers' comma: " << *frame;
    probe.send("quit");
    EXPECT_TRUE(probe.finish());
}

} // namespace
} // namespace vexplayer::testing
