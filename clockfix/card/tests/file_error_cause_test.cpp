// The cause numbers reported for a clock file that could not be written.
#include "card/file_error_cause.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace card {
namespace {

TEST(FileErrorCauseTest, GroupsErrorsIntoTheReportedCauses) {
    EXPECT_EQ(FileErrorCause(ENOENT), 3);
    EXPECT_EQ(FileErrorCause(ENOTDIR), 3);
    EXPECT_EQ(FileErrorCause(EMFILE), 4);
    EXPECT_EQ(FileErrorCause(ENFILE), 4);
    EXPECT_EQ(FileErrorCause(EACCES), 5);
    EXPECT_EQ(FileErrorCause(EPERM), 5);
    EXPECT_EQ(FileErrorCause(EROFS), 5);
    EXPECT_EQ(FileErrorCause(EIO), 10);
    EXPECT_EQ(FileErrorCause(ENOSPC), 13);
    EXPECT_EQ(FileErrorCause(EDQUOT), 13);
    EXPECT_EQ(FileErrorCause(EBUSY), 1);
    EXPECT_EQ(FileErrorCause(EISDIR), 1);
    EXPECT_EQ(FileErrorCause(0), 1);
}

} // namespace
} // namespace card
