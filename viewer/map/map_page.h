#pragma once
// The map page: a small HTML file whose script, served by our own map scheme, centres a street
// map on a position and moves its marker by updateMap(lat, long). Both map hosts write the same
// file, in the program's folder, or in the user's data folder when the program's folder cannot
// be written.

#include <filesystem>
#include <string>
#include <string_view>

namespace map {

enum class MapPageVariant {
    MainWindow,   // canvas 438 x 328, in the channel-2 area
    MapWindow,    // canvas 468 x 398, in the map window
};

inline constexpr const char* kMapPageName = "googlemap.htm";
inline constexpr int kMapPageZoom = 15;

// The script address of the page, on the scheme the map service stand-in answers.
inline constexpr const char* kMapScheme = "tripdesk-map";
inline constexpr const char* kMapApiKey =
    "TDmapLocal-0Leaflet_Stand-in_for_the_street_map_service-Served_by_TripDesk_itself-ver1";

// The whole page text of a variant with the two position texts written in as they are.
std::string MapPageText(MapPageVariant variant, std::string_view latitude, std::string_view longitude);

// The program's folder when a file can be made there, else the data folder (made when missing).
std::filesystem::path ChooseMapPageFolder(const std::filesystem::path& programDir,
                                          const std::filesystem::path& dataDir);

// The folder the page goes into: the one set for tests, else the choice above between the
// program's folder and the user's data folder.
std::filesystem::path MapPageFolder();

// Tests and tools keep the page in a folder of their own; an empty path restores the rule above.
void OverrideMapPageFolder(const std::filesystem::path& folder);

class MapPage {
public:
    // Writes the page of the variant (a whole new file replaces the old one); the written file's
    // full path becomes the address. False when the file cannot be made; nothing is left then.
    bool WriteMapPage(MapPageVariant variant, std::string_view latitude, std::string_view longitude);

    // Removes the written file, if any.
    void RemovePage();

    const std::filesystem::path& pagePath() const { return pagePath_; }
    const std::string& pageAddress() const { return pageAddress_; }

private:
    std::filesystem::path pagePath_;
    std::string pageAddress_;
};

} // namespace map
