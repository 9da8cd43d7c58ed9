// Readers of outside files refuse what they cannot hold, without blocking or reading without
// bound, and say what is wrong: special files, huge files, strict JSON, cut files, wide paths.
#include "assets/TgaImage.h"
#include "platform/WholeFile.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/RecordingAssetLoads.h"
#include "support/TempDir.h"
#include "timeline/SequenceFile.h"
#include "timeline/SequenceJson.h"
#include "timeline/SequenceLayout.h"
#include "timeline/SequenceLibrary.h"
#include "timeline/SequenceScene.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QJsonObject scenery() {
    QFile file(QDir(testDataDir()).filePath("scenery.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The error the JSON reader gives for the scenery sequence changed by `change`.
QString jsonRefusal(const std::function<void(QJsonObject&)>& change) {
    QJsonObject root = scenery();
    change(root);
    SequenceRecord record;
    QString error;
    const bool read = sequenceFromJson(QJsonDocument(root).toJson(), record, error);
    return read ? QStringLiteral("(accepted)") : error;
}

void setIn(QJsonObject& root, const char* section, const char* name, const QJsonValue& value) {
    QJsonObject inner = root.value(section).toObject();
    inner.insert(name, value);
    root.insert(section, inner);
}

int itemNumber(const char* id) {
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (qstrcmp(headerItems()[n].id, id) == 0) return n;
    return 0;
}

void makeSparse(const QString& path, qint64 size, const QByteArray& head = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(head);
    ASSERT_TRUE(file.resize(size));
}

} // namespace

TEST(StrictSequenceJson, KeysThatAreNoListAreRefused) {
    for (const QJsonValue& keys :
         {QJsonValue("3 keys"), QJsonValue(QJsonValue::Null), QJsonValue(3),
          QJsonValue(QJsonObject{{"frame", 1}}), QJsonValue(true)}) {
        const QString error = jsonRefusal([&](QJsonObject& r) { r.insert("keys", keys); });
        EXPECT_TRUE(error.startsWith("\"keys\" must be a list of keys")) << error.toStdString();
    }
    EXPECT_EQ(jsonRefusal([](QJsonObject& r) { r.insert("keys", QJsonArray{5}); }),
              "Key 1 must be an object with \"frame\" and \"values\".");
    EXPECT_EQ(jsonRefusal([](QJsonObject& r) { r.insert("header", "none"); }),
              "\"header\" must be an object of named values.");
}

TEST(StrictSequenceJson, NumbersBeyondSinglePrecisionAreRefusedByName) {
    QString error =
        jsonRefusal([](QJsonObject& r) { setIn(r, "header", "tunnel.colour.r", 1e39); });
    EXPECT_TRUE(error.startsWith("\"tunnel.colour.r\" is beyond the range")) << error.toStdString();
    error = jsonRefusal([](QJsonObject& r) { setIn(r, "header", "tunnel.colour.g", -1e-50); });
    EXPECT_TRUE(error.startsWith("\"tunnel.colour.g\" is too small")) << error.toStdString();
    error = jsonRefusal([](QJsonObject& r) {
        QJsonArray keys = r.value("keys").toArray();
        QJsonObject key = keys[1].toObject();
        setIn(key, "values", "text.rotate.y", 3e40);
        keys[1] = key;
        r.insert("keys", keys);
    });
    EXPECT_TRUE(error.startsWith("\"text.rotate.y\" in key 2 is beyond the range"))
        << error.toStdString();
    // The largest float and the smallest subnormal are numbers like any other.
    EXPECT_EQ(jsonRefusal([](QJsonObject& r) {
                  setIn(r, "header", "tunnel.colour.r", 3.4028234663852886e38);
                  setIn(r, "header", "tunnel.colour.g", 1.5e-45);
              }),
              "(accepted)");
}

TEST(SequenceFileMessages, AFileCutInsideAKeyNamesThatKey) {
    QJsonObject root = scenery();
    QJsonArray keys = root.value("keys").toArray();
    QJsonObject third = keys[1].toObject();
    third.insert("frame", 90);
    keys.append(third);
    root.insert("keys", keys);
    SequenceRecord record;
    QString error;
    ASSERT_TRUE(sequenceFromJson(QJsonDocument(root).toJson(), record, error));
    const QByteArray whole = serializeSequence(record);
    // Each key record is the same size: find where the keys start from a file without keys.
    SequenceRecord none = record;
    none.keys.clear();
    const qint64 headerSize = serializeSequence(none).size();
    const qint64 recordSize = (whole.size() - headerSize) / 3;
    for (int key = 1; key <= 3; ++key) {
        const QByteArray cut = whole.left(headerSize + (key - 1) * recordSize + recordSize / 2);
        ASSERT_FALSE(parseSequence(cut, record, error));
        EXPECT_EQ(error,
                  QStringLiteral("The file ends early, in key %1 of its key records.").arg(key));
    }
}

TEST(SequencePaths, APathBeyondSingleBytesIsStoredWideAndComesBackUnchanged) {
    QJsonObject root = scenery();
    const QString model = QStringLiteral("model/m\u00fcdel-\u00ef-\u0416.3ds");
    setIn(root, "header", "model1.path", model);
    setIn(root, "header", "tile1.texturePath", QStringLiteral("Textures/caf\u00e9.jpg"));
    SequenceRecord record;
    QString error;
    ASSERT_TRUE(sequenceFromJson(QJsonDocument(root).toJson(), record, error))
        << error.toStdString();
    // In memory a path is named as the system names files.
    EXPECT_EQ(record.items[itemNumber("model1.path")].s, QFile::encodeName(model));
    const QByteArray lmt = serializeSequence(record);
    EXPECT_TRUE(lmt.contains(QByteArray("\xFF\xFE\xFF", 3)));
    SequenceRecord back;
    ASSERT_TRUE(parseSequence(lmt, back, error)) << error.toStdString();
    EXPECT_EQ(back.items[itemNumber("model1.path")].s, QFile::encodeName(model));
    EXPECT_EQ(back.items[itemNumber("tile1.texturePath")].s,
              QFile::encodeName(QStringLiteral("Textures/caf\u00e9.jpg")));
    const QJsonObject again = QJsonDocument::fromJson(sequenceToJson(back)).object();
    EXPECT_EQ(again.value("header").toObject().value("model1.path").toString(), model);
    // The 3D text stays single-byte text, as the font draws it.
    EXPECT_EQ(back.items[itemNumber("text.string")].s, record.items[itemNumber("text.string")].s);
    // An ASCII path keeps the narrow form old readers know.
    setIn(root, "header", "model1.path", "model/plain.3ds");
    setIn(root, "header", "tile1.texturePath", "Textures/plain.jpg");
    ASSERT_TRUE(sequenceFromJson(QJsonDocument(root).toJson(), record, error));
    EXPECT_FALSE(serializeSequence(record).contains(QByteArray("\xFF\xFE\xFF", 3)));
}

TEST(SpecialInputFiles, OnlyRegularFilesAreReadAndNeverPastTheirBound) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.lmt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString sparse = dir.filePath("huge.lmt");
    makeSparse(sparse, qint64(1) << 30);
    QElapsedTimer timer;
    timer.start();
    const std::pair<QString, QString> cases[] = {
        {fifo, "it is a FIFO (named pipe), not a file"},
        {"/dev/zero", "it is a device, not a file"},
        {dir.path(), "it is a folder"},
        {sparse, "it is larger than 32 MB, more than such a file can hold"},
        {dir.filePath("missing.lmt"), QString::fromLocal8Bit(std::strerror(ENOENT))},
        {QString(), "no file name"}};
    for (const auto& [path, why] : cases) {
        QByteArray bytes;
        QString reason;
        EXPECT_FALSE(readWholeFile(path, kMaxSequenceBytes, bytes, &reason)) << path.toStdString();
        EXPECT_EQ(reason, why);
        EXPECT_TRUE(bytes.isEmpty());
    }
    EXPECT_LT(timer.elapsed(), 5000); // nothing blocked, nothing huge was read
}

