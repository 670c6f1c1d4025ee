#include "map/map_page.h"

#include <cstdint>
#include <system_error>

#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/temp_file.h"

namespace map {

namespace {

constexpr std::string_view kHead =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\n"
    "    \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">              \n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:v=\"urn:schemas-microsoft-com:vml\">\n"
    "  <head>\n"
    "    <meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"/>\n"
    "    <title>Google Maps</title>\n";
// Line 7 is built from the scheme and the key; then the rest of the head.
constexpr std::string_view kHeadAfterScript =
    "            type=\"text/javascript\"></script>\n"
    "    <script type=\"text/javascript\">\n"
    "\n"
    "var map;\n"
    "var marker;\n"
    "function initialize() {\n"
    "\n";

constexpr std::string_view kTailBeforeCanvas =
    "  if (GBrowserIsCompatible()) {\n"
    "    map = new GMap2(document.getElementById(\"map_canvas\"));\n"
    "    map.setCenter(new GLatLng(latitude, longitude), zoom);\n"
    "\n"
    "    marker = new GMarker(new GLatLng(latitude, longitude));\n"
    "    map.addOverlay(marker);\n"
    "    map.addControl(new GSmallZoomControl());\n"
    "    map.addControl(new GMapTypeControl());\n"
    "  }\n"
    "}\n"
    "\n"
    "function updateMap(lat, long) {\n"
    "  if (GBrowserIsCompatible()) {\n"
    "    map.removeOverlay(marker); \n"
    "    map.setCenter(new GLatLng(lat, long), map.getZoom());\n"
    "    marker = new GMarker(new GLatLng(lat, long));\n"
    "    map.addOverlay(marker);\n"
    "  }\n"
    "}\n"
    "          </script>\n"
    "  </head>\n"
    "  <body onload=\"initialize()\" onunload=\"GUnload()\">\n";
constexpr std::string_view kTailAfterCanvas =
    "  </body>\n"
    "</html>";

std::filesystem::path& FolderForTests() {
    static std::filesystem::path folder;
    return folder;
}

bool CanMakeFileIn(const std::filesystem::path& folder) {
    const platform::TempFile probe(folder.string(), ".tripdesk-probe");
    return probe.isOpen();
}

} // namespace

std::string MapPageText(MapPageVariant variant, std::string_view latitude, std::string_view longitude) {
    const bool mainWindow = variant == MapPageVariant::MainWindow;
    std::string text;
    text.reserve(2048);
    text += kHead;
    text += "    <script src=\"";
    text += kMapScheme;
    text += "://api/maps?file=api&amp;v=2&amp;key=";
    text += kMapApiKey;
    text += "\"\n";
    text += kHeadAfterScript;
    // The main window's block starts unindented, the map window's with two blanks.
    text += mainWindow ? "var latitude = " : "  var latitude = ";
    text += latitude;
    text += ";\n  var longitude = ";
    text += longitude;
    text += ";\n  var zoom = ";
    text += std::to_string(kMapPageZoom);
    text += ";\n";
    text += kTailBeforeCanvas;
    text += mainWindow ? "  <div id=\"map_canvas\" style=\"width: 438px; height: 328px\"></div>\n"
                       : "  <div id=\"map_canvas\" style=\"width: 468px; height: 398px\"></div>\n";
    text += kTailAfterCanvas;
    return text;
}

std::filesystem::path ChooseMapPageFolder(const std::filesystem::path& programDir,
                                          const std::filesystem::path& dataDir) {
    if (CanMakeFileIn(programDir)) return programDir;
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    return dataDir;
}

std::filesystem::path MapPageFolder() {
    if (!FolderForTests().empty()) return FolderForTests();
    return ChooseMapPageFolder(platform::ProgramDir(), platform::DataDir());
}

void OverrideMapPageFolder(const std::filesystem::path& folder) { FolderForTests() = folder; }

bool MapPage::WriteMapPage(MapPageVariant variant, std::string_view latitude, std::string_view longitude) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(MapPageFolder() / kMapPageName, error);
    if (error) return false;
    const std::string text = MapPageText(variant, latitude, longitude);
    platform::TempFile file(path.parent_path().string(), kMapPageName);
    if (!file.Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())) return false;
    if (!file.CommitTo(path.string())) return false;
    pagePath_ = path;
    pageAddress_ = path.string();
    return true;
}

void MapPage::RemovePage() {
    if (pagePath_.empty()) return;
    std::error_code error;
    std::filesystem::remove(pagePath_, error);
}

} // namespace map
