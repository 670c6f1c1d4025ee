// Folders of the settings window (the profile value "Capture_Path") and of the save-settings
// window, and how both windows draw a folder.

#include "platform/fonts.h"
#include "platform/gdi.h"
#include "popup_pixels.h"
#include "setting_window_fixture.h"

namespace settings::test {
namespace {

namespace fs = std::filesystem;

class SettingFoldersTest : public SettingWindowTest {
protected:
    // The value as the profile's file on disk holds it.
    static std::optional<std::string> StoredCapturePath() {
        return platform::RegistryStore(platform::RegistryStore::Default().directory())
            .QueryString(platform::Hive::CurrentUser, profile().sectionKey("KX_310T_Data"), "Capture_Path");
    }
    void ChooseFolder(std::optional<std::string> answer) {
        hooks.folderAnswers.push_back(std::move(answer));
        Click(SettingPopup::kChooseFolderId);
    }
    void ChooseSaveFolder(std::optional<std::string> answer) {
        hooks.folderAnswers.push_back(std::move(answer));
        ClickSave(SettingSavePopup::kChooseFolderId);
    }
    void OpenSave() {
        Open(SettingMode::ViewerSetting);
        Click(SettingPopup::kActionId);
    }
};

const QRect kBox(21, 79, 206, 27);

// The picture of the folder box with exactly `shown` written into it at (30, textY) of the
// window, drawn over the picture of the same box with an empty folder.
QImage BoxShowing(const QImage& emptyBox, int textY, const char* shown) {
    QImage expected = emptyBox.copy();
    QPainter painter(&expected);
    painter.setFont(platform::WinFont("Tahoma", 10));
    painter.setPen(Qt::white);
    platform::TextOut(painter, 30 - kBox.x(), textY - kBox.y(), shown);
    return expected;
}

TEST_F(SettingFoldersTest, TheProfileFolderStartsTheBrowserAndTakesTheChoice) {
    ASSERT_TRUE(profile().WriteProfileString("KX_310T_Data", "Capture_Path", "/srv/old/"));
    Open(SettingMode::Capture);
    ChooseFolder("/media/card");
    ASSERT_EQ(hooks.folderRequests.size(), 1u);
    EXPECT_EQ(hooks.folderRequests[0].startFolder, "/srv/old/");
    EXPECT_EQ(hooks.folderRequests[0].title, "디렉토리를 선택하세요");
    EXPECT_EQ(popup->CaptureTarget().folder, "/media/card/");
    EXPECT_EQ(StoredCapturePath(), "/media/card/");

    // The same value serves the file-save mode; the root keeps its single separator.
    Click(SettingPopup::kExitId);
    Open(SettingMode::FileSave);
    ChooseFolder("/");
    EXPECT_EQ(hooks.folderRequests[1].startFolder, "/media/card/");
    EXPECT_EQ(popup->ClipTarget().folder, "/");
    EXPECT_EQ(StoredCapturePath(), "/");
    EXPECT_EQ(popup->CaptureTarget().folder, "/media/card/");

    ChooseFolder("/media/user/KX-310T/");
    EXPECT_EQ(popup->ClipTarget().folder, "/media/user/KX-310T/");
}

TEST_F(SettingFoldersTest, CancellingLeavesTheProfileFolderAndWritesNothing) {
    Open(SettingMode::FileSave);
    ChooseFolder("/media/card");
    ASSERT_EQ(popup->ClipTarget().folder, "/media/card/");
    // Another window changed the value meanwhile: the cancelled choice shows that one.
    ASSERT_TRUE(profile().WriteProfileString("KX_310T_Data", "Capture_Path", "/srv/other/"));
    const std::string hive = ReadFile(platform::RegistryStore::Default().HiveFile(platform::Hive::CurrentUser));
    ChooseFolder(std::nullopt);
    EXPECT_EQ(popup->ClipTarget().folder, "/srv/other/");
    EXPECT_EQ(ReadFile(platform::RegistryStore::Default().HiveFile(platform::Hive::CurrentUser)), hive);
    // A choice without a file-system path changes nothing either.
    ChooseFolder("");
    EXPECT_EQ(popup->ClipTarget().folder, "/srv/other/");
    EXPECT_EQ(StoredCapturePath(), "/srv/other/");
}

TEST_F(SettingFoldersTest, ALongKoreanFolderIsDrawnAsThirteenCharactersAndDots) {
    Open(SettingMode::Capture);
    const QImage emptyBox = popup->backBuffer().copy(kBox);
    // Twenty characters, three bytes each.
    ChooseFolder("/가나다라마바사아자차카타파하거너더러머");
    EXPECT_EQ(popup->backBuffer().copy(kBox), BoxShowing(emptyBox, 79, "/가나다라마바사아자차카타..."));
    ChooseFolder("/media/cd");   // "/media/cd/": ten characters, whole
    EXPECT_EQ(popup->backBuffer().copy(kBox), BoxShowing(emptyBox, 79, "/media/cd/"));
    ChooseFolder("/media/card1");   // "/media/card1/": thirteen characters, cut
    EXPECT_EQ(popup->backBuffer().copy(kBox), BoxShowing(emptyBox, 79, "/media/card1/..."));
}

TEST_F(SettingFoldersTest, TheSaveSettingsFolderGetsOneMoreSeparatorAndStaysForTheRun) {
    OpenSave();
    EXPECT_EQ(save().Folder(), "");
    ChooseSaveFolder("/");
    EXPECT_EQ(save().Folder(), "//");
    ChooseSaveFolder("/media/card");
    EXPECT_EQ(save().Folder(), "/media/card/");
    ASSERT_EQ(hooks.folderRequests.size(), 2u);
    EXPECT_EQ(hooks.folderRequests[1].startFolder, "//") << "the current folder is pre-selected";
    EXPECT_EQ(hooks.folderRequests[1].title, "디렉토리를 선택하세요");
    ChooseSaveFolder(std::nullopt);
    EXPECT_EQ(save().Folder(), "/media/card/");

    // Hidden and shown again, by a later Save of the same run.
    ClickSave(SettingSavePopup::kExitId);
    Click(SettingPopup::kExitId);
    OpenSave();
    EXPECT_EQ(save().Folder(), "/media/card/");
    EXPECT_EQ(popup->ConfigTail().saveSettingsFolder, "/media/card/");
}

TEST_F(SettingFoldersTest, TheSaveSettingsWindowDrawsItsFrameAndFolder) {
    OpenSave();
    const QImage& p = save().picture();
    EXPECT_EQ(save().size(), QSize(377, 254));
    EXPECT_EQ(p.pixel(0, 0), qRgb(150, 150, 150));
    EXPECT_EQ(p.pixel(376, 253), qRgb(150, 150, 150));
    EXPECT_EQ(p.pixel(11, 39), qRgb(40, 40, 40));
    EXPECT_EQ(p.pixel(360, 40), qRgb(40, 40, 40));
    const QRect title = BoundsOf(p, QRect(11, 0, 300, 38), IsTitleInk);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_LE(title.left(), 20);
    const QRect caption = BoundsOf(p, QRect(16, 48, 200, 26), IsGreyInk);
    ASSERT_FALSE(caption.isEmpty()) << "\"Save Directory\"";
    EXPECT_LE(caption.left(), 24);
    // The box is one colour that is neither the face nor the border.
    const QRgb box = p.pixel(22, 80);
    EXPECT_NE(box, qRgb(0, 0, 0));
    EXPECT_EQ(BoundsOf(p, QRect(0, 76, 377, 44), Exactly(box)), kBox);

    const QImage emptyBox = p.copy(kBox);
    ChooseSaveFolder("/media/사용자/블랙박스메모리카드");
    EXPECT_EQ(save().picture().copy(kBox), BoxShowing(emptyBox, 80, "/media/사용자/블랙..."));

    struct Place {
        int id;
        QRect rect;
    };
    for (const Place& place : {Place{1062, {320, 0, 45, 25}}, Place{1063, {231, 79, 120, 27}},
                               Place{1060, {88, 201, 86, 29}}, Place{1061, {198, 201, 86, 29}}})
        EXPECT_EQ(save().GetDlgItem(place.id)->geometry(), place.rect) << place.id;
}

} // namespace
} // namespace settings::test
