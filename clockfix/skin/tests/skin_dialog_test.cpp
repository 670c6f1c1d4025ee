// The skinned dialog: its start values, controls replaced by id, and its painted background.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPointer>
#include <filesystem>

#include "gui_support.h"
#include "platform/shell.h"
#include "skin/skin_buttons.h"
#include "skin/skin_texts.h"
#include "skin_test_dialog.h"
#include "test_folders.h"

namespace skin {
namespace {

using namespace skin::test;

TEST(SkinDialog, StartsWithTheFrameworksValues) {
    TestSkinDialog dialog;
    EXPECT_EQ(dialog.pictureFolder(), "Image/");
    EXPECT_EQ(dialog.settingsFolder(), "Config/");
    EXPECT_EQ(dialog.backgroundMode(), BackgroundMode::Colour);
    EXPECT_EQ(static_cast<int>(dialog.backgroundMode()), 1);
    EXPECT_EQ(dialog.backgroundColour(), QColor(207, 224, 240));
    EXPECT_TRUE(dialog.backgroundPicture().isNull());
    EXPECT_FALSE(dialog.dragEnabled());
    EXPECT_FALSE(dialog.resizeEnabled());
    EXPECT_EQ(dialog.minimumSkinSize(), QSize(50, 50));
    EXPECT_EQ(dialog.maximumSkinSize(), QSize(4000, 4000));
    EXPECT_EQ(dialog.transparentColour(), qRgb(255, 0, 255));
    for (int kind = 0; kind < kSkinKindCount; ++kind)
        EXPECT_TRUE(dialog.controls(static_cast<SkinKind>(kind)).empty());
}

TEST(SkinDialog, WrapControlReplacesByIdWithTheSamePlaceAndCaption) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const QPointer<QWidget> templateLabel = dialog.GetDlgItem(kLabel);

    SkinControl* label = dialog.WrapControl(kLabel);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->kind(), SkinKind::Static);
    EXPECT_EQ(label->name(), "Static0");
    EXPECT_EQ(label->controlId(), kLabel);
    EXPECT_TRUE(templateLabel.isNull()) << "the template control is destroyed";
    EXPECT_EQ(dialog.GetDlgItem(kLabel), label->widget());
    EXPECT_EQ(label->widget()->geometry(), QRect(10, 10, 80, 20));
    EXPECT_EQ(dialog.GetDlgItemText(kLabel), "이름");
    EXPECT_EQ(dialog.WrapControl(kLabel), nullptr) << "already replaced";

    auto* edit = dynamic_cast<SkinEdit*>(dialog.WrapControl(kEdit));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QString::fromUtf8("2011년"));
    dialog.SetDlgItemText(kEdit, "5월");
    EXPECT_EQ(dialog.GetDlgItemText(kEdit), "5월");

    EXPECT_EQ(dialog.WrapControl(kTabs), nullptr) << "a tab control has no skinned kind";
    EXPECT_NE(dialog.GetDlgItem(kTabs), nullptr) << "and stays as it was";
    EXPECT_EQ(dialog.WrapControl(4711), nullptr);
    EXPECT_EQ(dialog.controls(SkinKind::Static).size(), 1u);
    EXPECT_EQ(dialog.controls(SkinKind::Edit).size(), 1u);
}

TEST(SkinDialog, KindsComeFromClassAndStyleAndNamesCountPerKind) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.WrapControl(kGroupA)->name(), "Group0");
    EXPECT_EQ(dialog.WrapControl(kCheck)->name(), "Check0");
    EXPECT_EQ(dialog.WrapControl(kGroupB)->name(), "Group1");
    SkinControl* ownerDrawn = dialog.WrapControl(kOwnerDrawn);
    EXPECT_EQ(ownerDrawn->kind(), SkinKind::Check);
    EXPECT_EQ(ownerDrawn->name(), "Check1");
    EXPECT_EQ(dialog.WrapControl(kPicture)->kind(), SkinKind::Picture);
    EXPECT_EQ(dialog.WrapControl(kRadioA1)->name(), "Radio0");
    EXPECT_EQ(dialog.WrapControl(kList)->name(), "ListBox0");
    EXPECT_EQ(dialog.WrapControl(kProgress)->name(), "Progress0");
    EXPECT_EQ(dialog.WrapControl(kCombo)->kind(), SkinKind::Combo);
    EXPECT_EQ(dialog.WrapControl(kHiddenPush)->name(), "Btn0");
    EXPECT_EQ(dialog.controls(SkinKind::Group).size(), 2u);
    EXPECT_EQ(dialog.controls(SkinKind::Check).size(), 2u);
}

