// A stored sequence whose model slots name the files start-up already loaded there keeps those
// meshes: no splash, no waits, and the same frames as a sequence whose models are read afresh.
#include "platform/ProgramFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/SequenceFrames.h"
#include "timeline/SequenceFile.h"
#include "timeline/SequenceJson.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// "Three Boxes" with every model path replaced by `modelPath`, written into `dir`.
QString threeBoxesWithModel(const QTemporaryDir& dir, const QString& modelPath) {
    QFile lmt(QDir(programSequencesFolder()).filePath("Three Boxes.lmt"));
    EXPECT_TRUE(lmt.open(QIODevice::ReadOnly));
    SequenceRecord record;
    QString error;
    EXPECT_TRUE(parseSequence(lmt.readAll(), record, error)) << error.toStdString();
    QByteArray text = sequenceToJson(record);
    for (const char* slot : {"model1", "model2", "model3"}) {
        const QByteArray stored = QByteArray("\"") + slot + ".path\": \"model/Tardis.3ds\"";
        EXPECT_TRUE(text.contains(stored)) << slot;
        text.replace(stored, QByteArray("\"") + slot + ".path\": \"" + modelPath.toUtf8() + "\"");
    }
    EXPECT_TRUE(sequenceFromJson(text, record, error)) << error.toStdString();
    const QString path = dir.filePath("three-boxes.lmt");
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(serializeSequence(record));
    return path;
}

} // namespace

TEST(SequenceModelReload, TheModelsStartUpLoadedAreKeptWithTheSamePixels) {
    QTemporaryDir dir;
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    const QString stored = QDir(programSequencesFolder()).filePath("Three Boxes.lmt");
    const std::map<int, QImage> kept = renderSequenceFrames(stored, 0, 30);
    // Start-up read the default model into each of the three slots; the sequence read nothing.
    const QStringList startUpSplash = headless.splashTexts;
    EXPECT_EQ(startUpSplash.size(), 9);
    EXPECT_EQ(headless.waitedMs, 9000);

    // The same model from another file: read afresh into all three slots.
    const QString copy = dir.filePath("Tardis.3ds");
    ASSERT_TRUE(QFile::copy(QDir(programFolder()).filePath("model/Tardis.3ds"), copy));
    headless.splashTexts.clear();
    const std::map<int, QImage> reread =
        renderSequenceFrames(threeBoxesWithModel(dir, copy), 0, 30);
    EXPECT_EQ(headless.splashTexts.size(), 18);
    EXPECT_EQ(headless.splashTexts.count(copy), 3);
    EXPECT_TRUE(headless.messages.empty());

    ASSERT_EQ(kept.size(), 31u);
    ASSERT_EQ(reread.size(), 31u);
    for (const auto& [frame, picture] : kept)
        EXPECT_EQ(picture, reread.at(frame)) << "frame " << frame;
    EXPECT_NE(kept.at(0), kept.at(30));
}
