// The soundtrack on the Keyframe Controls page: chosen through the file dialog, its waveform
// drawn under the Frame slider, refused files that change nothing, the choice kept for the .lmt
// file, keys proposed on its beats, and playback that needs no sound device.
#include "support/gui/DeckFixture.h"

#include "deck/SoundtrackControl.h"
#include "deck/WaveformStrip.h"
#include "export/SoundtrackChoice.h"
#include "support/WavFile.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtMath>

namespace {

class KeyframeSoundtrack : public OpenDeckFixture {
  protected:
    void SetUp() override {
        OpenDeckFixture::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(dir.isValid());
        page = sheet->keyframePage();
        ASSERT_NE(page->waveform(), nullptr);
        scene().aviFrameRate = 30;
    }

    void click(const QString& caption) {
        QPushButton* button = page->button(caption);
        ASSERT_NE(button, nullptr) << caption.toStdString();
        button->click();
    }

    // Chooses `path` in the dialog of "Soundtrack…" and waits for the reading to end.
    bool choose(const QString& path) {
        headless.files.push_back(path);
        click(QStringLiteral("Soundtrack…"));
        return waitUntil([&] { return !page->soundtrack()->reading(); }, 20000);
    }

    // Clicks at 120 beats per minute from 0.5 s, a 440 Hz burst from 2 s to 3 s, 8 s long.
    QString clickTrack() {
        const QString path = dir.filePath("beat.wav");
        EXPECT_TRUE(writeWav(path, 48000, 2, 8.0, [](double t) {
            const double since = std::fmod(t + 10 - 0.5, 0.5);
            double v = t >= 0.5 && since < 0.004 ? 0.9 * std::sin(2 * M_PI * 3000 * t) : 0.0;
            if (t >= 2.0 && t < 3.0) v += 0.3 * std::sin(2 * M_PI * 440 * t);
            return v;
        }));
        return path;
    }

    QTemporaryDir dir;
    CmyPage10* page = nullptr;
};

} // namespace

TEST_F(KeyframeSoundtrack, TheWaveformLinesUpWithTheSliderAndTheChoiceStaysWithTheFile) {
    const QString lmt = dir.filePath("intro.lmt");
    ASSERT_TRUE(saveSequenceFile(scene(), lmt));
    const QString wav = clickTrack();
    ASSERT_TRUE(choose(wav));
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_EQ(scene().soundtrackPath, wav);
    EXPECT_EQ(rememberedSoundtrack(lmt), wav);

    WaveformStrip* strip = page->waveform();
    ASSERT_EQ(strip->peaks().size(), 240u);
    EXPECT_GT(strip->peaks()[75], 0.25f); // the burst: frames 60 ... 89
    EXPECT_LT(strip->peaks()[52], 0.01f); // between two clicks, before the burst
    // The strip lies under the slider and places a frame where the slider puts it.
    KeyTickSlider* slider = page->frameSlider();
    EXPECT_GT(strip->geometry().top(), slider->geometry().top());
    slider->setRange(0, 240);
    QStyleOptionSlider option;
    option.initFrom(slider);
    const int left = strip->xOfFrame(0), right = strip->xOfFrame(240);
    EXPECT_GT(right - left, slider->width() / 2);
    EXPECT_NEAR(strip->xOfFrame(120), (left + right) / 2.0, 1.0);
    // The burst is drawn at its frames and nowhere near the silence before it.
    QApplication::processEvents();
    const QImage picture = strip->grab().toImage();
    auto inked = [&](int frame) {
        const int x = strip->xOfFrame(frame);
        for (int y = 0; y < picture.height(); ++y)
            if (picture.pixelColor(x, y).blue() > picture.pixelColor(x, y).red() + 60) return true;
        return false;
    };
    EXPECT_TRUE(inked(75));
    EXPECT_FALSE(inked(40));

    // Loading the file again brings the soundtrack back; "No Soundtrack" forgets it.
    click(QStringLiteral("No Soundtrack"));
    EXPECT_TRUE(scene().soundtrackPath.isEmpty());
    EXPECT_TRUE(strip->peaks().empty());
    EXPECT_TRUE(rememberedSoundtrack(lmt).isEmpty());
    rememberSoundtrack(lmt, wav);
    ASSERT_TRUE(loadSequenceFile(scene(), lmt));
    page->sequenceLoaded(0);
    ASSERT_TRUE(waitUntil([&] { return !page->soundtrack()->reading(); }, 20000));
    EXPECT_EQ(scene().soundtrackPath, wav);
    EXPECT_EQ(strip->peaks().size(), 240u);
}

