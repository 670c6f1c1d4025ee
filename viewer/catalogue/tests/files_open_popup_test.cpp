#include "catalogue/files_open_popup.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <cstdio>
#include <deque>

#include "catalogue/catalogue_messages.h"
#include "catalogue/file_list_page.h"
#include "dialog_hooks.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/displays.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "card_names.h"
#include "recording_files.h"
#include "sample_card.h"

namespace catalogue {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr const char* kNoFileSelected = "선택된 파일이 없습니다.";
constexpr const char* kNoFolderChosen = "파일이 위치해 있는 디렉토리 선택이 되어 있지 않습니다.";
constexpr const char* kChoiceCancelled = "파일 선택을 취소하였습니다.";

// The main window's side: on WM_FILES_ADD it reads the window's selection at once, as its play
// list does; on WM_FILES_POPUP_CLOSED it destroys the window.
class OwnerWindow : public platform::Window {
public:
    struct Addition {
        platform::WPARAM count;
        platform::LPARAM lParam;
        RecordingKind kind;
        Names paths;
    };

    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override {
        if (msg == WM_FILES_ADD) {
            Addition addition{wParam, lParam, popup->SelectionKind(), {}};
            for (platform::WPARAM i = 0; i < wParam; ++i) addition.paths.push_back(popup->SelectedPath(i));
            additions.push_back(addition);
            return 1;
        }
        if (msg == WM_FILES_POPUP_CLOSED) {
            closes.emplace_back(wParam, lParam);
            popupHiddenWhenClosed = !popup->isVisible();
            delete popup;
            popup = nullptr;
            return 0;
        }
        return platform::Window::WindowProc(msg, wParam, lParam);
    }

    FilesOpenPopup* popup = nullptr;
    std::vector<Addition> additions;
    std::vector<std::pair<platform::WPARAM, platform::LPARAM>> closes;
    bool popupHiddenWhenClosed = false;
};

class FilesOpenPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetAppProfile("DezovIri_DOZI", "RDX4400 Viewer");
        platform::RegistryStore::Default().DeleteValue(
            platform::Hive::CurrentUser, profile().sectionKey("KX_310T_Data"), "Folder_Path");
        platform::SetFolderBrowserHook([this](const platform::FolderBrowseRequest& request) {
            browseRequests.push_back(request);
            std::optional<std::string> answer;
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            }
            return answer;
        });
        platform::SetDesktopRectOverride(QRect(0, 0, 1280, 1024));
        owner.resize(200, 100);
        owner.show();
        owner.popup = new FilesOpenPopup(owner.hwnd(), &owner);
        popup().ShowForChannelMode(2);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup()));
    }

    void TearDown() override {
        delete owner.popup;
        platform::SetFolderBrowserHook(nullptr);
        platform::SetDesktopRectOverride(std::nullopt);
    }

    static platform::AppProfile& profile() { return platform::AppProfileInstance(); }
    FilesOpenPopup& popup() { return *owner.popup; }
    void click(int id) { popup().item<QPushButton>(id)->click(); }
    void chooseFolder(std::optional<std::string> answer) {
        answers.push_back(std::move(answer));
        click(1245);
    }
    void clickTab(int index) {
        auto* bar = popup().findChild<QTabBar*>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void tick(RecordingKind kind, int line) {
        popup().Page(kind).checkList()->list()->item(line)->setCheckState(Qt::Checked);
    }
    std::string folderText() { return popup().GetDlgItemText(1244); }
    Names lines(RecordingKind kind) {
        Names out;
        for (int i = 0; i < popup().Page(kind).LineCount(); ++i) out.push_back(popup().Page(kind).LineText(i));
        return out;
    }
    static std::string counter(int ticked, std::size_t lines) {
        char text[32];
        std::snprintf(text, sizeof text, "[ %03d / %03zu ]", ticked, lines);
        return text;
    }
    static Names withFolder(const fs::path& folder, const Names& names) {
        Names paths;
        for (const std::string& name : names) paths.push_back((folder / name).string());
        return paths;
    }

    const tripdesk::test::SampleCard& card = tripdesk::test::SampleCard::get();
    OwnerWindow owner;
    tripdesk::test::DialogHooks hooks;  // the window's message boxes
    const Names& messages = hooks.messages;
    std::deque<std::optional<std::string>> answers;
    std::vector<platform::FolderBrowseRequest> browseRequests;
};

