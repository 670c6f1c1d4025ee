// The card format from Clockfix's main window on real card images in a fake drive root: the
// question, the skinned progress window and its reports, the card judged by fsck.fat, fatlabel
// and its boot sector, the debugger output, the worker's re-check of the chosen volume, and the
// window that cannot be dismissed while the format runs.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "clockfix_resources.h"
#include "clockfix_window_fixture.h"
#include "fat_image.h"
#include "format_progress_dlg.h"
#include "gui_support.h"
#include "platform/format_service.h"
#include "skin/skin_lists.h"
#include "skin/skin_progress.h"

namespace clockfix::test {
namespace {

namespace fs = std::filesystem;
using tripdesk::test::JudgeCardImage;
using tripdesk::test::MakeCardImage;
using tripdesk::test::ReadWhole;

constexpr std::uint64_t kMiB = 1u << 20;
const std::string kMarker = "CLOCKFIX-MARKER drf2_20240101_120000.mp4 index";
const std::vector<int> kDefaultLevels = {0, 1, 1, 0};   // quality 3, sensitivity 2, sound 2, frame 3

// The standard error (the debugger output) into a file while alive.
class DebuggerOutput {
public:
    explicit DebuggerOutput(const fs::path& file) : file_(file) {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int fd = ::open(file.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    ~DebuggerOutput() { restore(); }
    std::vector<std::string> lines() {
        restore();
        std::vector<std::string> lines;
        std::istringstream text(ReadWhole(file_));
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }

private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }
    fs::path file_;
    int saved_ = -1;
};

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class EventWatch : public QObject {
public:
    explicit EventWatch(std::function<void()> onEvent) : onEvent_(std::move(onEvent)) {}
    bool eventFilter(QObject*, QEvent*) override {
        onEvent_();
        return false;
    }

private:
    std::function<void()> onEvent_;
};

// What the progress window showed, seen from its event loop and from the message boxes it opened.
struct ProgressSeen {
    std::vector<int> bar;                // every new bar position
    std::vector<std::string> labels;     // label 1058 at each new position
    std::string labelAtMessage;          // label 1058 when the last message box showed
    int barAtMessage = -1;
    std::string title;
    bool shown = false;
};

class ClockfixFormat : public ClockfixWindow {
protected:
    ClockfixFormat() {
        platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& request) {
            boxes.push_back({request.text, request.caption});
            if (request.type == platform::MB_YESNO) return answer;
            if (auto* progress = dynamic_cast<CFormatProgressDlg*>(request.parent)) {
                messageFromProgressWindow = true;
                seen.labelAtMessage = progress->GetDlgItemText(IDC_PROGRESS_LABEL);
                seen.barAtMessage = progress->bar() ? progress->bar()->GetPos() : -1;
            }
            return platform::IDOK;
        });
        images_ = fake.folder("images");
    }
    ~ClockfixFormat() override { platform::SetFormatExLookupHook(nullptr); }

    // A card reader's volume mounted from an image file, listed with this label.
    std::string plugImageCard(const std::string& name, const std::string& label, const fs::path& image,
                              bool ramDisk = false) {
        const int n = images++;
        const std::string disk = ramDisk ? "ram" + std::to_string(n) : "sd" + std::string(1, static_cast<char>('p' + n));
        const std::string number = ramDisk ? "1:" + std::to_string(n) : "8:" + std::to_string(240 + 16 * n);
        std::string volume = number;
        if (ramDisk) {
            fake.disk(disk, number, "0");
        } else {
            volume = "8:" + std::to_string(240 + 16 * n + 1);
            fake.disk(disk, number, "1", {{disk + "1", volume}});
        }
        fake.udev(volume, "E:ID_FS_LABEL_ENC=" + label + "\n");
        udevNumbers_.push_back(volume);
        const std::string mountPoint = fake.folder("media/kim/" + name);
        fake.mount(volume, "/", mountPoint, "vfat", image.string());
        return mountPoint;
    }
    void relabel(std::size_t card, const std::string& label) { fake.udev(udevNumbers_[card], "E:ID_FS_LABEL_ENC=" + label + "\n"); }

