// Fetching a file from a web address ("http://", "https://") with a time limit, for pictures named
// by address and the update check. The fetch runs a local event loop that lets timers and
// repaints through but no clicks or keys; it needs a QCoreApplication.
#pragma once

#include <QByteArray>
#include <QString>

// How long a fetch may take in all before it is given up.
inline constexpr int kWebFetchTimeoutMs = 10000;
// The largest body a fetch accepts.
inline constexpr qint64 kWebFetchMaxBytes = 64 * 1024 * 1024;

struct WebFetchResult {
    bool ok = false;
    QByteArray body;
    QString contentType; // as the server named it, e.g. "image/png"
    QString error;       // why it failed, a phrase such as "the server answered 404 Not Found"
};

// Whether `path` is a web address to fetch rather than a file name.
bool isWebAddress(const QString& path);

// Fetches `address`, following redirects. Fails with a reason when the server cannot be reached,
// answers with an error status, sends more than `maxBytes`, or takes longer than `timeoutMs`.
WebFetchResult fetchWebFile(const QString& address, int timeoutMs = kWebFetchTimeoutMs,
                            qint64 maxBytes = kWebFetchMaxBytes);

// True while a fetch waits for its answer. The window draws no frame meanwhile: the fetch may
// have been started halfway through a change to the scene.
bool webFetchRunning();
