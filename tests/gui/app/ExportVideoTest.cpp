// Export Video, Save Bitmap and Copy to Clipboard from the main window's menu, with the dialogs
// answered through the platform layer and the files read back.
#include "app/MainFrame.h"
#include "app/ZoetraGLWidget.h"
#include "audio/AudioDecoder.h"
#include "export/AviWriter.h"
#include "export/ExportRun.h"
#include "scene/CZoetraView.h"
#include "support/VideoProbe.h"
#include "support/WavFile.h"
#include "support/gui/DeckFixture.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// The deck as the export sees it: a record of every hide and show.
QList<bool> g_deckVisibility;
struct VisibilityDeck : DeckUi {
    void setVisible(bool visible) override { g_deckVisibility << visible; }
};
VisibilityDeck g_deck;

class ExportVideoTest : public DeckFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        DeckFixture::SetUp();
        g_deckVisibility.clear();
    }

    // Keys at frames 0 and 50, set as the Keyframe Controls page sets them: the background goes
    // from black to red.
    void makeTwoKeySequence() {
        CZoetraView& v = scene();
        frame->withViewContext([&] {
            v.backgroundColour = {0, 0, 0};
            ASSERT_TRUE(addKey(v, 0));
            v.backgroundColour = {250, 0, 0};
            ASSERT_TRUE(addKey(v, 50));
        });
    }

    // Export Video from the menu with `preset`, the file chosen as `name` and Motion JPEG.
    QString exportAs(int preset, const QString& name = QStringLiteral("clip.avi")) {
        scene().exportPreset = preset;
        const QString path = dir.filePath(name);
        headless.files = {path};
        headless.compressions = {VideoCompression{QStringLiteral("mjpeg"), 85}};
        frame->action(Command::ExportVideo)->trigger();
        return path;
    }

    // The colour a live frame starts from (playback clears to the background colour instead).
    void clearTo(int red, int green, int blue) {
        frame->withViewContext(
            [&] { glClearColor(red / 255.0f, green / 255.0f, blue / 255.0f, 1); });
    }

    QStringList filesWritten() const { return QDir(dir.path()).entryList(QDir::Files); }

    static double meanRed(const QImage& image) {
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += qRed(image.pixel(x, y));
        return sum / (double(image.width()) * image.height());
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ExportVideoTest, RecordsTheTimelineAtTheFormatSizeAndLeavesTheWindowAlone) {
    makeTwoKeySequence();
    const QSize windowBefore = frame->size();
    const int viewWidth = scene().viewportWidth, viewHeight = scene().viewportHeight;
    headless.answers = {true}; // view the video
    const QString path = exportAs(0);

    ASSERT_EQ(headless.fileRequests.size(), 1u);
    EXPECT_EQ(headless.fileRequests[0].title, "Save a Lumatoy Video Clip");
    EXPECT_EQ(headless.fileRequests[0].defaultExtension, "avi");
    EXPECT_TRUE(headless.fileRequests[0].filter.startsWith("AVI Files (*.avi)"));
    EXPECT_TRUE(headless.messages.empty()) << headless.messages[0].text.toStdString();

    const DecodedVideo video = decodeVideo(path);
    ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
    EXPECT_EQ(video.container, "avi");
    EXPECT_EQ(video.frameCount, 50);
    EXPECT_EQ(video.width, 720);
    EXPECT_EQ(video.height, 576);
    EXPECT_EQ(video.rateNumerator, 25);
    EXPECT_EQ(video.rateDenominator, 1);
    QString complaint;
    EXPECT_TRUE(ffprobeAccepts(path, &complaint)) << complaint.toStdString();
    // Played through the timeline: black at the start, nearly the last key's red at the end.
    ASSERT_EQ(video.frames.size(), 50u);
    EXPECT_LT(meanRed(video.frames.front()), 40);
    EXPECT_GT(meanRed(video.frames.back()), 180);

    // The progress window counted the frames and went away; the run asked to show the file.
    EXPECT_EQ(headless.progressTotal, 50);
    EXPECT_EQ(headless.progressDone, 50);
    EXPECT_EQ(headless.progressTexts.last(), "Recording frame 50 of 50");
    EXPECT_FALSE(headless.progressVisible);
    EXPECT_FALSE(headless.busy_);
    EXPECT_EQ(headless.questions, QStringList{kViewVideoQuestion});
    EXPECT_EQ(headless.openedUrls, QStringList{path});

    // The window and the view's viewport are as they were; the format's rate is taken up.
    EXPECT_EQ(frame->size(), windowBefore);
    EXPECT_FALSE(frame->isStripped());
    EXPECT_EQ(scene().viewportWidth, viewWidth);
    EXPECT_EQ(scene().viewportHeight, viewHeight);
    EXPECT_EQ(scene().aviFrameRate, 25);
    EXPECT_EQ(scene().exportInProgress, 0.0f);
    EXPECT_FALSE(exportRunning(scene()));
    // The last recorded frame ended playback.
    EXPECT_FALSE(scene().timelinePlaying);
    EXPECT_EQ(scene().playFrame, 0);
}

