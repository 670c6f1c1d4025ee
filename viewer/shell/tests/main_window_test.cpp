// Start-up and lifecycle of the main window on the offscreen platform: channel choice, splash,
// the centred skinned window, keys that must not close it, and the close button.

#include <gtest/gtest.h>

#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <optional>

#include "dialog_hooks.h"
#include "gui_support.h"
#include "platform/bitmap_button.h"
#include "platform/clock.h"
#include "platform/displays.h"
#include "resources/resources.h"
#include "settings/dialog_channel.h"
#include "shell/tripdesk_app.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_ctrl_base.h"
#include "platform/single_instance.h"

using settings::CDialogChannel;
using shell::CTripDeskDlg;
using tripdesk::test::PressKey;
using tripdesk::test::WhenModal;

namespace {

// Records where the window stood while the splash was painted.
class SplashWatcher : public QObject {
public:
    explicit SplashWatcher(CTripDeskDlg& dialog) : dialog_(dialog) { dialog.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !dialog_.started()) {
            geometries.push_back(dialog_.geometry());
            if (firstPaintTick == 0) firstPaintTick = platform::TickCount();
        }
        return false;
    }
    std::vector<QRect> geometries;
    std::uint64_t firstPaintTick = 0;

private:
    CTripDeskDlg& dialog_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetClockFastForward(true);
        platform::SetDesktopRectOverride(QRect(0, 0, 1280, 1024));
    }
    void TearDown() override {
        platform::SetDesktopRectOverride(std::nullopt);
    }

    // Runs the main window: Enter at the channel dialog, then scenario once the window has
    // started; the scenario must end the window.
    int RunStarted(CTripDeskDlg& dialog, std::function<void(CTripDeskDlg&)> scenario) {
        WhenModal<CDialogChannel>([](CDialogChannel* d) { PressKey(d, Qt::Key_Return); });
        auto* poll = new QTimer(&dialog);
        QObject::connect(poll, &QTimer::timeout, [poll, &dialog, scenario] {
            if (!dialog.started()) return;
            poll->stop();
            scenario(dialog);
        });
        poll->start(10);
        return dialog.Run();
    }

    tripdesk::test::DialogHooks hooks;
    const std::vector<int>& exitCodes = hooks.exitCodes;
};

QColor PixelAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

TEST_F(MainWindowTest, SplashAtTopLeftThenCentredFullWindow) {
    CTripDeskDlg dialog;
    SplashWatcher watcher(dialog);
    QRect started;
    std::uint64_t startedTick = 0;
    RunStarted(dialog, [&](CTripDeskDlg& d) {
        started = d.geometry();
        startedTick = platform::TickCount();
        d.bitmapButton(1002)->Click();
    });
    ASSERT_FALSE(watcher.geometries.empty());
    EXPECT_EQ(watcher.geometries.front(), QRect(0, 0, 440, 300));
    // Two rounds of nine frames, 100 ms each.
    EXPECT_GE(startedTick - watcher.firstPaintTick, 1800u);
    EXPECT_EQ(started, QRect(130, 122, 1020, 780));
    EXPECT_EQ(dialog.mainPlacement(), QRect(130, 122, 1020, 780));
    EXPECT_EQ(dialog.windowTitle(), "RDX4400_Viewer");
    EXPECT_TRUE(exitCodes.empty());
}

TEST_F(MainWindowTest, NarrowDesktopGivesNegativePlacementUnchanged) {
    platform::SetDesktopRectOverride(QRect(0, 0, 800, 600));
    CTripDeskDlg dialog;
    RunStarted(dialog, [](CTripDeskDlg& d) { d.bitmapButton(1002)->Click(); });
    EXPECT_EQ(dialog.mainPlacement(), QRect(-110, -90, 1020, 780));
}

