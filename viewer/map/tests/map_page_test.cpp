#include "map/map_page.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "read_only_folder.h"
#include "test_folders.h"

namespace map {
namespace {

namespace fs = std::filesystem;

// The page as the documented lines: 14 head lines, the position block, 25 tail lines.
const std::vector<std::string> kHeadLines = {
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"",
    "    \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">              ",
    "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:v=\"urn:schemas-microsoft-com:vml\">",
    "  <head>",
    "    <meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"/>",
    "    <title>Google Maps</title>",
    "    <script src=\"tripdesk-map://api/maps?file=api&amp;v=2&amp;key=" + std::string(kMapApiKey) + "\"",
    "            type=\"text/javascript\"></script>",
    "    <script type=\"text/javascript\">",
    "",
    "var map;",
    "var marker;",
    "function initialize() {",
    "",
};

std::vector<std::string> TailLines(const std::string& canvasLine) {
    return {
        "  if (GBrowserIsCompatible()) {",
        "    map = new GMap2(document.getElementById(\"map_canvas\"));",
        "    map.setCenter(new GLatLng(latitude, longitude), zoom);",
        "",
        "    marker = new GMarker(new GLatLng(latitude, longitude));",
        "    map.addOverlay(marker);",
        "    map.addControl(new GSmallZoomControl());",
        "    map.addControl(new GMapTypeControl());",
        "  }",
        "}",
        "",
        "function updateMap(lat, long) {",
        "  if (GBrowserIsCompatible()) {",
        "    map.removeOverlay(marker); ",
        "    map.setCenter(new GLatLng(lat, long), map.getZoom());",
        "    marker = new GMarker(new GLatLng(lat, long));",
        "    map.addOverlay(marker);",
        "  }",
        "}",
        "          </script>",
        "  </head>",
        "  <body onload=\"initialize()\" onunload=\"GUnload()\">",
        canvasLine,
        "  </body>",
        "</html>",
    };
}

std::string Joined(const std::vector<std::string>& lines, bool finalBreak) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (finalBreak || i + 1 < lines.size()) text += '\n';
    }
    return text;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MapPageTextTest, BothVariantsHoldTheDocumentedLines) {
    const std::string mainPage = Joined(kHeadLines, true) +
                                 "var latitude = 37.552057;\n"
                                 "  var longitude = 126.992797;\n"
                                 "  var zoom = 15;\n" +
                                 Joined(TailLines("  <div id=\"map_canvas\" style=\"width: 438px; height: 328px\"></div>"), false);
    EXPECT_EQ(MapPageText(MapPageVariant::MainWindow, "37.552057", "126.992797"), mainPage);

    const std::string windowPage = Joined(kHeadLines, true) +
                                   "  var latitude = -33.868820;\n"
                                   "  var longitude = -151.209290;\n"
                                   "  var zoom = 15;\n" +
                                   Joined(TailLines("  <div id=\"map_canvas\" style=\"width: 468px; height: 398px\"></div>"), false);
    EXPECT_EQ(MapPageText(MapPageVariant::MapWindow, "-33.868820", "-151.209290"), windowPage);
}

TEST(MapPageTextTest, PositionTextsGoInAsGiven) {
    const std::string page = MapPageText(MapPageVariant::MainWindow, "0.0", "0.0");
    EXPECT_NE(page.find("\nvar latitude = 0.0;\n  var longitude = 0.0;\n  var zoom = 15;\n  if (GBrowser"),
              std::string::npos);
    const std::string signedPage = MapPageText(MapPageVariant::MapWindow, "-0.500000", "-179.999999");
    EXPECT_NE(signedPage.find("\n  var latitude = -0.500000;\n  var longitude = -179.999999;\n"), std::string::npos);
}

TEST(MapPageTextTest, KeyHasTheServiceForm) {
    EXPECT_TRUE(std::regex_match(std::string(kMapApiKey), std::regex("[A-Za-z0-9_-]{86}")));
    const std::string page = MapPageText(MapPageVariant::MainWindow, "1", "2");
    EXPECT_EQ(page.find('\r'), std::string::npos);
    EXPECT_NE(static_cast<unsigned char>(page.front()), 0xEF);   // no byte-order mark
    EXPECT_EQ(page.substr(page.size() - 8), "\n</html>");
}

class MapPageFileTest : public ::testing::Test {
protected:
    void TearDown() override { OverrideMapPageFolder({}); }
};

TEST_F(MapPageFileTest, WritesTheWholePageAndKeepsItsAddress) {
    const fs::path folder = tripdesk::test::FreshFolder("page");
    OverrideMapPageFolder(folder);
    MapPage page;
    ASSERT_TRUE(page.WriteMapPage(MapPageVariant::MainWindow, "37.552057", "126.992797"));
    EXPECT_EQ(page.pagePath(), fs::absolute(folder / "googlemap.htm"));
    EXPECT_EQ(page.pageAddress(), page.pagePath().string());
    EXPECT_EQ(ReadFile(page.pagePath()), MapPageText(MapPageVariant::MainWindow, "37.552057", "126.992797"));

    // Rewritten whole by the other host's variant: no trace of the longer or shorter old page.
    ASSERT_TRUE(page.WriteMapPage(MapPageVariant::MapWindow, "0.0", "0.0"));
    EXPECT_EQ(ReadFile(page.pagePath()), MapPageText(MapPageVariant::MapWindow, "0.0", "0.0"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    page.RemovePage();
    EXPECT_FALSE(fs::exists(folder / "googlemap.htm"));
}

TEST_F(MapPageFileTest, UnwritableFolderFailsAndLeavesNoFile) {
    const fs::path folder = tripdesk::test::FreshFolder("locked");
    tripdesk::test::ReadOnlyFolder locked(folder);
    OverrideMapPageFolder(folder);
    MapPage page;
    EXPECT_FALSE(page.WriteMapPage(MapPageVariant::MainWindow, "0.0", "0.0"));
    EXPECT_TRUE(page.pagePath().empty());
    EXPECT_TRUE(page.pageAddress().empty());
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(MapPageFileTest, ProgramFolderFirstThenDataFolder) {
    const fs::path program = tripdesk::test::FreshFolder("program");
    const fs::path data = tripdesk::test::FreshFolder("data-parent") / "tripdesk";
    EXPECT_EQ(ChooseMapPageFolder(program, data), program);
    EXPECT_TRUE(fs::is_empty(program));   // the trial leaves nothing behind
    EXPECT_FALSE(fs::exists(data));
    {
        tripdesk::test::ReadOnlyFolder locked(program);
        EXPECT_EQ(ChooseMapPageFolder(program, data), data);
    }
    EXPECT_TRUE(fs::is_directory(data));
}

} // namespace
} // namespace map