    fs::path image(const std::string& name) const { return fs::path(images_) / name; }

    // Starts the main window with the card selected.
    std::unique_ptr<CClockfixDlg> startOn(const std::string& mountPoint) {
        auto dialog = start();
        const auto& points = dialog->mountPoints();
        const auto at = std::find(points.begin(), points.end(), mountPoint);
        EXPECT_NE(at, points.end());
        dialog->driveList()->SetCurSel(static_cast<int>(at - points.begin()));
        return dialog;
    }

    // Presses 1020 and watches the progress window while the format runs: before every event
    // of the run (each posted report is one), so that no bar position goes unseen.
    void pressFormat(CClockfixDlg& dialog, const std::function<void(CFormatProgressDlg&)>& whileShown = {}) {
        EventWatch watch([this] { observe(); });
        QApplication::instance()->installEventFilter(&watch);
        QTimer act;
        act.setInterval(1);
        bool acted = false;
        QObject::connect(&act, &QTimer::timeout, [&] {
            auto* progress = qobject_cast<CFormatProgressDlg*>(QApplication::activeModalWidget());
            if (acted || !progress || !progress->isVisible()) return;
            acted = true;
            if (whileShown) whileShown(*progress);
        });
        act.start();
        QTest::mouseClick(dialog.GetDlgItem(IDC_FORMAT), Qt::LeftButton);
        act.stop();
        QApplication::instance()->removeEventFilter(&watch);
    }

    void observe() {
        auto* progress = qobject_cast<CFormatProgressDlg*>(QApplication::activeModalWidget());
        if (!progress || !progress->isVisible() || !progress->bar()) return;
        if (!seen.shown) {
            seen.shown = true;
            seen.title = progress->titleText();
        } else if (progress->bar()->GetPos() == seen.bar.back()) {
            return;
        }
        seen.bar.push_back(progress->bar()->GetPos());
        seen.labels.push_back(progress->GetDlgItemText(IDC_PROGRESS_LABEL));
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const ShownBox& box : boxes) texts.push_back(box.text);
        return texts;
    }

    int answer = platform::IDYES;
    ProgressSeen seen;
    // The last message box belonged to the progress window (seen even when it closes too fast for
    // the watch).
    bool messageFromProgressWindow = false;

private:
    std::string images_;
    std::vector<std::string> udevNumbers_;
    int images = 0;
};

const std::string kQuestion = clockfix_res::String(IDS_FORMAT_QUESTION);
const std::string kFinished = clockfix_res::String(IDS_FORMAT_DONE);
const std::string kError = clockfix_res::String(IDS_FORMAT_ERROR);

TEST_F(ClockfixFormat, YesFormatsTheCardFat32LabelledKx310tWithAMovingBar) {
    const fs::path card = image("card.img");
    ASSERT_TRUE(MakeCardImage(card, 64 * kMiB, 16, "MAKER", kMarker));
    const std::string mountPoint = plugImageCard("MAKER", "MAKER", card);
    WriteByte(mountPoint, "setquality.dat", "\x01");
    WriteByte(mountPoint, "setframe.dat", "\x01");
    auto dialog = startOn(mountPoint);
    ASSERT_NE(CheckedLevels(*dialog), kDefaultLevels);

    DebuggerOutput output(fs::path(fake.folder("logs")) / "stderr.txt");
    pressFormat(*dialog);
    const std::vector<std::string> lines = output.lines();

    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kFinished}));
    EXPECT_EQ(boxes[0].caption, kMessageCaption);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "초기화중...");
    EXPECT_EQ(seen.bar.front(), 0);
    EXPECT_EQ(seen.labels.front(), "진행상황");
    EXPECT_TRUE(std::is_sorted(seen.bar.begin(), seen.bar.end()));
    EXPECT_GT(seen.bar.size(), 10u) << "the bar moves while the card is zeroed";
    EXPECT_EQ(seen.labels[1], "포맷중") << "from the first report";
    EXPECT_EQ(seen.labelAtMessage, "완료");
    EXPECT_EQ(seen.barAtMessage, 100);
    EXPECT_EQ(CheckedLevels(*dialog), kDefaultLevels);
    EXPECT_EQ(dialog->recorderValues().quality, 3);
    EXPECT_EQ(dialog->recorderValues().frame, 3);

    const auto verdict = JudgeCardImage(card);
    EXPECT_TRUE(verdict.fsckClean);
    EXPECT_EQ(verdict.label, "KX-310T");
    EXPECT_EQ(verdict.fatKind, "FAT32   ");
    EXPECT_EQ(ReadWhole(card).find(kMarker), std::string::npos);
    EXPECT_TRUE(Holds(lines, "[11]"));
    EXPECT_TRUE(Holds(lines, "[100]"));
    EXPECT_TRUE(Holds(lines, "OutPut"));
    EXPECT_TRUE(Holds(lines, "[14]"));
}

