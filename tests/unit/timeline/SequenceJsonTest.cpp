// The JSON text form and `lumatoy info` of sequence files.
#include "timeline/SequenceJson.h"
#include "cli/SequenceCommands.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "timeline/KeyableParams.h"
#include "timeline/SequenceScene.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// A record as this program writes it, with awkward values.
SequenceRecord writtenRecord() {
    auto v = makeScene();
    v->textString = "Two \"lines\"\r\n\xE9t\xE9 100%";
    v->fontFace = "Arial Black";
    v->starsOn = 2;
    v->fireTextureName = "Particles/Fire.bmp";
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        v->startKey[p] = 0.1f * p - 3.3f;
    v->startKey[3] = -0.0f;
    v->startKey[4] = 1e-38f;
    v->startKey[5] = 3.4028235e38f;
    v->keyCount = 2;
    v->keyFrames[1] = 30;
    v->keyFrames[2] = 9999;
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p) {
        v->keyTrack[p][30] = std::nextafter(float(p), 1000.0f);
        v->keyTrack[p][9999] = p / 7.0f;
    }
    v->keyTrack[7][9999] = INFINITY;
    return captureSequence(*v);
}

std::string readAll(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        s.append(buffer, n);
    return s;
}

} // namespace

TEST(SequenceJson, WrittenFileSurvivesJsonByteForByte) {
    const SequenceRecord record = writtenRecord();
    const QByteArray bytes = serializeSequence(record);
    const QByteArray json = sequenceToJson(record);
    SequenceRecord back;
    QString error;
    ASSERT_TRUE(sequenceFromJson(json, back, error)) << error.toStdString();
    EXPECT_EQ(serializeSequence(back), bytes);
    // Every value is named by its id; implied values are left out.
    EXPECT_TRUE(json.contains("\"text.string\": \"Two \\\"lines\\\"\\r\\n"));
    EXPECT_TRUE(json.contains("\"model2.blur.colour.b\":"));
    EXPECT_TRUE(json.contains("\"particles.gravity.speedMin\":"));
    EXPECT_FALSE(json.contains("texturePathLength"));
    EXPECT_FALSE(json.contains("\"reserved\""));
    EXPECT_FALSE(json.contains("\"slots\""));
}

TEST(SequenceJson, DifferingCopiesAndOddValuesAreKept) {
    SequenceRecord record = writtenRecord();
    record.keys[0].values[36] = 123.5f; // a repeated star value that differs from its copy
    int reserved = kItemReserved;
    record.items[reserved].i = 7;
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (qstrcmp(headerItems()[n].id, "fire.texturePathLength") == 0) record.items[n].f = 3;
    const QByteArray bytes = serializeSequence(record);
    SequenceRecord back;
    QString error;
    ASSERT_TRUE(sequenceFromJson(sequenceToJson(record), back, error)) << error.toStdString();
    EXPECT_EQ(serializeSequence(back), bytes);
}

TEST(SequenceJson, OlderVersionComesBackAsVersionSix) {
    SequenceRecord record = writtenRecord();
    record.items[kItemVersion].f = 4.0f;
    QString error;
    SequenceRecord back;
    const QByteArray json = sequenceToJson(record);
    EXPECT_FALSE(json.contains("model2.on")); // version 4 has no model 2
    ASSERT_TRUE(sequenceFromJson(json, back, error)) << error.toStdString();
    SequenceRecord reread;
    ASSERT_TRUE(parseSequence(serializeSequence(back), reread, error));
    EXPECT_EQ(reread.version(), 6.0f);
    EXPECT_EQ(reread.keys.size(), 2u);
}

TEST(SequenceJson, EditsAreCheckedByName) {
    const QByteArray json = sequenceToJson(writtenRecord());
    auto refused = [](QByteArray text) {
        SequenceRecord r;
        QString error;
        EXPECT_FALSE(sequenceFromJson(text, r, error));
        return error;
    };
    QByteArray typo = json;
    typo.replace("\"stars.on\"", "\"stars.onn\"");
    EXPECT_TRUE(refused(typo).contains("stars.onn"));
    QByteArray wrongKind = json;
    wrongKind.replace("\"text.font.face\": \"Arial Black\"", "\"text.font.face\": 5");
    EXPECT_TRUE(refused(wrongKind).contains("text.font.face"));
    QByteArray badFrame = json;
    badFrame.replace("\"frame\": 9999", "\"frame\": 10000");
    EXPECT_TRUE(refused(badFrame).contains("key 2"));
    EXPECT_FALSE(refused("{ not json").isEmpty());

    // A person edits a path without its length: the length follows the path.
    QByteArray edited = json;
    edited.replace("Particles/Fire.bmp", "Particles/Flame.bmp");
    SequenceRecord r;
    QString error;
    ASSERT_TRUE(sequenceFromJson(edited, r, error)) << error.toStdString();
    for (int n = 1; n <= kHeaderItemCount; ++n) {
        if (qstrcmp(headerItems()[n].id, "fire.texturePathLength") == 0) {
            EXPECT_EQ(r.items[n].f, 19.0f);
        }
    }
}