TEST_F(ExportVideoTest, CarriesTheSoundtrackCutToTheFrames) {
    makeTwoKeySequence();
    const QString wav = dir.filePath("tone.wav");
    ASSERT_TRUE(writeWav(wav, 44100, 1, 5.0, toneWhile([](double) { return true; })));
    scene().soundtrackPath = wav;
    const QString path = exportAs(0); // 50 frames at 25 per second: 2 s
    EXPECT_TRUE(headless.messages.empty()) << headless.messages[0].text.toStdString();
    EXPECT_EQ(decodeVideo(path, false).frameCount, 50);
    AudioDecoder sound;
    QString error;
    ASSERT_TRUE(sound.open(path, &error)) << error.toStdString();
    std::vector<float> samples;
    while (sound.read(samples, 1 << 16) > 0) {
    }
    EXPECT_EQ(samples.size(), 2u * 48000 * 2);

    // A soundtrack that has gone away stops the export with a message.
    QFile::remove(wav);
    headless.messages.clear();
    exportAs(0, QStringLiteral("again.avi"));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_TRUE(headless.messages[0].text.contains("tone.wav"));
}

TEST_F(ExportVideoTest, CancelKeepsAPlayableFileWithTheFramesWritten) {
    makeTwoKeySequence();
    scene().deckOpen = 1;
    scene().deck = &g_deck;
    headless.cancelProgressAt = 5;
    headless.answers = {false};
    const QString path = exportAs(2, QStringLiteral("part"));

    // The name got its extension, and the question still comes: frames were written.
    const QString written = path + ".avi";
    EXPECT_EQ(filesWritten(), QStringList{"part.avi"});
    const DecodedVideo video = decodeVideo(written, false);
    ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
    EXPECT_EQ(video.frameCount, 5);
    EXPECT_EQ(video.width, 352);
    EXPECT_EQ(video.height, 288);
    EXPECT_TRUE(ffprobeAccepts(written));
    EXPECT_EQ(headless.questions.size(), 1);
    EXPECT_TRUE(headless.openedUrls.isEmpty());
    EXPECT_FALSE(headless.progressVisible);

    // The deck went away for the run and came back.
    EXPECT_EQ(g_deckVisibility, (QList<bool>{false, true}));
    EXPECT_EQ(scene().deckOpen, 1);
}

TEST_F(ExportVideoTest, CancelledDialogsWriteNothing) {
    makeTwoKeySequence();
    // The save dialog.
    scene().exportPreset = 2;
    headless.files.clear();
    frame->action(Command::ExportVideo)->trigger();
    EXPECT_EQ(headless.fileRequests.size(), 1u);
    EXPECT_TRUE(headless.compressionRequests.isEmpty());

    // The compression dialog.
    headless.files = {dir.filePath("never.avi")};
    headless.compressions = {std::nullopt};
    frame->action(Command::ExportVideo)->trigger();
    EXPECT_EQ(headless.compressionRequests.size(), 1);

    EXPECT_TRUE(filesWritten().isEmpty());
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_TRUE(headless.questions.isEmpty());
    EXPECT_TRUE(headless.progressTexts.isEmpty());
    EXPECT_FALSE(headless.busy_);
    EXPECT_FALSE(scene().timelinePlaying);
}