TEST_F(ClockfixFormat, NoLeavesTheCardAsItWasAndOpensNoWindow) {
    const fs::path card = image("card.img");
    ASSERT_TRUE(MakeCardImage(card, 64 * kMiB, 16, "MAKER", kMarker));
    const std::string before = ReadWhole(card);
    auto dialog = startOn(plugImageCard("MAKER", "MAKER", card));

    answer = platform::IDNO;
    pressFormat(*dialog);

    EXPECT_EQ(boxTexts(), std::vector<std::string>{kQuestion});
    EXPECT_FALSE(seen.shown);
    EXPECT_FALSE(messageFromProgressWindow);
    EXPECT_TRUE(ReadWhole(card) == before);
}

// Each ends with message 126 and the image as it was.
TEST_F(ClockfixFormat, AVolumeThatIsNoLongerTheChosenCardIsNotFormatted) {
    const fs::path relabelled = image("relabelled.img");
    const fs::path ram = image("ram.img");
    ASSERT_TRUE(MakeCardImage(relabelled, 16 * kMiB, 16, "MAKER", kMarker));
    ASSERT_TRUE(MakeCardImage(ram, 16 * kMiB, 16, "MAKER", kMarker));
    const std::string relabelledBefore = ReadWhole(relabelled);
    const std::string ramBefore = ReadWhole(ram);
    const std::string relabelledCard = plugImageCard("MAKER", "MAKER", relabelled);
    const std::string ramCard = plugImageCard("RAM", "RAMDISK", ram, true);

    auto dialog = startOn(relabelledCard);
    relabel(0, "OTHER");
    pressFormat(*dialog);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kError}));
    EXPECT_TRUE(messageFromProgressWindow);
    EXPECT_TRUE(ReadWhole(relabelled) == relabelledBefore);

    boxes.clear();
    seen = {};
    dialog.reset();
    dialog = startOn(ramCard);
    pressFormat(*dialog);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kError})) << "RAM disks are listed, not formatted";
    EXPECT_TRUE(ReadWhole(ram) == ramBefore);
}

TEST_F(ClockfixFormat, AFailingMkfsShowsTheFormatError) {
    const fs::path card = image("tiny.img");
    std::ofstream(card, std::ios::binary).close();
    fs::resize_file(card, 16 * 1024);
    auto dialog = startOn(plugImageCard("TINY", "TINY", card));

    pressFormat(*dialog);

    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kError}));
    EXPECT_NE(seen.barAtMessage, 100);
}

