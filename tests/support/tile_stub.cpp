#include "tile_stub.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTcpSocket>

namespace tripdesk::test {

namespace {

QByteArray TilePicture() {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(QColor(120, 200, 120));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Response(const QByteArray& status, const QByteArray& type, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

TileStub::TileStub() : tile_(TilePicture()) {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QByteArray TileStub::addressTemplate() const {
    return "http://127.0.0.1:" + QByteArray::number(server_.serverPort()) + "/{z}/{x}/{y}.png";
}

void TileStub::Answer(QTcpSocket* socket) {
    // The whole head first; a request is small and comes in one piece or a few.
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    const int end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("head", head);
        return;
    }
    static const QRegularExpression tilePath("^/\\d+/\\d+/\\d+\\.png$");
    const QList<QByteArray> lines = head.left(end).split('\n');
    const QList<QByteArray> request = lines.value(0).trimmed().split(' ');
    const QString path = QString::fromLatin1(request.value(1));
    for (const QByteArray& line : lines) {
        if (line.toLower().startsWith("user-agent:")) agents_ << QString::fromUtf8(line.mid(11).trimmed());
    }
    paths_ << path;
    const bool isTile = request.value(0) == "GET" && tilePath.match(path).hasMatch();
    socket->write(isTile ? Response("200 OK", "image/png", tile_) : Response("404 Not Found", "text/plain", "no"));
    socket->disconnectFromHost();
}

QByteArray ClosedPortTileAddress() {
    // A port just given up by the system is free; nothing listens there.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return "http://127.0.0.1:" + QByteArray::number(port) + "/{z}/{x}/{y}.png";
}

} // namespace tripdesk::test
