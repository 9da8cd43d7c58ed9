// Web fetches against a server of the test's own on 127.0.0.1: the body, or why there is none.
#include "platform/WebFetch.h"
#include "support/LocalHttpServer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

TEST(WebFetch, AddressesAreToldFromFileNames) {
    EXPECT_TRUE(isWebAddress("http://example.org/a.jpg"));
    EXPECT_TRUE(isWebAddress("HTTPS://example.org/a.jpg"));
    EXPECT_FALSE(isWebAddress("Textures/http://example.org/a.jpg"));
    EXPECT_FALSE(isWebAddress("/home/me/Textures/Gold.jpg"));
    EXPECT_FALSE(fetchWebFile("Textures/Gold.jpg").ok);
    EXPECT_FALSE(fetchWebFile("http://").ok);
}

TEST(WebFetch, BodyOrTheReasonItFailed) {
    LocalHttpServer server;
    ASSERT_TRUE(server.listening());
    const QByteArray png = LocalHttpServer::pngPicture(8, 4, qRgb(10, 200, 30));
    server.serve("/pic.png", {200, "OK", "image/png", png});
    server.serve("/big", {200, "OK", "text/plain", QByteArray(5000, 'x')});

    const WebFetchResult good = fetchWebFile(server.address("/pic.png"));
    EXPECT_TRUE(good.ok) << good.error.toStdString();
    EXPECT_EQ(good.body, png);
    EXPECT_EQ(good.contentType, "image/png");
    EXPECT_FALSE(webFetchRunning());

    const WebFetchResult missing = fetchWebFile(server.address("/none.png"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.body.isEmpty());
    EXPECT_EQ(missing.error, "the server answered 404 Not Found");

    const WebFetchResult large = fetchWebFile(server.address("/big"), 5000, 1000);
    EXPECT_FALSE(large.ok);
    EXPECT_EQ(large.error, "the file is larger than 1000 bytes");

    const WebFetchResult refused = fetchWebFile(
        QStringLiteral("http://127.0.0.1:%1/a.png").arg(LocalHttpServer::closedPort()));
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.contains("refused", Qt::CaseInsensitive))
        << refused.error.toStdString();
}

TEST(WebFetch, AServerThatNeverAnswersIsGivenUp) {
    LocalHttpServer server;
    LocalHttpServer::Answer silence;
    silence.silent = true;
    server.serve("/slow.png", silence);
    QElapsedTimer clock;
    clock.start();
    const WebFetchResult slow = fetchWebFile(server.address("/slow.png"), 300);
    EXPECT_FALSE(slow.ok);
    EXPECT_EQ(slow.error, "no answer came within 0.3 seconds");
    EXPECT_EQ(server.requests, QList<QString>{"/slow.png"}); // it was asked, and kept silent
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(webFetchRunning());
}

} // namespace