TEST_F(ExportVideoTest, AFileThatCannotBeCreatedIsReportedWithTheWritersText) {
    makeTwoKeySequence();
    // A folder that is a file: no user, not even root, can create anything inside it.
    QFile blocker(dir.filePath("folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = exportAs(2, QStringLiteral("folder/clip.avi"));

    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_TRUE(headless.messages[0].text.startsWith(
        QStringLiteral("AVI Engine failed to initialize. Check filename %1.").arg(path)))
        << headless.messages[0].text.toStdString();
    EXPECT_TRUE(headless.questions.isEmpty());
    EXPECT_TRUE(headless.progressTexts.isEmpty());
    EXPECT_EQ(filesWritten(), QStringList{"folder"});
}

TEST_F(ExportVideoTest, AFailedWriteStopsTheRunAndIsReportedOnce) {
    makeTwoKeySequence();
    // Every write to this file fails for want of space.
    ASSERT_TRUE(QFile::link("/dev/full", dir.filePath("full.avi")));
    exportAs(2, QStringLiteral("full.avi"));

    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text, "Unable to Export Video In this Format");
    EXPECT_LT(headless.progressDone, 50);
    EXPECT_FALSE(headless.progressVisible);
    EXPECT_TRUE(headless.questions.isEmpty()); // no video to look at
    EXPECT_FALSE(headless.busy_);
    EXPECT_FALSE(exportRunning(scene()));
}

TEST_F(ExportVideoTest, WithoutKeysThereIsNothingToRecordAndTheDeckStaysHidden) {
    scene().deckOpen = 1;
    scene().deck = &g_deck;
    exportAs(0);
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text,
              "Please create or load a keyframe sequence. There currently nothing to record.");
    EXPECT_TRUE(headless.fileRequests.empty());
    EXPECT_EQ(g_deckVisibility, QList<bool>{false});
    EXPECT_EQ(scene().deckOpen, 0);
}

namespace {
std::uint32_t le32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + offset);
}
} // namespace

TEST_F(ExportVideoTest, SaveBitmapWritesTheViewRoundedToAMultipleOfFour) {
    // A view 803 pixels wide is saved 800 wide; the height is kept.
    ZoetraGLWidget* gl = frame->viewWidget();
    frame->resize(frame->width() + 803 - gl->width(), frame->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return scene().viewportWidth == 803; }, 5000));
    const int height = scene().viewportHeight;
    clearTo(10, 60, 200);
    scene().deckOpen = 1;
    scene().deck = &g_deck;
    const QString path = dir.filePath("shot.bmp");
    headless.files = {path};
    frame->action(Command::SaveBitmap)->trigger();

    ASSERT_EQ(headless.fileRequests.size(), 1u);
    EXPECT_EQ(headless.fileRequests[0].title, "Export Screenshot");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(le32(bytes, 2), std::uint32_t(bytes.size()));
    EXPECT_EQ(le32(bytes, 18), 800u);
    EXPECT_EQ(le32(bytes, 22), std::uint32_t(height));
    EXPECT_EQ(bytes.size(), 54 + 800 * height * 3);
    EXPECT_EQ(g_deckVisibility, (QList<bool>{false, true}));
    EXPECT_TRUE(ffprobeAccepts(path));

    // Qt reads it, the right way up and in the right colours: the background fills the corners.
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(800, height));
    for (const QPoint corner : {QPoint(0, 0), QPoint(799, height - 1)}) {
        const QColor c = image.pixelColor(corner);
        EXPECT_NEAR(c.red(), 10, 3);
        EXPECT_NEAR(c.green(), 60, 3);
        EXPECT_NEAR(c.blue(), 200, 3);
    }
}

TEST_F(ExportVideoTest, CopyToClipboardHandsOverAPictureOfTheView) {
    clearTo(200, 30, 90);
    frame->action(Command::CopyToClipboard)->trigger();
    const QImage& image = headless.clipboard;
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(scene().viewportWidth / 4 * 4, scene().viewportHeight));
    const QColor corner = image.pixelColor(0, image.height() - 1);
    EXPECT_NEAR(corner.red(), 200, 3);
    EXPECT_NEAR(corner.green(), 30, 3);
    EXPECT_NEAR(corner.blue(), 90, 3);
    EXPECT_TRUE(headless.messages.empty());
}
