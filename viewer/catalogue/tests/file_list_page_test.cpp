#include "catalogue/file_list_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCursor>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "platform/controls.h"

namespace catalogue {
namespace {

// A page shown in a window of its own, as the tab control holds it.
template <class Page>
struct ShownPage {
    ShownPage() {
        // The pointer starts away from the page: a page shown under it counts at once.
        QCursor::setPos(2000, 2000);
        host.setGeometry(100, 100, 400, 300);
        page->show();
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    void hoverList() { QTest::mouseMove(page->checkList()->list()->viewport(), QPoint(20, 20)); }
    void tickByHand(int line, bool ticked) {
        page->checkList()->list()->item(line)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    void clickSelectAll() { page->template item<QCheckBox>(page->spec().selectAllBoxId)->click(); }

    QWidget host;
    Page* page = new Page(&host);
};

template <class Page>
class FileListPageTest : public ::testing::Test {};
using Members = ::testing::Types<InfinityFileUp, EventFileUp>;
TYPED_TEST_SUITE(FileListPageTest, Members);

TYPED_TEST(FileListPageTest, CounterAppearsOnHoverAndFollowsEveryTick) {
    ShownPage<TypeParam> shown;
    TypeParam& page = *shown.page;
    EXPECT_EQ(page.CounterText(), "");
    EXPECT_FALSE(page.SelectAllSet());
    EXPECT_EQ(page.GetDlgItemText(page.spec().selectAllLabelId), "Select All");
    shown.hoverList();
    EXPECT_EQ(page.CounterText(), "[ 000 / 000 ]");

    for (int i = 0; i < 12; ++i) page.AppendName("drf2_20110512_0930" + std::to_string(10 + i) + ".mp4");
    EXPECT_EQ(page.CounterText(), "[ 000 / 000 ]") << "appending alone does not recount";
    EXPECT_EQ(page.LineText(11), "drf2_20110512_093021.mp4");
    QTest::mouseMove(&page, QPoint(page.width() - 5, page.height() - 5));
    EXPECT_EQ(page.CounterText(), "[ 000 / 012 ]");

    shown.tickByHand(0, true);
    EXPECT_EQ(page.CounterText(), "[ 001 / 012 ]");
    shown.tickByHand(5, true);
    shown.tickByHand(11, true);
    EXPECT_EQ(page.CounterText(), "[ 003 / 012 ]");
    EXPECT_EQ(page.TickedCount(), 3);
    EXPECT_EQ(page.CountedLines(), 12);
    shown.tickByHand(5, false);
    EXPECT_EQ(page.CounterText(), "[ 002 / 012 ]");
    EXPECT_TRUE(page.IsTicked(11));
    EXPECT_FALSE(page.IsTicked(5));
    EXPECT_FALSE(page.IsTicked(12));
}

TYPED_TEST(FileListPageTest, SelectAllTicksAndClearsEveryLine) {
    ShownPage<TypeParam> shown;
    TypeParam& page = *shown.page;
    for (int i = 0; i < 4; ++i) page.AppendName("evt2_20110512_09311" + std::to_string(i) + ".mp4");
    shown.tickByHand(2, true);

    shown.clickSelectAll();
    EXPECT_TRUE(page.SelectAllSet());
    EXPECT_EQ(page.CounterText(), "[ 004 / 004 ]");
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(page.IsTicked(i)) << i;

    // Lines that arrive later are not ticked, and the box stays set.
    page.AppendName("evt2_20110513_000000.mp4");
    EXPECT_FALSE(page.IsTicked(4));
    EXPECT_TRUE(page.SelectAllSet());
    shown.hoverList();
    EXPECT_EQ(page.CounterText(), "[ 004 / 005 ]");

    shown.tickByHand(4, true);
    shown.clickSelectAll();
    EXPECT_FALSE(page.SelectAllSet());
    EXPECT_EQ(page.CounterText(), "[ 000 / 005 ]");
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(page.IsTicked(i)) << "hand ticks are cleared too: " << i;
}

TEST(FileListPages, MembersDifferOnlyByTheirRowOfTheTable) {
    QWidget host;
    InfinityFileUp infinity(&host);
    EventFileUp event(&host);
    EXPECT_EQ(infinity.spec().kind, RecordingKind::Infinity);
    EXPECT_EQ(event.spec().kind, RecordingKind::Event);
    EXPECT_EQ(infinity.dialogTemplate().id, 297);
    EXPECT_EQ(event.dialogTemplate().id, 298);
    EXPECT_NE(infinity.GetDlgItem(1250), nullptr);
    EXPECT_EQ(infinity.GetDlgItem(1253), nullptr);
    EXPECT_NE(event.GetDlgItem(1253), nullptr);
    EXPECT_TRUE(infinity.isHidden()) << "pages wait for their tab";
    EXPECT_TRUE(infinity.GetDlgItem(platform::IDOK)->isHidden());
}

} // namespace
} // namespace catalogue