TEST_F(FilesOpenPopupTest, OpensCentredWithTheContinuousTab) {
    EXPECT_EQ(popup().pos(), QPoint((1280 - 360) / 2, (1024 - 448) / 2));
    EXPECT_EQ(popup().size(), QSize(355, 404));
    EXPECT_EQ(popup().ChannelMode(), 2);
    auto* bar = popup().findChild<QTabBar*>();
    ASSERT_EQ(bar->count(), 2);
    EXPECT_EQ(bar->tabText(0), QString::fromUtf8("상시파일"));
    EXPECT_EQ(bar->tabText(1), QString::fromUtf8("이벤트파일"));
    // The tabs are drawn above the page, not covered by it.
    EXPECT_EQ(bar->height(), bar->sizeHint().height());
    EXPECT_GT(popup().Page(RecordingKind::Infinity).y(), bar->geometry().bottom());
    EXPECT_EQ(popup().CurrentKind(), RecordingKind::Infinity);
    EXPECT_TRUE(popup().Page(RecordingKind::Infinity).isVisible());
    EXPECT_FALSE(popup().Page(RecordingKind::Event).isVisible());
    EXPECT_EQ(folderText(), "");

    // Shown again while open: the new channel mode, still the same window.
    popup().ShowForChannelMode(1);
    EXPECT_EQ(popup().ChannelMode(), 1);
    EXPECT_TRUE(popup().isVisible());
    EXPECT_EQ(popup().pos(), QPoint(460, 288));
}

TEST_F(FilesOpenPopupTest, ChosenFolderIsListedTickedAndHandedToTheOwner) {
    chooseFolder(card.folder().string());
    const Names expected = test::ExpectedNames(card.plan(), samplecard::RecordingKind::Continuous, 2);
    ASSERT_GE(expected.size(), 3u);
    EXPECT_EQ(lines(RecordingKind::Infinity), expected);
    EXPECT_EQ(popup().ListedPaths(RecordingKind::Infinity), withFolder(card.folder(), expected));
    EXPECT_EQ(folderText(), card.folder().string());
    EXPECT_TRUE(messages.empty());

    FileListPage& page = popup().Page(RecordingKind::Infinity);
    QTest::mouseMove(page.checkList()->list()->viewport(), QPoint(30, 30));
    EXPECT_EQ(page.CounterText(), counter(0, expected.size()));

    tick(RecordingKind::Infinity, 2);
    tick(RecordingKind::Infinity, 0);
    EXPECT_EQ(page.CounterText(), counter(2, expected.size()));
    click(1247);
    ASSERT_EQ(owner.additions.size(), 1u);
    const OwnerWindow::Addition& added = owner.additions[0];
    EXPECT_EQ(added.count, 2u);
    EXPECT_EQ(added.lParam, kFilesAddPaths);
    EXPECT_EQ(added.kind, RecordingKind::Infinity);
    EXPECT_EQ(added.paths, withFolder(card.folder(), {expected[0], expected[2]}));
    EXPECT_EQ(popup().SelectedPaths(), added.paths);
    EXPECT_EQ(popup().SelectedPath(2), "");
    EXPECT_TRUE(popup().isVisible());
    EXPECT_TRUE(page.IsTicked(0)) << "ticks stay after adding";

    // The picture the user sees, kept for a look.
    popup().grab().save(QString::fromStdString((fs::path(TRIPDESK_TEST_WORK_DIR) / "files_open_popup.png").string()));
}

TEST_F(FilesOpenPopupTest, AddingWithNothingTickedSendsNothing) {
    click(1247);
    chooseFolder(card.folder().string());
    click(1247);
    EXPECT_EQ(messages, (Names{kNoFileSelected, kNoFileSelected}));
    EXPECT_TRUE(owner.additions.empty());
}

TEST_F(FilesOpenPopupTest, TabsShowTheirOwnPageFolderAndSelection) {
    const fs::path events = test::FreshFolder("event_folder");
    for (const char* name : {"evt2_20110512_093117.mp4", "evt2_20110512_083000.mp4", "drf2_20110512_093015.mp4"})
        test::WriteFile(events / name, test::CompleteRecording());
    chooseFolder(card.folder().string());

    clickTab(1);
    EXPECT_EQ(popup().CurrentKind(), RecordingKind::Event);
    EXPECT_TRUE(popup().Page(RecordingKind::Event).isVisible());
    EXPECT_FALSE(popup().Page(RecordingKind::Infinity).isVisible());
    EXPECT_EQ(folderText(), "") << "no event folder yet";

    chooseFolder(events.string());
    EXPECT_EQ(lines(RecordingKind::Event), (Names{"evt2_20110512_083000.mp4", "evt2_20110512_093117.mp4"}));
    EXPECT_EQ(folderText(), events.string());
    tick(RecordingKind::Event, 1);
    click(1247);
    ASSERT_EQ(owner.additions.size(), 1u);
    EXPECT_EQ(owner.additions[0].kind, RecordingKind::Event);
    EXPECT_EQ(owner.additions[0].paths, Names{(events / "evt2_20110512_093117.mp4").string()});

    clickTab(0);
    EXPECT_EQ(folderText(), card.folder().string());
    EXPECT_TRUE(popup().Page(RecordingKind::Infinity).isVisible());
    EXPECT_FALSE(popup().Page(RecordingKind::Event).isVisible());
}

