#include "map/map_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <unistd.h>

#include "map/map_page.h"

namespace map {

namespace {

constexpr const char* kDefaultLeaflet = "/usr/share/javascript/leaflet";
constexpr const char* kOpenStreetMapTiles = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";

std::filesystem::path& LeafletForTests() {
    static std::filesystem::path folder;
    return folder;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QString LeafletFile(const QString& relative) {
    return QString::fromStdString((LeafletFolder() / relative.toStdString()).string());
}

bool IsApiQuery(const QUrl& url) {
    const QUrlQuery query(url);
    return query.queryItemValue("file") == "api" && query.queryItemValue("v") == "2" &&
           query.queryItemValue("key") == QLatin1String(kMapApiKey);
}

void Reply(QWebEngineUrlRequestJob* job, const QByteArray& mime, const QByteArray& bytes) {
    auto* buffer = new QBuffer;
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    QObject::connect(job, &QObject::destroyed, buffer, &QObject::deleteLater);
    job->reply(mime, buffer);
}

} // namespace

void RegisterMapScheme() {
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QWebEngineUrlScheme scheme(kMapScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

std::filesystem::path LeafletFolder() {
    return LeafletForTests().empty() ? std::filesystem::path(kDefaultLeaflet) : LeafletForTests();
}

void SetLeafletFolderForTests(const std::filesystem::path& folder) { LeafletForTests() = folder; }

QByteArray TileAddressTemplate() {
    const QByteArray own = qgetenv("TRIPDESK_MAP_TILES");
    return own.isEmpty() ? QByteArray(kOpenStreetMapTiles) : own;
}

QByteArray MapServiceScript() {
    QByteArray script = FileBytes(LeafletFile("leaflet.js"));
    script += "\n;\n";
    script += FileBytes(":/qtwebchannel/qwebchannel.js");
    script += "\n;\nvar tripdeskTileAddress = ";
    // A JSON string is a script string literal: the address cannot break out of it.
    script += QJsonDocument::fromVariant(QVariantList{QString::fromUtf8(TileAddressTemplate())})
                  .toJson(QJsonDocument::Compact)
                  .mid(1)
                  .chopped(1);
    script += ";\n";
    script += FileBytes(":/tripdesk/map/map_adapter.js");
    return script;
}

void MapSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    static const QRegularExpression imageName("^/leaflet/images/[a-z0-9-]+\\.png$");
    const QUrl url = job->requestUrl();
    const QString path = url.path();
    if (url.host() == "api" && path == "/maps" && IsApiQuery(url)) {
        Reply(job, "text/javascript", MapServiceScript());
        return;
    }
    QByteArray mime;
    if (path == "/leaflet/leaflet.css") mime = "text/css";
    else if (imageName.match(path).hasMatch()) mime = "image/png";
    const QByteArray bytes = mime.isEmpty() ? QByteArray() : FileBytes(LeafletFile(path.mid(9)));
    if (url.host() != "api" || bytes.isEmpty()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    Reply(job, mime, bytes);
}

} // namespace map
