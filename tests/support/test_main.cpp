// The main of test programs without windows: private folders first, then the tests.

#include <gtest/gtest.h>

#include "private_folders.h"

int main(int argc, char** argv) {
    tripdesk::UsePrivateFolders();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