TEST_F(FilesOpenPopupTest, ASecondFolderIsAppendedWithItsOwnPaths) {
    const fs::path second = test::FreshFolder("second_folder");
    // Sorted within its own batch, listed after the first folder's lines even though it sorts first.
    for (const char* name : {"drf2_20100102_000000.mp4", "drf2_20100101_000000.mp4"})
        test::WriteFile(second / name, test::CompleteRecording());
    chooseFolder(card.folder().string());
    const Names first = test::ExpectedNames(card.plan(), samplecard::RecordingKind::Continuous, 2);
    chooseFolder(second.string() + "/");

    Names all = first;
    all.insert(all.end(), {"drf2_20100101_000000.mp4", "drf2_20100102_000000.mp4"});
    EXPECT_EQ(lines(RecordingKind::Infinity), all);
    Names paths = withFolder(card.folder(), first);
    paths.insert(paths.end(), {(second / "drf2_20100101_000000.mp4").string(),
                               (second / "drf2_20100102_000000.mp4").string()});
    EXPECT_EQ(popup().ListedPaths(RecordingKind::Infinity), paths);
    EXPECT_EQ(folderText(), second.string() + "/");

    tick(RecordingKind::Infinity, static_cast<int>(first.size()));
    tick(RecordingKind::Infinity, 0);
    click(1247);
    ASSERT_EQ(owner.additions.size(), 1u);
    EXPECT_EQ(owner.additions[0].paths, (Names{paths[0], paths[first.size()]}));

    // Nothing new on a tab that lists recordings: no message.
    chooseFolder(test::FreshFolder("empty_folder").string());
    EXPECT_EQ(lines(RecordingKind::Infinity), all);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FilesOpenPopupTest, FailedChoicesExplainThemselves) {
    chooseFolder(std::nullopt);
    chooseFolder(std::string());
    chooseFolder(test::FreshFolder("nothing_here").string());
    EXPECT_EQ(messages, (Names{kChoiceCancelled, kNoFolderChosen, kNoFileSelected}));
    EXPECT_EQ(lines(RecordingKind::Infinity), Names{});
    EXPECT_EQ(folderText(), "");
}

TEST_F(FilesOpenPopupTest, ChosenFolderIsRememberedAsTheNextStart) {
    const std::string second = test::FreshFolder("remembered").string();
    chooseFolder(card.folder().string());
    chooseFolder(std::nullopt);  // a cancel keeps what was remembered
    chooseFolder(second);
    clickTab(1);
    chooseFolder(std::nullopt);

    ASSERT_EQ(browseRequests.size(), 4u);
    std::error_code error;
    EXPECT_EQ(browseRequests[0].title, "폴더 선택");
    EXPECT_EQ(browseRequests[0].currentDir, fs::current_path(error).string());
    EXPECT_EQ(browseRequests[0].startFolder, "");
    EXPECT_EQ(browseRequests[1].startFolder, card.folder().string());
    EXPECT_EQ(browseRequests[2].startFolder, card.folder().string());
    EXPECT_EQ(browseRequests[3].startFolder, second) << "the profile is shared by both tabs";

    // On disk, where the next run reads it.
    platform::RegistryStore reread(platform::RegistryStore::Default().directory());
    EXPECT_EQ(reread.QueryString(platform::Hive::CurrentUser,
                                 "Software\\DezovIri_DOZI\\RDX4400 Viewer\\KX_310T_Data", "Folder_Path"),
              second);
}

TEST_F(FilesOpenPopupTest, OneChannelModeListsTheSingleChannelRecordings) {
    popup().ShowForChannelMode(1);
    chooseFolder(card.folder().string());
    EXPECT_EQ(lines(RecordingKind::Infinity), test::ExpectedNames(card.plan(), samplecard::RecordingKind::Continuous, 1));
    clickTab(1);
    chooseFolder(card.folder().string());
    EXPECT_EQ(lines(RecordingKind::Event), test::ExpectedNames(card.plan(), samplecard::RecordingKind::Event, 1));
}

TEST_F(FilesOpenPopupTest, CloseButtonHidesAndTellsTheOwner) {
    // Enter and Escape do not end the window.
    QTest::keyClick(&popup(), Qt::Key_Escape);
    QTest::keyClick(&popup(), Qt::Key_Return);
    EXPECT_TRUE(popup().isVisible());
    EXPECT_TRUE(owner.closes.empty());

    auto* close = popup().item<QPushButton>(platform::IDCANCEL);
    QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
    ASSERT_EQ(owner.closes.size(), 1u);
    EXPECT_EQ(owner.closes[0], std::make_pair(kFilesPopupClosedWParam, kFilesPopupClosedLParam));
    EXPECT_TRUE(owner.popupHiddenWhenClosed);
    EXPECT_EQ(owner.popup, nullptr) << "the owner destroyed it while handling the message";
    EXPECT_TRUE(owner.additions.empty());
}

} // namespace
} // namespace catalogue
