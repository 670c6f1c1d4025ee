// The main of window-level test programs: private folders, then one QApplication on this
// thread, which is the user-interface thread of every test, for the whole run.

#include <QApplication>
#include <gtest/gtest.h>

#include "private_folders.h"
#ifdef TRIPDESK_HAVE_MAP
#include <filesystem>

#include "map/map_page.h"
#include "map/map_scheme.h"
#include "platform/paths.h"
#include "tile_stub.h"
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
#ifdef TRIPDESK_HAVE_MAP
    // A map page of any window test stays in the private folders, and no tile is asked of anyone.
    std::filesystem::create_directories(platform::DataDir());
    map::OverrideMapPageFolder(platform::DataDir());
    qputenv("TRIPDESK_MAP_TILES", tripdesk::test::ClosedPortTileAddress());
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
