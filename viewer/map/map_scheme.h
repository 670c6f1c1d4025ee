#pragma once
// The map service stand-in: the page's script address "tripdesk-map://api/maps?..." is answered
// by our own scheme handler with one script (Leaflet, Qt's web channel client and our adapter that
// gives the page the map names it calls), so that nothing but map tiles leaves the machine.

#include <QByteArray>
#include <QWebEngineUrlSchemeHandler>
#include <filesystem>

namespace map {

// Registers the scheme; must run before the QApplication is made (Qt WebEngine reads the list
// once). As root it also turns the Chromium sandbox off, which refuses to start otherwise.
void RegisterMapScheme();

// Where Debian's Leaflet lies; tests point it elsewhere (an empty path restores the default).
std::filesystem::path LeafletFolder();
void SetLeafletFolderForTests(const std::filesystem::path& folder);

// The tile address template: $TRIPDESK_MAP_TILES, else OpenStreetMap's.
QByteArray TileAddressTemplate();

// The script of "/maps": Leaflet (when present), the web channel client, the tile address and
// the adapter.
QByteArray MapServiceScript();

class MapSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override;
};

} // namespace map
