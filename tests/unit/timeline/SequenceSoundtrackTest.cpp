// The soundtrack of a sequence: a field of its own in the JSON form, the profile's entry for a
// .lmt file, and a binary file that stays byte for byte what it was.
#include "export/SoundtrackChoice.h"
#include "support/TempProfile.h"
#include "timeline/SequenceFile.h"
#include "timeline/SequenceJson.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray storedSequenceBytes() {
    QFile file(QDir(qEnvironmentVariable("LUMATOY_HOME")).filePath("Sequences/Dream Flag.lmt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SequenceSoundtrack, JsonKeepsTheFieldAndTheBinaryFileStaysByteIdentical) {
    const QByteArray lmt = storedSequenceBytes();
    ASSERT_FALSE(lmt.isEmpty());
    SequenceRecord record;
    QString error;
    ASSERT_TRUE(parseSequence(lmt, record, error)) << error.toStdString();
    EXPECT_TRUE(record.soundtrack.isEmpty());
    EXPECT_FALSE(sequenceToJson(record).contains("soundtrack")); // no field without a choice

    record.soundtrack = QStringLiteral("/music/Été \"live\"\\take 2.flac");
    const QByteArray json = sequenceToJson(record);
    EXPECT_TRUE(json.contains("\"soundtrack\"")) << json.left(200).toStdString();

    SequenceRecord back;
    ASSERT_TRUE(sequenceFromJson(json, back, error)) << error.toStdString();
    EXPECT_EQ(back.soundtrack, record.soundtrack);
    EXPECT_EQ(sequenceToJson(back), json);
    // The binary form has no room for it: .lmt -> .json (with a soundtrack) -> .lmt is unchanged.
    EXPECT_EQ(serializeSequence(back), lmt);
}

TEST(SequenceSoundtrack, JsonRefusesASoundtrackThatIsNoText) {
    SequenceRecord record;
    QString error;
    ASSERT_TRUE(parseSequence(storedSequenceBytes(), record, error));
    QByteArray json = sequenceToJson(record);
    json.replace("\"version\"", "\"soundtrack\": 12,\n  \"version\"");
    SequenceRecord back;
    EXPECT_FALSE(sequenceFromJson(json, back, error));
    EXPECT_TRUE(error.contains("soundtrack")) << error.toStdString();
}

TEST(SequenceSoundtrack, TheProfileRemembersTheChoiceOfEachLmtFile) {
    TempProfile profile;
    ASSERT_TRUE(profile.isValid());
    QTemporaryDir dir;
    const QString a = dir.filePath("a/intro.lmt"), b = dir.filePath("b/intro.lmt");
    EXPECT_TRUE(rememberedSoundtrack(a).isEmpty());
    rememberSoundtrack(a, QStringLiteral("/music/one.mp3"));
    rememberSoundtrack(b, QStringLiteral("/music/two.wav"));
    EXPECT_EQ(rememberedSoundtrack(a), QStringLiteral("/music/one.mp3"));
    EXPECT_EQ(rememberedSoundtrack(b), QStringLiteral("/music/two.wav"));
    EXPECT_EQ(rememberedSoundtrack(dir.filePath("a/../a/intro.lmt")),
              QStringLiteral("/music/one.mp3"));
    rememberSoundtrack(a, QString());
    EXPECT_TRUE(rememberedSoundtrack(a).isEmpty());
    EXPECT_EQ(rememberedSoundtrack(b), QStringLiteral("/music/two.wav"));
}

} // namespace