TEST(SkinDialog, AReplacedHiddenButtonIsVisibleAndKeepsNoTemplateState) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(dialog.GetDlgItem(kHiddenPush)->isHidden());
    SkinControl* button = dialog.WrapControl(kHiddenPush);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->widget()->isHidden());
    EXPECT_TRUE(button->widget()->isEnabled());
    EXPECT_EQ(dialog.GetDlgItemText(kHiddenPush), "적용");
    dialog.ShowDlgItem(kHiddenPush, false);
    dialog.EnableDlgItem(kHiddenPush, false);
    EXPECT_TRUE(button->widget()->isHidden());
    EXPECT_FALSE(button->widget()->isEnabled());
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST(SkinDialog, APictureDecodedFromMemoryIsPaintedOverTheColour) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    QImage picture(100, 60, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    for (int x = 50; x < 100; ++x)
        for (int y = 0; y < 60; ++y) picture.setPixel(x, y, qRgb(200, 20, 40));
    dialog.SetBackgroundColour(QColor(100, 100, 100));

    ASSERT_TRUE(dialog.SetBackgroundPictureFromMemory(Encoded(picture, "BMP")));
    EXPECT_EQ(dialog.backgroundMode(), BackgroundMode::Picture);
    const QImage painted = dialog.RenderBackBuffer();
    EXPECT_EQ(painted.size(), QSize(320, 280));
    EXPECT_EQ(painted.pixel(10, 10), qRgb(10, 200, 30));
    EXPECT_EQ(painted.pixel(70, 50), qRgb(200, 20, 40));
    EXPECT_EQ(painted.pixel(150, 10), qRgb(100, 100, 100)) << "the colour beside the picture";
    EXPECT_EQ(painted.pixel(10, 100), qRgb(100, 100, 100));

    for (const char* format : {"JPEG", "ICO"}) {
        ASSERT_TRUE(dialog.SetBackgroundPictureFromMemory(Encoded(picture, format))) << format;
        EXPECT_EQ(dialog.backgroundPicture().size(), QSize(100, 60));
    }

    EXPECT_FALSE(dialog.SetBackgroundPictureFromMemory("GIF89a not really"));
    EXPECT_EQ(dialog.backgroundMode(), BackgroundMode::Colour);
    EXPECT_TRUE(dialog.backgroundPicture().isNull());
    EXPECT_EQ(dialog.RenderBackBuffer().pixel(10, 10), qRgb(100, 100, 100));
}

TEST(SkinDialog, ATitleIsDrawnInTheTopBandOverTheBackground) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SetBackgroundColour(QColor(100, 100, 100));
    auto titlePixels = [&] {
        const QImage painted = dialog.RenderBackBuffer();
        int white = 0;
        int below = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x) {
                if (painted.pixel(x, y) == qRgb(100, 100, 100)) continue;
                (y < 22 ? white : below) += 1;
            }
        return std::pair{white, below};
    };
    EXPECT_EQ(titlePixels(), (std::pair{0, 0}));
    dialog.SetTitleText("초기화중...");
    EXPECT_EQ(dialog.titleText(), "초기화중...");
    EXPECT_EQ(dialog.windowTitle(), QString("초기화중..."));
    const auto [inBand, outside] = titlePixels();
    EXPECT_GT(inBand, 20) << "the text is painted";
    EXPECT_EQ(outside, 0) << "only in the title band";
    dialog.SetTitleText("");
    EXPECT_EQ(titlePixels(), (std::pair{0, 0}));
}

TEST(SkinDialog, PictureFilesAreReadBesideTheProgramAndAFailureGivesTheColour) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const auto folder = tripdesk::test::FreshFolder("pictures");
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(QString::fromStdString((folder / "back.bmp").string())));
    ASSERT_TRUE(picture.save(QString::fromStdString((folder / "back.png").string())));
    QFile text(QString::fromStdString((folder / "notes.gif").string()));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are notes, not a picture\n");
    text.close();
    const std::filesystem::path relative = std::filesystem::relative(folder, platform::ProgramDir());

    EXPECT_TRUE(dialog.SetBackgroundPicture((relative / "back.bmp").string()));
    EXPECT_EQ(dialog.RenderBackBuffer().pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_FALSE(dialog.SetBackgroundPicture((relative / "missing.gif").string()));
    EXPECT_EQ(dialog.backgroundMode(), BackgroundMode::Colour);
    EXPECT_EQ(dialog.RenderBackBuffer().pixel(5, 5), qRgb(207, 224, 240));
    EXPECT_TRUE(dialog.SetBackgroundPicture((relative / "back.bmp").string()));
    EXPECT_FALSE(dialog.SetBackgroundPicture((relative / "notes.gif").string()));
    EXPECT_EQ(dialog.RenderBackBuffer().pixel(5, 5), qRgb(207, 224, 240));
    EXPECT_FALSE(dialog.SetBackgroundPicture((relative / "back.png").string())) << "not a format of the system's reader";
    EXPECT_EQ(dialog.backgroundMode(), BackgroundMode::Colour);
}

// Decorations drawn by a dialog land in the back buffer over the background.
class DecoratedDialog : public TestSkinDialog {
protected:
    void OnDrawDecorations(QPainter& painter) override { painter.fillRect(0, 0, 4, 4, QColor(1, 2, 3)); }
};

TEST(SkinDialog, DecorationsAreDrawnIntoTheBackBufferAndShownInOnePiece) {
    DecoratedDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    const QImage shown = dialog.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(1, 1)), QColor(1, 2, 3));
    EXPECT_EQ(QColor(shown.pixel(300, 270)), QColor(207, 224, 240));
}

} // namespace
} // namespace skin