TEST(TgaReading, SaysWhyAFileIsRefusedAndRefusesAHugeOneFromItsHeader) {
    QTemporaryDir dir;
    auto tga = [&](const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    };
    QByteArray header(18, '\0');
    header[2] = 2;
    header[12] = 4; // 4 x 4
    header[14] = 4;
    header[16] = 24; // bits per pixel
    const QString shortFile = tga("short.tga", header.left(10));
    const QString cut = tga("cut.tga", header + QByteArray(20, 'p'));
    const QString rle = tga("rle.tga", QByteArray(header).replace(2, 1, "\x0A"));
    QByteArray huge = header;
    huge[12] = 0;
    huge[13] = char(0x40); // 16384 x 16384
    huge[14] = 0;
    huge[15] = char(0x40);
    const QString hugeFile = dir.filePath("huge.tga");
    makeSparse(hugeFile, 18 + qint64(16384) * 16384 * 3, huge);
    const std::pair<QString, QString> cases[] = {
        {shortFile, "it is 10 bytes long, shorter than a TGA header (18 bytes)"},
        {cut, "it ends before its pixels (38 bytes of 66)"},
        {rle, "it is not an uncompressed true-colour or 256-colour mapped TGA file"},
        {hugeFile,
         "it is 16384 x 16384 pixels, larger than the largest texture read (8192 x 8192)"},
        {dir.filePath("missing.tga"), QString::fromLocal8Bit(std::strerror(ENOENT))},
        {"/dev/zero", "it is a device, not a file"}};
    QElapsedTimer timer;
    timer.start();
    for (const auto& [path, why] : cases) {
        TgaImage image;
        QString reason;
        EXPECT_FALSE(readTga(QFile::encodeName(path).constData(), image, &reason));
        EXPECT_EQ(reason, why) << path.toStdString();
    }
    EXPECT_LT(timer.elapsed(), 5000); // the huge one was refused from its header
}

