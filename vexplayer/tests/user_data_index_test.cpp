#include <gtest/gtest.h>

#include "user_data_index.h"

namespace vexplayer {
namespace {

TEST(UserDataIndex, TakesTheLastEntryNotAfterThePicture) {
    UserDataTable table;
    table.entryCount = 40;
    for (std::uint32_t i = 0; i < 40; ++i) table.timesMs.push_back(i * 100);
    const UserDataIndex index(table, 4.0);
    EXPECT_EQ(index.indexAt(0.0, false), 0u);
    EXPECT_EQ(index.indexAt(0.0994, false), 0u);   // positions count to the millisecond
    EXPECT_EQ(index.indexAt(3.0 / 30, false), 1u);   // the picture at 100 ms
    EXPECT_EQ(index.indexAt(7.0 / 30, false), 2u);
    EXPECT_EQ(index.indexAt(-1.0, false), 0u);
    EXPECT_EQ(index.indexAt(99.0, false), 39u);
    EXPECT_EQ(index.indexAt(0.5, true), 39u) << "the last picture ends the entries";
}

TEST(UserDataIndex, SpreadsEntriesEvenlyWithoutTimes) {
    UserDataTable table;
    table.entryCount = 40;
    const UserDataIndex index(table, 4.0);
    EXPECT_EQ(index.indexAt(0.0, false), 0u);
    EXPECT_EQ(index.indexAt(1.0, false), 10u);
    EXPECT_EQ(index.indexAt(3.99, false), 39u);
    EXPECT_EQ(index.indexAt(7.0, false), 39u);
    EXPECT_EQ(UserDataIndex(table, 0).indexAt(2.0, false), 0u) << "unknown clip length";
}

TEST(UserDataIndex, FilesWithoutEntriesReportNoEntry) {
    const UserDataIndex none;
    EXPECT_EQ(none.entryCount(), 0u);
    EXPECT_EQ(none.indexAt(1.0, false), UserDataIndex::kNoEntry);
    EXPECT_EQ(none.indexAt(1.0, true), UserDataIndex::kNoEntry);
}

} // namespace
} // namespace vexplayer