TEST(SequenceJson, ConvertAndInfoCommands) {
    QTemporaryDir dir;
    const QString lmt = dir.filePath("a.lmt"), json = dir.filePath("a.json"),
                  again = dir.filePath("b.lmt");
    {
        QFile f(lmt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(serializeSequence(writtenRecord()));
    }
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(runConvertCommand({lmt, json}, err), 0) << readAll(err);
    EXPECT_EQ(runConvertCommand({json, again}, err), 0) << readAll(err);
    QFile a(lmt), b(again);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    EXPECT_EQ(runConvertCommand({lmt}, err), 2);
    EXPECT_EQ(runConvertCommand({dir.filePath("none.lmt"), json}, err), 1);

    std::FILE* out = std::tmpfile();
    ASSERT_EQ(describeSequence(lmt, true, out, err), 0);
    const QJsonObject info =
        QJsonDocument::fromJson(QByteArray::fromStdString(readAll(out))).object();
    EXPECT_EQ(info["version"].toDouble(), 6.0);
    EXPECT_EQ(info["keyCount"].toInt(), 2);
    EXPECT_EQ(info["keyFrames"].toArray().at(1).toInt(), 9999);
    EXPECT_EQ(info["timelineLength"].toInt(), 9999);
    EXPECT_TRUE(info["layers"].toObject()["stars"].toBool());
    EXPECT_FALSE(info["layers"].toObject()["tunnel"].toBool());
    EXPECT_EQ(info["font"].toString(), "Arial Black");
    EXPECT_EQ(info["assets"].toObject()["fireTexture"].toString(), "Particles/Fire.bmp");

    std::FILE* text = std::tmpfile();
    ASSERT_EQ(describeSequence(lmt, false, text, err), 0);
    const std::string report = readAll(text);
    EXPECT_NE(report.find("Key frames: 30, 9999"), std::string::npos);
    EXPECT_NE(report.find("Layers on: text, stars"), std::string::npos);
    EXPECT_EQ(describeSequence(json, false, text, err), 1);

    // Keys out of frame order keep their order through JSON and back, and the timeline is the
    // sum of the segments, backward ones included.
    SequenceRecord backward = writtenRecord();
    backward.keys.resize(3, backward.keys[0]);
    for (size_t k = 0; k < 3; ++k)
        backward.keys[k].frame = std::array{200, 100, 300}[k];
    {
        QFile f(lmt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(serializeSequence(backward));
    }
    EXPECT_EQ(runConvertCommand({lmt, json}, err), 0) << readAll(err);
    EXPECT_EQ(runConvertCommand({json, again}, err), 0) << readAll(err);
    QFile c(lmt), d(again);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly) && d.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), d.readAll());
    std::FILE* backwardInfo = std::tmpfile();
    ASSERT_EQ(describeSequence(again, true, backwardInfo, err), 0);
    const QJsonObject backwardObject =
        QJsonDocument::fromJson(QByteArray::fromStdString(readAll(backwardInfo))).object();
    EXPECT_EQ(backwardObject["keyFrames"].toArray(), QJsonArray({200, 100, 300}));
    EXPECT_EQ(backwardObject["timelineLength"].toInt(), 300);
    std::fclose(backwardInfo);

    // A file that is no sequence file is called that by convert and info.
    const QString notes = dir.filePath("notes.lmt");
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("shopping list: eggs, milk\n");
    }
    for (int command = 0; command < 2; ++command) {
        std::FILE* why = std::tmpfile();
        EXPECT_EQ(command == 0 ? runConvertCommand({notes, json}, why)
                               : describeSequence(notes, false, text, why),
                  1);
        EXPECT_EQ(readAll(why),
                  ("\"" + notes + "\" is not a Lumatoy sequence file.\n").toStdString());
        std::fclose(why);
    }
    std::fclose(out);
    std::fclose(text);
    std::fclose(err);
}