TEST_F(ClockfixFormat, EscapeAltF4AndCloseRequestsLeaveTheFormatRunning) {
    const fs::path card = image("card.img");
    ASSERT_TRUE(MakeCardImage(card, 64 * kMiB, 16, "MAKER"));
    auto dialog = startOn(plugImageCard("MAKER", "MAKER", card));

    bool visibleAfterKeys = false;
    pressFormat(*dialog, [&](CFormatProgressDlg& progress) {
        QTest::keyClick(&progress, Qt::Key_Escape);
        QTest::keyClick(&progress, Qt::Key_Return);
        QTest::keyClick(&progress, Qt::Key_F4, Qt::AltModifier);
        progress.close();
        QCloseEvent request;
        QApplication::sendEvent(&progress, &request);
        visibleAfterKeys = progress.isVisible() && progress.InModalLoop();
    });

    EXPECT_TRUE(visibleAfterKeys);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kFinished}));
    EXPECT_EQ(seen.labelAtMessage, "완료");
    EXPECT_EQ(JudgeCardImage(card).label, "KX-310T");
}

TEST_F(ClockfixFormat, TheWorkerHasEndedWhenTheModalRunReturns) {
    const fs::path card = image("card.img");
    ASSERT_TRUE(MakeCardImage(card, 64 * kMiB, 16, "MAKER"));
    const std::string mountPoint = plugImageCard("MAKER", "MAKER", card);
    const auto target = VolumeNow(mountPoint);
    ASSERT_TRUE(target.has_value());
    int done = 0;
    CFormatProgressDlg progress(*target, [&] { ++done; });
    progress.RunModal();
    EXPECT_FALSE(progress.workerRunning());
    EXPECT_EQ(done, 1);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kFinished});
}

// Each runs in a program of its own (see CMakeLists.txt): the format entry is looked up once per
// run, so these must be the run's first format.
class FirstLookup : public ClockfixFormat {};

TEST_F(FirstLookup, NoFormatServiceShowsTheFormatErrorAndWritesNothing) {
    const fs::path card = image("card.img");
    ASSERT_TRUE(MakeCardImage(card, 16 * kMiB, 16, "MAKER", kMarker));
    const std::string before = ReadWhole(card);
    auto dialog = startOn(plugImageCard("MAKER", "MAKER", card));
    int asked = 0;
    platform::SetFormatExLookupHook([&]() -> platform::FormatExFunction {
        ++asked;
        return nullptr;
    });

    pressFormat(*dialog);

    EXPECT_EQ(asked, 1);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kError}));
    EXPECT_TRUE(ReadWhole(card) == before);
}

void ReturnsWithoutDone(const char*, unsigned, const char*, const char*, bool, unsigned, platform::FormatCallback callback) {
    std::uint32_t percent = 5;
    callback(platform::FMIFS_PROGRESS, 0, &percent);
}

TEST_F(FirstLookup, AServiceThatNeverSaysDoneStillEndsTheWindow) {
    const fs::path card = image("card.img");
    ASSERT_TRUE(MakeCardImage(card, 16 * kMiB, 16, "MAKER", kMarker));
    const std::string before = ReadWhole(card);
    auto dialog = startOn(plugImageCard("MAKER", "MAKER", card));
    platform::SetFormatExLookupHook([] { return &ReturnsWithoutDone; });

    pressFormat(*dialog);

    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kError}));
    EXPECT_TRUE(ReadWhole(card) == before);
}

TEST_F(FirstLookup, ASecondFormatInOneRunFindsTheEntryOnce) {
    const fs::path card = image("card.img");
    ASSERT_TRUE(MakeCardImage(card, 16 * kMiB, 16, "MAKER"));
    auto dialog = startOn(plugImageCard("MAKER", "MAKER", card));
    int asked = 0;
    platform::SetFormatExLookupHook([&]() -> platform::FormatExFunction {
        ++asked;
        return &platform::FormatEx;
    });

    pressFormat(*dialog);
    ASSERT_TRUE(MakeCardImage(card, 16 * kMiB, 16, "MAKER"));
    pressFormat(*dialog);

    EXPECT_EQ(asked, 1);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, kFinished, kQuestion, kFinished}));
    EXPECT_EQ(JudgeCardImage(card).label, "KX-310T");
}

} // namespace
} // namespace clockfix::test