// Opening every malformed sequence and special file: a message naming the file, and the scene
// exactly as it was (its whole sequence record compared byte for byte).
TEST(OpenBadSequence, EveryBadFileIsRefusedByNameAndLeavesTheSceneAsItWas) {
    QTemporaryDir dir;
    QStringList files;
    const QDir corpus(QDir(testDataDir()).filePath("bad"));
    for (const QString& name : corpus.entryList({"*.lmt"}, QDir::Files, QDir::Name))
        if (!name.contains("nan-and-inf")) files << corpus.filePath(name); // that one is read
    const QString fifo = dir.filePath("fifo.lmt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString sparse = dir.filePath("sparse.lmt");
    makeSparse(sparse, qint64(1) << 30);
    QDir(dir.path()).mkdir("folder.lmt");
    files << fifo << sparse << dir.filePath("folder.lmt") << "/dev/zero"
          << dir.filePath("gone.lmt");
    ASSERT_GT(files.size(), 20);

    RecordingAssetLoads loads;
    auto scene = makeScene();
    QString error;
    ASSERT_TRUE(loadSequenceFile(
        *scene, QDir(testDataDir()).filePath("../fuzz/corpus/readSequence/keys.lmt"), &error,
        &loads))
        << error.toStdString();
    const QByteArray before = serializeSequence(captureSequence(*scene));
    for (const QString& file : files) {
        loads.calls.clear();
        EXPECT_FALSE(loadSequenceFile(*scene, file, &error, &loads)) << file.toStdString();
        EXPECT_TRUE(error.contains(file)) << error.toStdString();
        EXPECT_TRUE(loads.calls.isEmpty()) << file.toStdString();
        EXPECT_EQ(serializeSequence(captureSequence(*scene)), before) << file.toStdString();
    }
}
