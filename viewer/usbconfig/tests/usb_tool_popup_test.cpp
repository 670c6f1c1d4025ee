// The USB tool window on the offscreen platform: its pages and tabs, hiding, swallowed keys,
// dragging, and a page's Save followed by "Data Transmission" against the libusb stand-in.

#include <QAbstractButton>
#include <QApplication>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "exchange_test_support.h"
#include "gui_support.h"
#include "platform/controls.h"
#include "platform/registry.h"
#include "record_bytes.h"
#include "resources/resources.h"
#include "usbconfig/device_config_store.h"
#include "usbconfig/usb_tab_page.h"
#include "usbconfig/usb_tool_popup.h"

namespace usbconfig {
namespace {

namespace fs = std::filesystem;
using testing::RecordBytes;

std::string Hex(const DeviceConfig::Bytes& bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

class UsbToolPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = testing::FreshTestFolder();
        registry_ = std::make_unique<platform::RegistryStore>(folder_ / "registry");
        ::setenv("USBFAKE_SCRIPT", (folder_ / "script").c_str(), 1);
        ::setenv("USBFAKE_LOG", (folder_ / "log").c_str(), 1);
    }
    void TearDown() override {
        popup_.reset();
        ::unsetenv("USBFAKE_SCRIPT");
        ::unsetenv("USBFAKE_LOG");
    }

    void StoreRecord(const RecordBytes& bytes) {
        ASSERT_TRUE(registry_->SetBinary(platform::Hive::LocalMachine, DeviceConfigStore::kKey,
                                         DeviceConfigStore::kValueName,
                                         std::vector<std::uint8_t>(bytes.bytes().begin(), bytes.bytes().end())));
    }
    std::optional<std::vector<std::uint8_t>> Stored() {
        platform::RegistryStore reread(folder_ / "registry");
        return reread.QueryBinary(platform::Hive::LocalMachine, DeviceConfigStore::kKey, DeviceConfigStore::kValueName);
    }

    UsbToolPopup& Open(const char* library = "libusbfake-0.1.so") {
        popup_ = std::make_unique<UsbToolPopup>(nullptr, *registry_, library);
        popup_->Place(100, 50);
        popup_->ShowWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(popup_.get()));
        return *popup_;
    }
    void Press(int id) { popup_->item<QAbstractButton>(id)->click(); }

    fs::path folder_;
    std::unique_ptr<platform::RegistryStore> registry_;
    std::unique_ptr<UsbToolPopup> popup_;
    testing::BoxRecorder boxes_;
};

