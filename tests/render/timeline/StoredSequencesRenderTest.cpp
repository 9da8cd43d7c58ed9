// The program's library of stored sequences: there are at least sixteen, each loads without a
// message, lasts 5 to 20 seconds with at least three keys, and renders its first and its last
// frame headlessly, the two unlike each other and neither of them blank; the one with every layer
// renders the same twice.
#include "support/ScriptedPlatform.h"
#include "support/SequenceFrames.h"
#include "timeline/SequenceFile.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <map>

namespace {

// Pixels with any channel above 24.
int litPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 24 || qGreen(p) > 24 || qBlue(p) > 24) ++lit;
        }
    return lit;
}

} // namespace

TEST(StoredSequences, EveryOneLoadsAndRendersItsFirstAndLastFrames) {
    const QDir folder(programSequencesFolder());
    const QStringList names = folder.entryList({"*.lmt"}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 16) << "stored sequences in " << folder.path().toStdString();
    constexpr int fps = 30;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString path = folder.filePath(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        SequenceRecord record;
        QString error;
        ASSERT_TRUE(parseSequence(file.readAll(), record, error)) << error.toStdString();
        ASSERT_GE(record.keys.size(), 3u);
        const int lastFrame = record.keys.back().frame - 1;
        EXPECT_GE(lastFrame + 1, 5 * fps);
        EXPECT_LE(lastFrame + 1, 20 * fps);

        ScriptedPlatform headless;
        const PlatformOverride useHeadless(headless);
        const std::map<int, QImage> first = renderSequenceFrames(path, 0, 0);
        const std::map<int, QImage> last = renderSequenceFrames(path, lastFrame, -1);
        for (const ScriptedPlatform::Message& message : headless.messages)
            ADD_FAILURE() << "message: " << message.text.toStdString();
        ASSERT_EQ(first.size(), 1u);
        ASSERT_FALSE(last.empty());
        EXPECT_EQ(last.rbegin()->first, lastFrame);
        const QImage& a = first.begin()->second;
        const QImage& b = last.rbegin()->second;
        EXPECT_GT(litPixels(a), a.width() * a.height() / 50);
        EXPECT_GT(litPixels(b), b.width() * b.height() / 50);
        EXPECT_NE(a, b);
    }
}

// Every layer at once with the radial blur: two renders give the same frames, and it moves.
TEST(StoredSequences, EveryLayerAtOnceRendersTheSameTwice) {
    const QString path = QDir(programSequencesFolder()).filePath("Everything at Once.lmt");
    ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
    const std::map<int, QImage> first = renderSequenceFrames(path, 0, 40);
    const std::map<int, QImage> second = renderSequenceFrames(path, 0, 40);
    ASSERT_EQ(first.size(), 41u);
    ASSERT_EQ(second.size(), 41u);
    for (const auto& [frame, picture] : first)
        EXPECT_EQ(picture, second.at(frame)) << "frame " << frame;
    EXPECT_NE(first.at(0), first.at(40));
}
