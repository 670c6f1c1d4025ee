// The start-up channel dialog: Enter, the system close and OK accept; Escape cancels.

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <cstdlib>

#include "gui_support.h"
#include "platform/bitmap_button.h"
#include "settings/dialog_channel.h"

using settings::CDialogChannel;
using tripdesk::test::PressKey;
using tripdesk::test::WhenModal;

namespace {

int RunWith(CDialogChannel& dialog, std::function<void(CDialogChannel*)> action) {
    WhenModal<CDialogChannel>(std::move(action));
    return dialog.DoModal();
}

TEST(ChannelDialog, EnterWithoutTouchingAnythingGivesOneChannel) {
    CDialogChannel dialog;
    EXPECT_EQ(RunWith(dialog, [](CDialogChannel* d) { PressKey(d, Qt::Key_Return); }), platform::IDOK);
    EXPECT_EQ(dialog.channelChoice(), 0);
    EXPECT_EQ(dialog.viewModeChoice(), 0);
}

TEST(ChannelDialog, SecondChoiceThenOkButtonGivesTwoChannels) {
    CDialogChannel dialog;
    dialog.SetOkBitmap(QImage(86, 29, QImage::Format_RGB32));
    const int result = RunWith(dialog, [](CDialogChannel* d) {
        d->item<QRadioButton>(1093)->click();
        d->bitmapButton(platform::IDOK)->Click();
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(dialog.channelChoice(), 1);
}

// The lightness at the centre of a radio's mark, as the radio is drawn.
int MarkLightness(QRadioButton* radio) {
    QStyleOptionButton option;
    option.initFrom(radio);
    const QPoint centre = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio).center();
    return QColor(radio->grab().toImage().pixel(centre)).lightness();
}

TEST(ChannelDialog, OneChannelIsShownCheckedWhenItOpens) {
    CDialogChannel dialog;
    bool firstChecked = false, secondChecked = true;
    int firstMark = 0, secondMark = 0;
    RunWith(dialog, [&](CDialogChannel* d) {
        firstChecked = d->IsDlgButtonChecked(1092);
        secondChecked = d->IsDlgButtonChecked(1093);
        firstMark = MarkLightness(d->item<QRadioButton>(1092));
        secondMark = MarkLightness(d->item<QRadioButton>(1093));
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_TRUE(firstChecked);
    EXPECT_FALSE(secondChecked);
    // The checked mark is seen: its centre differs clearly from the empty one's.
    EXPECT_GT(std::abs(firstMark - secondMark), 100) << firstMark << " " << secondMark;
}

TEST(ChannelDialog, EscapeCancels) {
    CDialogChannel dialog;
    EXPECT_EQ(RunWith(dialog, [](CDialogChannel* d) { PressKey(d, Qt::Key_Escape); }), platform::IDCANCEL);
}

TEST(ChannelDialog, SystemCloseAcceptsTheChoice) {
    CDialogChannel dialog;
    const int result = RunWith(dialog, [](CDialogChannel* d) {
        d->item<QRadioButton>(1093)->click();
        d->close();
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(dialog.channelChoice(), 1);
}

TEST(ChannelDialog, EncryptionChoicesStayHidden) {
    CDialogChannel dialog;
    bool anyShown = true;
    RunWith(dialog, [&](CDialogChannel* d) {
        anyShown = false;
        for (int id : {1139, 1239, 1238, 1138, platform::IDCANCEL})
            if (QWidget* w = d->GetDlgItem(id); !w || w->isVisible()) anyShown = true;
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_FALSE(anyShown);
}

} // namespace
