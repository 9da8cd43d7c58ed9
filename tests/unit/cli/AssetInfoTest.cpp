// `lumatoy info` on the default assets and on files the loaders refuse.
#include "cli/InfoCommand.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct InfoRun {
    int code = 0;
    QByteArray out, err;
};

QByteArray readAll(std::FILE* f) {
    std::rewind(f);
    QByteArray bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, qsizetype(n));
    std::fclose(f);
    return bytes;
}

InfoRun info(const QStringList& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    InfoRun r;
    r.code = runInfoCommand(args, out, err);
    r.out = readAll(out);
    r.err = readAll(err);
    return r;
}

QString home(const char* relative) {
    return QDir(qEnvironmentVariable("LUMATOY_HOME")).filePath(relative);
}

} // namespace

TEST(AssetInfo, DescribesTheDefaultModelAsJson) {
    const InfoRun r = info({home("model/Tardis.3ds"), "--json"});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["type"].toString(), "3ds");
    const QJsonArray objects = o["objects"].toArray();
    ASSERT_GE(objects.size(), 2);
    const QJsonObject first = objects[0].toObject();
    EXPECT_GT(first["vertices"].toInt(), 0);
    EXPECT_EQ(first["texVertices"].toInt(), first["vertices"].toInt());
    EXPECT_TRUE(first["hasTexture"].toBool());
    const QJsonArray materials = o["materials"].toArray();
    ASSERT_EQ(materials.size(), 1);
    EXPECT_EQ(materials[0].toObject()["textureFile"].toString(), "TardisImages3.jpg");
    EXPECT_EQ(materials[0].toObject()["colour"].toArray().size(), 3);
    EXPECT_TRUE(o["messages"].toArray().isEmpty());
}

TEST(AssetInfo, DescribesTgaAndPictures) {
    InfoRun r = info({home("Particles/particle.tga"), "--json"});
    ASSERT_EQ(r.code, 0);
    QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["type"].toString(), "tga");
    EXPECT_EQ(o["bitsPerPixel"].toInt(), 24);
    EXPECT_GT(o["width"].toInt(), 0);

    r = info({home("Images/sleeping-dog.jpg"), "--json"});
    ASSERT_EQ(r.code, 0);
    o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["type"].toString(), "picture");
    EXPECT_GT(o["width"].toInt(), 0);
    // Natural size at 96 dpi: pixels x 2540 / 96.
    EXPECT_NEAR(o["naturalWidth"].toInt(), o["width"].toInt() * 2540.0 / 96, 1);

    r = info({home("Images/sleeping-dog.jpg")});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("Picture: "));
}

TEST(AssetInfo, TheKindOfFileComesFromItsContentNotItsName) {
    QTemporaryDir dir;
    const QString model = dir.filePath("tardis");
    ASSERT_TRUE(QFile::copy(home("model/Tardis.3ds"), model));
    InfoRun r = info({model, "--json"});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(QJsonDocument::fromJson(r.out).object()["type"].toString(), "3ds");

    const QString sprite = dir.filePath("sprite.jpg");
    ASSERT_TRUE(QFile::copy(home("Particles/particle.tga"), sprite));
    r = info({sprite, "--json"});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(QJsonDocument::fromJson(r.out).object()["type"].toString(), "tga");

    const QString picture = dir.filePath("picture.3ds");
    ASSERT_TRUE(QFile::copy(home("Images/sleeping-dog.jpg"), picture));
    r = info({picture, "--json"});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_EQ(QJsonDocument::fromJson(r.out).object()["type"].toString(), "picture");

    // A sequence file begins with its version: 6.0 as a little-endian float.
    const QString sequence = dir.filePath("sequence.bin");
    QFile f(sequence);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromHex("0000c040"));
    f.close();
    r = info({sequence});
    EXPECT_EQ(r.code, 1); // truncated: the sequence reader refuses it
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_FALSE(r.err.contains("picture")) << r.err.constData();
}

TEST(AssetInfo, RefusedFilesExitNonZeroWithTheLoaderMessage) {
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.3ds");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a model at all");
    f.close();
    InfoRun r = info({bad, "--json"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(
        r.err.contains("Unable to load PRIMARY chuck from file: " + bad.toLocal8Bit() + "!"));
    r = info({dir.filePath("none.3ds")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Unable to find the file"));
    r = info({dir.filePath("none.tga")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(info({}).code, 2);
}
