// A tiny HTTP server on 127.0.0.1 for tests of web fetches: it answers GET requests for the paths
// it was given (a body with its status and type, or silence), and 404 for any other path. It
// serves from the test's own thread, inside the fetch's event loop.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QRgb>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

class LocalHttpServer : public QObject {
  public:
    struct Answer {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray contentType = "application/octet-stream";
        QByteArray body;
        bool silent = false; // accept the request and never answer
    };

    LocalHttpServer();
    ~LocalHttpServer() override;

    bool listening() const { return server_.isListening(); }
    quint16 port() const { return server_.serverPort(); }
    // "http://127.0.0.1:PORT" followed by `path`.
    QString address(const QString& path) const;

    void serve(const QString& path, const Answer& answer) { answers_[path] = answer; }
    // A PNG picture of `width` x `height` filled with `colour`.
    static QByteArray pngPicture(int width, int height, QRgb colour);

    // The paths requested so far, in order.
    QList<QString> requests;

    // A port on 127.0.0.1 where nothing listens (it was free a moment ago).
    static quint16 closedPort();

  private:
    void answer(QTcpSocket* socket);

    QTcpServer server_;
    QMap<QString, Answer> answers_;
    QList<QPointer<QTcpSocket>> sockets_;
};
