// The video windows follow the viewer: into a video popup and back, and to moved rectangles.

#include <gtest/gtest.h>

#include "platform/messages.h"
#include "player_harness.h"
#include "sample_card.h"

namespace vexplayer::testing {
namespace {

using tripdesk::test::SampleCard;

QRect AsRect(const VideoRect& r) { return QRect(r.x, r.y, r.width, r.height); }

bool IsPlaced(platform::HWND handle, const QWidget* parent, const QRect& rect) {
    const platform::Window* window = platform::FromHandle(handle);
    return window && window->parentWidget() == parent && window->geometry() == rect && window->isVisible();
}

void Refresh(platform::HWND window) {
    platform::SendMessage(window, WM_PLAYERWND_PLACE, 0, 0);
    platform::SendMessage(window, WM_PLAYERWND_SHOW, 0, 0);
}

class VideoWindows : public ::testing::Test {
protected:
    void SetUp() override {
        const auto [front, rear] = SampleCard::get().pair(0);
        player.start(front, rear);
        ASSERT_TRUE(player.waitForEvent(kEventFrame));
    }
    PlayerHarness player;
};

TEST_F(VideoWindows, MoveIntoTheirPopupAndBack) {
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE(channel + 1);
        const platform::HWND video = player.videoWindow(channel);
        const QRect home = AsRect(PlayerHarness::kMainRects.channel[channel]);
        platform::Window* popup = player.createPopup(channel);
        // As the viewer does: the rectangle, then the refresh, and only then the shown flag, all
        // in one message handler.
        Refresh(video);
        player.setPopupShown(channel, true);
        EXPECT_TRUE(WaitUntil([&] { return IsPlaced(video, popup, QRect(5, 35, 640, 480)); }));
        EXPECT_TRUE(WaitUntil([&] { return IsPlaced(player.videoWindow(1 - channel), player.mainWindow(),
                                                           AsRect(PlayerHarness::kMainRects.channel[1 - channel])); }))
            << "the other channel stays";

        Refresh(video);
        player.setPopupShown(channel, false);
        EXPECT_TRUE(WaitUntil([&] { return IsPlaced(video, player.mainWindow(), home); }));
    }
}

TEST_F(VideoWindows, PaintTheNewestPictureScaledToTheirRectangle) {
    platform::Window* video = platform::FromHandle(player.videoWindow(0));
    ASSERT_NE(video, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return video->size() == QSize(480, 360); }));
    QImage shown;
    // The picture is mostly sky and road: anything but black once a frame is painted.
    EXPECT_TRUE(WaitUntil([&] {
        shown = video->grab().toImage();
        return !shown.isNull() && shown.pixelColor(240, 60) != QColor(Qt::black);
    }));
    EXPECT_EQ(shown.size(), QSize(480, 360));
}

TEST_F(VideoWindows, FollowTheirOwnerToNewRectangles) {
    const platform::HWND video = player.videoWindow(0);
    // Knocked out of place; then the viewer moves and tells channel 1's window its owner moved.
    platform::Window* window = platform::FromHandle(video);
    ASSERT_NE(window, nullptr);
    window->MoveWindow(0, 0, 10, 10);
    platform::SendMessage(video, platform::WM_MOVE, 0, 0);
    platform::SendMessage(video, WM_PLAYERWND_OWNERMOVED, 0, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return IsPlaced(video, player.mainWindow(), AsRect(PlayerHarness::kMainRects.channel[0]));
    }));
}

TEST_F(VideoWindows, ADoubleClickAsksTheMainWindowForThatChannelsPopup) {
    for (int channel = 0; channel < 2; ++channel) {
        platform::Window* video = platform::FromHandle(player.videoWindow(channel));
        ASSERT_NE(video, nullptr);
        video->Dispatch(platform::WM_LBUTTONDBLCLK, 0, platform::MAKELPARAM(20, 20));
        const auto asksForPopup = [channel](const tripdesk::test::Message& m) {
            return m.wParam == static_cast<platform::WPARAM>(channel + 1);
        };
        EXPECT_TRUE(WaitUntil([&] {
            const auto requests = player.mainWindow()->Of(WM_PLAYER_POPUP);
            return std::any_of(requests.begin(), requests.end(), asksForPopup);
        })) << "channel " << channel + 1;
    }
}

} // namespace
} // namespace vexplayer::testing
