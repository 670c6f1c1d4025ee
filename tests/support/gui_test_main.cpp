// The main of window-level test programs: private folders, then one QApplication on this
// thread, which is the user-interface thread of every test, for the whole run.

#include <QApplication>
#include <gtest/gtest.h>

#include "private_folders.h"
#ifdef TRIPDESK_HAVE_MAP
#include "map/map_scheme.h"
#endif

int main(int argc, char** argv) {
    // Before Qt reads its folders from the environment.
    tripdesk::UsePrivateFolders();
#ifdef TRIPDESK_HAVE_MAP
    // Qt WebEngine takes its schemes only before the application object exists.
    map::RegisterMapScheme();
#endif
    // Qt runs threads of its own: a death test must re-run the program rather than fork it.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
