// Textures named by web address: fetched from a server of the test's own on 127.0.0.1 into their
// slot, and on a failure (404, no server, no picture) a warning that names the address and the
// reason while the slot keeps its texture; a headless render of a sequence that names one.
#include "effects/TextureSlots.h"
#include "effects/pictures/PictureEffect.h"
#include "render/HeadlessContext.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/LocalHttpServer.h"
#include "support/ScriptedPlatform.h"
#include "support/SequenceFrames.h"
#include "timeline/SequenceFile.h"
#include "timeline/SequenceJson.h"
#include "timeline/SequenceLibrary.h"

#include <GL/gl.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QSize levelSize(unsigned name) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    return {w, h};
}

QRgb firstTexel(unsigned name) {
    const QSize size = levelSize(name);
    std::vector<uint8_t> pixels(size_t(size.width() * size.height() * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return qRgb(pixels[0], pixels[1], pixels[2]);
}

class WebTextures : public ::testing::Test {
  protected:
    void SetUp() override {
        QString error;
        context_ = HeadlessContext::create(&error);
        ASSERT_TRUE(context_) << error.toStdString();
        ASSERT_TRUE(server.listening());
        server.serve("/green.png",
                     {200, "OK", "image/png", LocalHttpServer::pngPicture(8, 4, qRgb(0, 200, 0))});
        server.serve("/page.html", {200, "OK", "text/html", "<html><body>hello</body></html>"});
    }

    // The single warning a failed load showed.
    void expectWarning(const QString& address, const QString& reason) {
        ASSERT_EQ(headless.messages.size(), 1u) << address.toStdString();
        EXPECT_EQ(headless.messages[0].text,
                  "Unable to load the picture " + address + ": " + reason + ".");
        EXPECT_EQ(headless.messages[0].caption, "Warning");
        EXPECT_EQ(headless.messages[0].icon, MessageIcon::Warning);
        headless.messages.clear();
    }

    std::unique_ptr<HeadlessContext> context_;
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    LocalHttpServer server;
    std::unique_ptr<CZoetraView> view = makeScene();
};

} // namespace

TEST_F(WebTextures, AnAddressIsFetchedIntoTheSlot) {
    CZoetraView& v = *view;
    v.assetPathMode = 0; // as while a sequence is read: only an address escapes the folder
    const QByteArray green = server.address("/green.png").toLocal8Bit();
    ASSERT_TRUE(loadMipmappedTexture(v, green.constData(), v.tunnelTexture));
    EXPECT_EQ(levelSize(v.tunnelTexture), QSize(8, 4));
    EXPECT_EQ(firstTexel(v.tunnelTexture), qRgb(0, 200, 0));
    ASSERT_TRUE(loadKeyedTexture(v, green.constData(), v.starTexture));
    EXPECT_EQ(firstTexel(v.starTexture), qRgb(0, 200, 0));
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_EQ(server.requests, QList<QString>({"/green.png", "/green.png"}));

    // A picture path goes under the working folder while a sequence is read, so an address
    // there names no file and nothing is fetched; chosen by the user, it is fetched.
    EXPECT_FALSE(loadPictureTexture(v, 1, green.constData()));
    EXPECT_EQ(server.requests.size(), 2);
    EXPECT_TRUE(headless.messages.empty());
    v.assetPathMode = 2;
    ASSERT_TRUE(loadPictureTexture(v, 1, green.constData()));
    EXPECT_EQ(levelSize(v.pictureTexture1), QSize(8, 4));
    EXPECT_EQ(v.pictureNaturalSize[0].width, 212); // 8 px at 96 dpi in 0.01 mm
}

TEST_F(WebTextures, AFailedFetchSaysWhyAndKeepsTheSlot) {
    CZoetraView& v = *view;
    v.assetPathMode = 0;
    ASSERT_TRUE(
        loadMipmappedTexture(v, server.address("/green.png").toLocal8Bit(), v.tileTexture1));
    const unsigned before = v.tileTexture1;

    const QString missing = server.address("/missing.jpg");
    EXPECT_FALSE(loadMipmappedTexture(v, missing.toLocal8Bit(), v.tileTexture1));
    expectWarning(missing, "the server answered 404 Not Found");

    const QString page = server.address("/page.html");
    EXPECT_FALSE(loadKeyedTexture(v, page.toLocal8Bit(), v.tileTexture1));
    expectWarning(page, "what came back is not a picture");

    const QString closed =
        QStringLiteral("http://127.0.0.1:%1/a.jpg").arg(LocalHttpServer::closedPort());
    EXPECT_FALSE(loadKeyedTexture(v, closed.toLocal8Bit(), v.tileTexture1));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_TRUE(
        headless.messages[0].text.startsWith("Unable to load the picture " + closed + ": "));
    EXPECT_TRUE(headless.messages[0].text.contains("refused", Qt::CaseInsensitive));

    EXPECT_EQ(v.tileTexture1, before);
    EXPECT_TRUE(glIsTexture(before));
    EXPECT_EQ(firstTexel(before), qRgb(0, 200, 0));
}

namespace {
// A copy of a stored sequence whose tunnel texture is `texturePath`, written into `dir`.
QString tunnelSequenceWithTexture(const QTemporaryDir& dir, const QString& texturePath) {
    QFile lmt(QDir(programSequencesFolder()).filePath("Star Tunnel.lmt"));
    EXPECT_TRUE(lmt.open(QIODevice::ReadOnly));
    SequenceRecord record;
    QString error;
    EXPECT_TRUE(parseSequence(lmt.readAll(), record, error)) << error.toStdString();
    QByteArray text = sequenceToJson(record);
    const QByteArray stored = "\"tunnel.texturePath\": \"Textures/pollav.jpg\"";
    EXPECT_TRUE(text.contains(stored));
    text.replace(stored, "\"tunnel.texturePath\": \"" + texturePath.toUtf8() + "\"");
    EXPECT_TRUE(sequenceFromJson(text, record, error)) << error.toStdString();
    const QString path = dir.filePath(QString::number(qHash(texturePath)) + ".lmt");
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(serializeSequence(record));
    return path;
}
} // namespace

TEST_F(WebTextures, AHeadlessRenderFetchesTheSequencesTexture) {
    context_.reset(); // the render makes its own context
    QTemporaryDir dir;
    const QImage stored =
        renderSequenceFrames(tunnelSequenceWithTexture(dir, "Textures/pollav.jpg"), 0, 0).at(0);
    const QImage web =
        renderSequenceFrames(tunnelSequenceWithTexture(dir, server.address("/green.png")), 0, 0)
            .at(0);
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_TRUE(server.requests.contains("/green.png"));
    EXPECT_NE(web, stored);
    // The tunnel walls are the served green: no lit pixel has more red or blue than green.
    int green = 0;
    for (int y = 0; y < web.height(); ++y)
        for (int x = 0; x < web.width(); ++x) {
            const QRgb p = web.pixel(x, y);
            if (qGreen(p) > 40 && qGreen(p) > qRed(p) && qGreen(p) > qBlue(p)) ++green;
        }
    EXPECT_GT(green, web.width() * web.height() / 10);

    // An address that fails keeps the start-up texture, as a missing file does (silently).
    const QImage missingFile =
        renderSequenceFrames(tunnelSequenceWithTexture(dir, "Textures/none.jpg"), 0, 0).at(0);
    EXPECT_TRUE(headless.messages.empty());
    const QString missing = server.address("/gone.jpg");
    const QImage failed = renderSequenceFrames(tunnelSequenceWithTexture(dir, missing), 0, 0).at(0);
    expectWarning(missing, "the server answered 404 Not Found");
    EXPECT_EQ(failed, missingFile);
}
