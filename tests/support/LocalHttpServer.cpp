// The test HTTP server: one request per connection, answered from its table.
#include "support/LocalHttpServer.h"

#include <QBuffer>
#include <QImage>
#include <QTcpSocket>

LocalHttpServer::LocalHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            sockets_ << socket;
            QObject::connect(socket, &QTcpSocket::readyRead, this,
                             [this, socket] { answer(socket); });
        }
    });
}

LocalHttpServer::~LocalHttpServer() {
    for (const QPointer<QTcpSocket>& socket : sockets_)
        if (socket) socket->abort();
}

QString LocalHttpServer::address(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

QByteArray LocalHttpServer::pngPicture(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

quint16 LocalHttpServer::closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void LocalHttpServer::answer(QTcpSocket* socket) {
    // The request is complete once its header ends; GET requests carry no body.
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || socket->property("answered").toBool()) return;
    socket->setProperty("answered", true);

    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = words.size() >= 2 ? QString::fromLatin1(words[1]) : QString();
    requests << path;
    Answer reply;
    if (answers_.contains(path)) {
        reply = answers_.value(path);
    } else {
        reply.status = 404;
        reply.reason = "Not Found";
        reply.contentType = "text/html";
        reply.body = "<html><body>Not here</body></html>";
    }
    if (reply.silent) return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reply.reason +
                      "\r\nContent-Type: " + reply.contentType +
                      "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                      "\r\nConnection: close\r\n\r\n";
    socket->write(head + reply.body);
    socket->disconnectFromHost();
}