TEST_F(UsbToolPopupTest, MadeWithSixPagesFromTheStoredRecord) {
    StoreRecord(RecordBytes().Set(0, 2).Set(88, 1));
    UsbToolPopup popup(nullptr, *registry_, "libusbfake-0.1.so");
    EXPECT_FALSE(popup.isVisible()) << "made hidden";
    EXPECT_EQ(popup.size(), QSize(427, 424));
    EXPECT_EQ(RecordBytes(popup.record()).Word(0), 2);
    EXPECT_EQ(popup.GetDlgItemText(platform::IDOK), "Data Transmission");
    EXPECT_EQ(popup.GetDlgItemText(platform::IDCANCEL), "Cancle");
    EXPECT_EQ(popup.GetDlgItemText(UsbToolPopup::kExitId), "Exit");
    EXPECT_EQ(popup.font().pixelSize(), 13);

    auto* tabs = popup.item<platform::TabControl>(UsbToolPopup::kTabsId);
    ASSERT_NE(tabs, nullptr);
    auto* bar = tabs->findChild<QTabBar*>();
    const char* captions[] = {"Recorder", "RecSet", "Viewer", "Display", "Setting", "Etc"};
    const int dialogs[] = {286, 287, 288, 290, 291, 292};
    ASSERT_EQ(bar->count(), 6);
    for (int tab = 0; tab < 6; ++tab) {
        SCOPED_TRACE(tab);
        EXPECT_EQ(bar->tabText(tab).toStdString(), captions[tab]);
        UsbTabPage& page = popup.Page(tab);
        EXPECT_EQ(page.spec().dialogId, dialogs[tab]);
        EXPECT_EQ(page.parentWidget(), tabs);
        EXPECT_EQ(page.geometry(), QRect(5, 25, tabs->width() - 10, tabs->height() - 30));
        EXPECT_EQ(page.isHidden(), tab != 0);
    }
    EXPECT_EQ(popup.CurrentTab(), 0);
    // The pages show the registry's state.
    EXPECT_TRUE(popup.Page(0).IsDlgButtonChecked(1093));
    EXPECT_TRUE(popup.Page(2).IsDlgButtonChecked(1143));

    // The client area is black.
    const QImage& surface = popup.surface();
    EXPECT_EQ(surface.size(), QSize(427, 424));
    EXPECT_EQ(surface.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(surface.pixel(426, 423), qRgb(0, 0, 0));
}

TEST_F(UsbToolPopupTest, WithoutAStoredValueTheRecordIsZero) {
    UsbToolPopup& popup = Open();
    EXPECT_EQ(popup.record(), DeviceConfig{});
    EXPECT_FALSE(popup.Page(0).IsDlgButtonChecked(1109));
    EXPECT_FALSE(popup.Page(0).IsDlgButtonChecked(1093));
    EXPECT_EQ(Stored(), std::nullopt) << "opening writes nothing";
}

TEST_F(UsbToolPopupTest, CancleAndExitHideItAndShowingBringsItBack) {
    UsbToolPopup& popup = Open();
    EXPECT_EQ(popup.pos(), QPoint(100 + 324, 50 + 263));
    Press(platform::IDCANCEL);
    EXPECT_FALSE(popup.isVisible());
    popup.ShowWindow();
    EXPECT_TRUE(popup.isVisible());
    Press(UsbToolPopup::kExitId);
    EXPECT_FALSE(popup.isVisible());
    popup.ShowWindow();
    EXPECT_TRUE(popup.isVisible());
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(UsbToolPopupTest, KeysNeitherCloseNorConfirm) {
    UsbToolPopup& popup = Open();
    popup.activateWindow();
    auto* radio = popup.Page(0).item<QRadioButton>(1110);
    radio->setFocus();
    ASSERT_TRUE(tripdesk::test::WaitUntil([&] { return radio->hasFocus(); }));
    QTest::keyClick(radio, Qt::Key_Escape);
    QTest::keyClick(radio, Qt::Key_Return);
    QTest::keyClick(radio, Qt::Key_F4);
    QTest::keyClick(radio, Qt::Key_F4, Qt::AltModifier);
    auto* transmit = popup.item<QAbstractButton>(platform::IDOK);
    transmit->setFocus();
    QTest::keyClick(transmit, Qt::Key_Return);
    QTest::keyClick(transmit, Qt::Key_Enter);
    QTest::keyClick(&popup, Qt::Key_Escape);
    QTest::keyClick(&popup, Qt::Key_F4, Qt::AltModifier);
    popup.close();   // the system's close request
    QApplication::processEvents();
    EXPECT_TRUE(popup.isVisible());
    EXPECT_TRUE(boxes_.boxes.empty()) << "Enter did not transmit";
    EXPECT_FALSE(fs::exists(folder_ / "log"));
    EXPECT_EQ(Stored(), std::nullopt);
}

TEST_F(UsbToolPopupTest, ChangingTheTabSwapsThePages) {
    UsbToolPopup& popup = Open();
    auto* bar = popup.item<platform::TabControl>(UsbToolPopup::kTabsId)->findChild<QTabBar*>();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(4).center());
    EXPECT_EQ(popup.CurrentTab(), 4);
    EXPECT_TRUE(popup.Page(4).isVisible());
    EXPECT_FALSE(popup.Page(0).isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(popup.CurrentTab(), 1);
    for (int tab = 0; tab < 6; ++tab) EXPECT_EQ(popup.Page(tab).isVisible(), tab == 1) << tab;
}

TEST_F(UsbToolPopupTest, PressingTheClientAreaDragsTheWindow) {
    UsbToolPopup& popup = Open();
    const QPoint start = popup.pos();
    QTest::mousePress(&popup, Qt::LeftButton, {}, QPoint(380, 15));
    EXPECT_TRUE(popup.Dragging());
    EXPECT_TRUE(popup.HasCapture());
    QTest::mouseMove(&popup, QPoint(410, 35));
    EXPECT_EQ(popup.pos(), start + QPoint(30, 20));
    // The window moved: the same screen point is now 30, 20 nearer its corner.
    QTest::mouseMove(&popup, QPoint(380 + 10 - 30, 15 + 5 - 20));
    EXPECT_EQ(popup.pos(), start + QPoint(10, 5));
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, QPoint(360, 0));
    EXPECT_FALSE(popup.Dragging());
    EXPECT_FALSE(popup.HasCapture());
    QTest::mouseMove(&popup, QPoint(200, 200));
    EXPECT_EQ(popup.pos(), start + QPoint(10, 5));
}

TEST_F(UsbToolPopupTest, SavedPageGoesOutAndTheAnswerIsStoredButNotShown) {
    const RecordBytes stored = RecordBytes().Set(0, 2).Set(92, 1).Set(320, 0x0BADCAFE);
    StoreRecord(stored);
    RecordBytes answer;
    answer.Fill(0, 335, 0x21).Set(0, 1).Set(92, 5);
    testing::WriteFile(folder_ / "answer", answer.Text());
    testing::WriteFile(folder_ / "script", "device 001 002 09fa 6711\nanswer " + (folder_ / "answer").string() + "\n");

    UsbToolPopup& popup = Open();
    UsbTabPage& display = popup.Page(3);
    display.item<QAbstractButton>(1145)->click();   // LCD TPMS
    display.item<QAbstractButton>(platform::IDOK)->click();
    Press(platform::IDOK);

    RecordBytes sent = stored;
    sent.Set(92, 4).Set(96, 0).Set(100, 0).Set(104, 0);
    const std::string log = testing::ReadFile(folder_ / "log");
    EXPECT_NE(log.find("usb_bulk_write 001/002 3 336 5000 " + Hex(sent.bytes()) + "\n"), std::string::npos) << log;
    EXPECT_EQ(Stored(), std::vector<std::uint8_t>(answer.bytes().begin(), answer.bytes().end()));
    EXPECT_EQ(popup.record().toBytes(), answer.bytes());
    // The pages keep what they showed.
    EXPECT_TRUE(popup.Page(0).IsDlgButtonChecked(1093));
    EXPECT_TRUE(display.IsDlgButtonChecked(1145));
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(UsbToolPopupTest, NoRecorderShowsTheBoxOverTheWindowAndStoresTheRecord) {
    const RecordBytes stored = RecordBytes().Set(0, 1).Set(120, 2011);
    StoreRecord(stored);
    testing::WriteFile(folder_ / "script", "device 001 002 09fa 6712\n");
    UsbToolPopup& popup = Open();
    ::testing::internal::CaptureStdout();
    Press(platform::IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "error: device not found!\n");
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "Device not found.\n");
    EXPECT_EQ(boxes_.boxes[0].caption, resources::String(resources::kAppTitleString));
    EXPECT_EQ(boxes_.boxes[0].parent, &popup);
    EXPECT_EQ(Stored(), std::vector<std::uint8_t>(stored.bytes().begin(), stored.bytes().end()));
    EXPECT_TRUE(popup.isVisible());
}

TEST_F(UsbToolPopupTest, AnUnwritableRegistryIsNotReported) {
    // The registry folder is a plain file: the store cannot be written.
    testing::WriteFile(folder_ / "blocked", "");
    registry_ = std::make_unique<platform::RegistryStore>(folder_ / "blocked" / "registry");
    testing::WriteFile(folder_ / "script", "device 001 002 09fa 6711\n");
    Open();
    Press(platform::IDOK);
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_TRUE(popup_->isVisible());
}

} // namespace
} // namespace usbconfig