TEST_F(MainWindowTest, BackBufferHoldsSkinAndNoticeLine) {
    CTripDeskDlg dialog;
    QImage buffer;
    RunStarted(dialog, [&](CTripDeskDlg& d) {
        buffer = d.backBuffer().copy();
        d.bitmapButton(1002)->Click();
    });
    const QImage skin = resources::Bitmap(130);
    ASSERT_EQ(buffer.size(), QSize(1020, 780));
    // Away from anything drawn on top, the back buffer is the skin.
    for (QPoint p : {QPoint(100, 200), QPoint(700, 300), QPoint(50, 10), QPoint(1000, 770)})
        EXPECT_EQ(buffer.pixel(p), skin.pixel(p)) << p.x() << "," << p.y();
    // The notice line: grey text from x = 1020 / 2 - 150 on the line at y 756.
    int grey = 0, left = 1020;
    for (int y = 756; y < 774; ++y)
        for (int x = 300; x < 1020; ++x)
            if (buffer.pixel(x, y) != skin.pixel(x, y)) {
                ++grey;
                left = std::min(left, x);
                const QColor c = PixelAt(buffer, x, y);
                EXPECT_LE(std::abs(c.red() - c.green()) + std::abs(c.green() - c.blue()), 24);
            }
    EXPECT_GT(grey, 50);
    EXPECT_GE(left, 360);
    EXPECT_LE(left, 364);
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseIt) {
    CTripDeskDlg dialog;
    bool stillVisible = false;
    RunStarted(dialog, [&](CTripDeskDlg& d) {
        PressKey(&d, Qt::Key_Return);
        PressKey(&d, Qt::Key_Escape);
        PressKey(&d, Qt::Key_Enter);
        QApplication::processEvents();
        stillVisible = d.isVisible() && d.InModalLoop();
        d.bitmapButton(1002)->Click();
    });
    EXPECT_TRUE(stillVisible);
}

TEST_F(MainWindowTest, ButtonsArePlacedAndThreeStayHidden) {
    CTripDeskDlg dialog;
    RunStarted(dialog, [&](CTripDeskDlg& d) {
        EXPECT_EQ(d.GetDlgItem(1011)->geometry(), QRect(283, 531, 40, 40));
        EXPECT_EQ(d.GetDlgItem(1002)->geometry(), QRect(950, 1, 45, 25));
        EXPECT_EQ(d.GetDlgItem(1241)->geometry(), QRect(881, 525, 105, 22));
        EXPECT_EQ(d.GetDlgItem(1094)->geometry(), QRect(34, 503, 80, 20));
        for (int id : {1003, 1005, 1008}) {
            auto* button = d.bitmapButton(id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_FALSE(button->isVisible()) << id;
        }
        EXPECT_FALSE(d.GetDlgItem(1003)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1005)->isEnabled());
        d.bitmapButton(1002)->Click();
    });
}

TEST_F(MainWindowTest, CloseButtonEndsTheRun) {
    CTripDeskDlg dialog;
    const int result = RunStarted(dialog, [](CTripDeskDlg& d) { d.bitmapButton(1002)->Click(); });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(exitCodes.empty());
}

TEST_F(MainWindowTest, SystemCloseRunsTheCloseCommand) {
    CTripDeskDlg dialog;
    const int result = RunStarted(dialog, [](CTripDeskDlg& d) { d.close(); });
    EXPECT_EQ(result, platform::IDOK);
}

TEST_F(MainWindowTest, EscapeAtChannelDialogEndsWithCodeZeroBeforeTheWindowShows) {
    CTripDeskDlg dialog;
    bool everShown = false;
    WhenModal<CDialogChannel>([&](CDialogChannel* d) {
        everShown = dialog.isVisible();
        PressKey(d, Qt::Key_Escape);
    });
    dialog.Run();
    EXPECT_EQ(exitCodes, std::vector<int>{0});
    EXPECT_FALSE(everShown);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.started());
}

} // namespace

namespace {

// A program run as the user starts it: the lock is given up before the window object goes.
TEST_F(MainWindowTest, ShutdownReleasesTheInstanceLockBeforeTheWindowIsDestroyed) {
    std::optional<bool> lockHeldAtDestruction;
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<CTripDeskDlg*>(widget);
            if (!dialog || !dialog->started()) continue;
            poll->stop();
            QObject::connect(dialog, &QObject::destroyed, [&] {
                lockHeldAtDestruction = platform::NamedMutex(shell::kInstanceMutex).alreadyExists();
            });
            dialog->bitmapButton(1002)->Click();
            return;
        }
    });
    poll->start(10);
    WhenModal<CDialogChannel>([](CDialogChannel* d) { PressKey(d, Qt::Key_Return); });
    shell::CTripDeskApp app;
    EXPECT_FALSE(app.InitInstance());
    delete poll;
    ASSERT_TRUE(lockHeldAtDestruction.has_value());
    EXPECT_FALSE(*lockHeldAtDestruction);
}

TEST_F(MainWindowTest, TelemetryControlsCarryTheirChildIds) {
    CTripDeskDlg dialog;
    RunStarted(dialog, [](CTripDeskDlg& d) {
        // In creation order: volume bar, progress bar, GPS panel, G-sensor graph, title.
        std::vector<int> ids;
        for (QObject* child : d.children())
            if (auto* control = dynamic_cast<telemetry::CDrawCtrlBase*>(child)) ids.push_back(control->ControlId());
        EXPECT_EQ(ids, (std::vector<int>{120, 130, 110, 120, 130}));
        d.bitmapButton(1002)->Click();
    });
}

} // namespace