TEST_F(KeyframeSoundtrack, AFileWithoutSoundIsToldAndChangesNothing) {
    const QString wav = clickTrack();
    ASSERT_TRUE(choose(wav));
    const std::vector<float> before = page->waveform()->peaks();
    const QString empty = dir.filePath("empty.mp3");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString junk = dir.filePath("junk.wav");
    {
        QFile file(junk);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4000, 'x'));
    }
    for (const QString& bad : {empty, junk, dir.filePath("gone.flac")}) {
        SCOPED_TRACE(bad.toStdString());
        headless.messages.clear();
        ASSERT_TRUE(choose(bad));
        ASSERT_EQ(headless.messages.size(), 1u);
        EXPECT_TRUE(headless.messages[0].text.contains(QFileInfo(bad).fileName()));
        EXPECT_EQ(scene().soundtrackPath, wav);
        EXPECT_EQ(page->waveform()->peaks(), before);
    }
    // Cancelling the dialog changes nothing either.
    click(QStringLiteral("Soundtrack…"));
    EXPECT_FALSE(page->soundtrack()->reading());
    EXPECT_EQ(scene().soundtrackPath, wav);
}

TEST_F(KeyframeSoundtrack, KeysOnBeatsAreProposedThenAcceptedOrCleared) {
    ASSERT_TRUE(choose(clickTrack()));
    KeyTickSlider* slider = page->frameSlider();
    slider->setRange(0, 100); // beats at 0.5, 1.0, ... 3.0 s: frames 15, 30, ... 90
    click(QStringLiteral("Keys on Beats"));
    const QList<int> proposed = page->waveform()->proposedKeys();
    ASSERT_EQ(proposed.size(), 6);
    for (int i = 0; i < proposed.size(); ++i)
        EXPECT_LE(std::abs(proposed[i] - 15 * (i + 1)), 1) << i;
    EXPECT_EQ(scene().keyCount, 0);

    click(QStringLiteral("Clear Beat Keys"));
    EXPECT_TRUE(page->waveform()->proposedKeys().isEmpty());
    EXPECT_EQ(scene().keyCount, 0);

    click(QStringLiteral("Keys on Beats"));
    click(QStringLiteral("Accept Beat Keys"));
    EXPECT_TRUE(page->waveform()->proposedKeys().isEmpty());
    ASSERT_EQ(scene().keyCount, 6);
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(scene().keyFrames[i], proposed[i - 1]);
    EXPECT_EQ(slider->ticks().size(), 6);
}

TEST_F(KeyframeSoundtrack, PlayAndStopWorkWithOrWithoutASoundDevice) {
    ASSERT_TRUE(choose(clickTrack()));
    page->frameSlider()->setValue(0);
    page->button(QStringLiteral("+ Add Key"))->click();
    page->frameSlider()->setValue(60);
    scene().textRotation.y = 90;
    page->button(QStringLiteral("+ Add Key"))->click();
    click(QStringLiteral("Play >"));
    EXPECT_TRUE(scene().timelinePlaying);
    QTest::qWait(200);
    click(QStringLiteral("Stop"));
    EXPECT_FALSE(scene().timelinePlaying);
    EXPECT_TRUE(headless.messages.empty());
}

// The user guide's picture of the waveform under the timeline (with LUMATOY_GUIDE_SHOTS set).
TEST_F(KeyframeSoundtrack, GuidePicture) {
    ASSERT_TRUE(choose(clickTrack()));
    page->frameSlider()->setRange(0, 240);
    for (int frame : {0, 60, 120})
        ASSERT_TRUE(addKey(scene(), frame));
    page->frameSlider()->setRange(0, 240);
    click(QStringLiteral("Keys on Beats"));
    ASSERT_FALSE(page->waveform()->peaks().empty());
    ASSERT_FALSE(page->waveform()->proposedKeys().isEmpty());
    frame->move(0, 0);
    sheet->move(0, frame->frameGeometry().bottom() + 8);
    viewPicture(600, 8);
    const QString folder = qEnvironmentVariable("LUMATOY_GUIDE_SHOTS");
    if (folder.isEmpty()) return;
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    EXPECT_TRUE(screen.copy(sheet->frameGeometry())
                    .save(QDir(folder).filePath(QStringLiteral("keyframe-soundtrack.png"))));
}
