#pragma once
// A map tile server on the loopback interface for map tests: any GET of /z/x/y.png is answered
// with one 256 x 256 PNG, anything else with 404; it records each asked path and user agent.
// User-interface thread (it answers from the event loop).

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

namespace tripdesk::test {

class TileStub : public QObject {
public:
    TileStub();

    // The tile address template for TRIPDESK_MAP_TILES: "http://127.0.0.1:PORT/{z}/{x}/{y}.png".
    QByteArray addressTemplate() const;

    const QStringList& paths() const { return paths_; }
    const QStringList& agents() const { return agents_; }

private:
    void Answer(QTcpSocket* socket);

    QTcpServer server_;
    QByteArray tile_;
    QStringList paths_;
    QStringList agents_;
};

// A tile address template on a loopback port nobody listens on, so that no test fetches tiles.
QByteArray ClosedPortTileAddress();

} // namespace tripdesk::test
