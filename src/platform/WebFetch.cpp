// Fetching web files with Qt Network inside a local event loop, with a time and size limit.
#include "platform/WebFetch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QOpenGLContext>
#include <QTimer>
#include <QUrl>

namespace {
// Process-wide on purpose: a fetch spins the event loop, which may paint any window, and the paint
// asks whether some fetch is under way whichever scene started it.
int g_fetchesRunning = 0;

struct FetchRunning {
    FetchRunning() { ++g_fetchesRunning; }
    ~FetchRunning() { --g_fetchesRunning; }
    FetchRunning(const FetchRunning&) = delete;
    FetchRunning& operator=(const FetchRunning&) = delete;
};

QString seconds(int ms) {
    return QString::number(ms / 1000.0, 'g', 3);
}

QString tooLargeText(qint64 maxBytes) {
    if (maxBytes >= (1 << 20))
        return QStringLiteral("the file is larger than %1 MB").arg(maxBytes >> 20);
    return QStringLiteral("the file is larger than %1 bytes").arg(maxBytes);
}

// The reason a finished reply failed, in words.
QString failureText(QNetworkReply& reply) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() >= 400) {
        const QString phrase =
            reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
        return QStringLiteral("the server answered %1%2")
            .arg(status.toInt())
            .arg(phrase.isEmpty() ? QString() : QLatin1Char(' ') + phrase);
    }
    // Qt's own text ("Connection refused") goes inside a sentence.
    QString text = reply.errorString();
    if (text.size() > 1 && text[0].isUpper() && text[1].isLower()) text[0] = text[0].toLower();
    return text;
}
} // namespace

bool isWebAddress(const QString& path) {
    return path.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           path.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

bool webFetchRunning() {
    return g_fetchesRunning > 0;
}

WebFetchResult fetchWebFile(const QString& address, int timeoutMs, qint64 maxBytes) {
    WebFetchResult result;
    const QUrl url(address, QUrl::StrictMode);
    if (!isWebAddress(address) || !url.isValid() || url.host().isEmpty()) {
        result.error = QStringLiteral("it is not a valid web address");
        return result;
    }
    if (!QCoreApplication::instance()) {
        result.error = QStringLiteral("the program cannot use the network here");
        return result;
    }

    const FetchRunning running;
    // Windows repaint while the fetch waits, and painting makes other GL contexts current: the
    // caller's one comes back afterwards.
    QOpenGLContext* callerContext = QOpenGLContext::currentContext();
    QSurface* callerSurface = callerContext ? callerContext->surface() : nullptr;
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);

    bool timedOut = false, tooLarge = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received > maxBytes && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    // Timers, network and repaints go on; clicks and keys wait until the answer is in.
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();
    if (callerContext && QOpenGLContext::currentContext() != callerContext)
        callerContext->makeCurrent(callerSurface);

    if (timedOut)
        result.error = QStringLiteral("no answer came within %1 seconds").arg(seconds(timeoutMs));
    else if (tooLarge)
        result.error = tooLargeText(maxBytes);
    else if (reply->error() != QNetworkReply::NoError)
        result.error = failureText(*reply);
    else {
        result.body = reply->readAll();
        result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
        if (result.body.size() > maxBytes)
            result.error = tooLargeText(maxBytes);
        else
            result.ok = true;
    }
    if (!result.ok) result.body.clear();
    delete reply;
    return result;
}
