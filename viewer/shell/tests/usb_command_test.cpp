// The USB command of the main window: one tool window, beside the main window, kept until the
// main window goes.

#include <QPointer>

#include "main_window_harness.h"
#include "shell/main_window_ids.h"
#include "usbconfig/usb_tool_popup.h"

namespace shell::test {
namespace {

TEST_F(ShellTest, UsbCommandMakesOneToolWindowAndShowsItAgain) {
    QPointer<usbconfig::UsbToolPopup> tool;
    {
        MainWindowHarness ui;
        // The button is hidden; the command still arrives as a message.
        const auto usbCommand = [&] {
            platform::SendMessage(ui.dialog.hwnd(), platform::WM_COMMAND,
                                  platform::MAKEWPARAM(IDC_USB, platform::BN_CLICKED), 0);
        };
        EXPECT_EQ(ui.dialog.usbToolPopup(), nullptr);
        usbCommand();
        tool = ui.dialog.usbToolPopup();
        ASSERT_NE(tool, nullptr);
        EXPECT_TRUE(tool->isVisible());
        const QRect main = ui.dialog.mainPlacement();
        EXPECT_EQ(tool->geometry(), QRect(main.x() + 324, main.y() + 263, 427, 424));
        EXPECT_EQ(tool->parentWidget(), &ui.dialog);

        tool->item<QAbstractButton>(platform::IDCANCEL)->click();
        EXPECT_FALSE(tool->isVisible());
        tool->move(5, 5);
        usbCommand();
        EXPECT_EQ(ui.dialog.usbToolPopup(), tool.data()) << "not made again";
        EXPECT_TRUE(tool->isVisible());
        EXPECT_EQ(tool->pos(), QPoint(5, 5)) << "shown where it was";
        EXPECT_TRUE(messages.empty());
    }
    EXPECT_TRUE(tool.isNull()) << "destroyed with the main window";
}

} // namespace
} // namespace shell::test
