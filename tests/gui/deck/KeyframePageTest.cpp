// The "Keyframe Controls" page: keys on the Frame slider, playing and stopping with the slider
// following, copy and paste, Clear All, the timeline length, the stored sequences and the
// measured frame rate.
#include "support/gui/DeckFixture.h"

#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

class KeyframePage : public OpenDeckFixture {
  protected:
    void SetUp() override {
        OpenDeckFixture::SetUp();
        if (HasFatalFailure()) return;
        page = sheet->keyframePage();
        scene().textRotation = {0, 0, 0};
    }

    // Moves the Frame slider to `frame` and presses "+ Add Key" with the text turned to `angle`.
    void keyAt(int frame, float angle) {
        page->frameSlider()->setValue(frame);
        scene().textRotation.y = angle;
        page->button("+ Add Key")->click();
    }

    void click(const char* caption) {
        QPushButton* button = page->button(QString::fromLatin1(caption));
        ASSERT_NE(button, nullptr) << caption;
        button->click();
    }

    // Waits for playback to end; returns the highest frame it applied.
    int playToTheEnd() {
        int highest = 0;
        EXPECT_TRUE(waitUntil(
            [&] {
                highest = std::max(highest, scene().playFrame);
                return !scene().timelinePlaying;
            },
            30000));
        return highest;
    }

    CmyPage10* page = nullptr;
};

// Points the user's sequences folder at a scratch folder while a test runs.
class UserSequences {
  public:
    UserSequences() : saved_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
        QDir().mkpath(folder());
    }
    ~UserSequences() {
        if (saved_.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", saved_);
    }
    QString folder() const { return userSequencesFolder(); }

  private:
    QByteArray saved_;
    QTemporaryDir dir_;
};

} // namespace

TEST_F(KeyframePage, OpensWithTheDefaultTimelineAndTheStoredSequences) {
    EXPECT_EQ(page->frameSlider()->minimum(), 0);
    EXPECT_EQ(page->frameSlider()->maximum(), 300);
    EXPECT_EQ(page->lengthSpin()->maximum(), 10000);
    EXPECT_EQ(page->lengthSpin()->value(), 300);
    EXPECT_EQ(page->frameEdit()->text(), "0");
    EXPECT_EQ(page->keysEdit()->text(), "0");
    EXPECT_TRUE(page->frameEdit()->isReadOnly());
    EXPECT_TRUE(page->keysEdit()->isReadOnly());
    QComboBox* sequences = page->sequenceCombo();
    ASSERT_EQ(sequences->count(), std::max(1, scene().sequenceCount));
    EXPECT_EQ(sequences->itemText(0), "Nothing Selected");
    EXPECT_EQ(sequences->currentIndex(), 0);
    for (const char* caption : {"+ Add Key", "Copy", "Paste", "Play >", "Stop", "Clear All",
                                "Add to Presets", "Video Export Settings", "Export Video"})
        EXPECT_NE(page->button(QString::fromLatin1(caption)), nullptr) << caption;
    EXPECT_FLOAT_EQ(scene().showFps, 2);

    // Opened again with keys, the slider reaches the last key and shows a tick for it.
    keyAt(120, 30);
    sheet->close();
    QTest::qWait(20);
    sheet = openDeck();
    page = sheet->keyframePage();
    EXPECT_EQ(page->frameSlider()->maximum(), 120);
    EXPECT_EQ(page->frameSlider()->ticks(), QList<int>({120}));
    EXPECT_EQ(page->keysEdit()->text(), "1");
    EXPECT_EQ(page->lengthSpin()->value(), 300);
}

TEST_F(KeyframePage, KeysPlayWithTheSliderFollowingAndStopWhereTheyAre) {
    keyAt(0, 0);
    EXPECT_EQ(page->keysEdit()->text(), "0"); // frame 0 holds the start values, not a key
    keyAt(50, 90);
    keyAt(100, 180);
    EXPECT_EQ(page->keysEdit()->text(), "2");
    EXPECT_EQ(page->frameSlider()->ticks(), QList<int>({50, 100}));
    EXPECT_EQ(scene().keyCount, 2);

    click("Play >");
    EXPECT_TRUE(scene().timelinePlaying);
    ASSERT_TRUE(waitUntil([&] { return page->frameSlider()->value() > 5; }, 10000));
    ASSERT_TRUE(scene().timelinePlaying);
    click("Stop");
    EXPECT_FALSE(scene().timelinePlaying);
    const int stopped = scene().playFrame;
    const int shown = page->frameSlider()->value();
    EXPECT_LT(stopped, 100);
    QTest::qWait(200);
    EXPECT_EQ(scene().playFrame, stopped);
    EXPECT_EQ(page->frameSlider()->value(), shown);

    // Playing again goes on from there to the end, where it stops and rewinds.
    click("Play >");
    EXPECT_GE(playToTheEnd(), 99);
    EXPECT_EQ(page->frameSlider()->value(), 100);
    EXPECT_EQ(page->frameEdit()->text(), "100");
    EXPECT_EQ(scene().playFrame, 0);
    EXPECT_NEAR(scene().textRotation.y, 180, 0.01);
}

TEST_F(KeyframePage, ScrubbingShowsTheKeyedFrames) {
    keyAt(0, 0);
    keyAt(100, 100);
    page->frameSlider()->setValue(49);
    EXPECT_EQ(page->frameEdit()->text(), "49");
    EXPECT_NEAR(scene().textRotation.y, 50, 0.01);
    EXPECT_EQ(scene().playFrame, 49);
    EXPECT_FALSE(scene().timelinePlaying);
}

TEST_F(KeyframePage, CopyAndPaste) {
    click("Paste");
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text,
              "Please Copy a Keyframe. There's currently nothing to Paste.");
    EXPECT_EQ(scene().keyCount, 0);

    keyAt(0, 0);
    keyAt(50, 90);
    keyAt(100, 180);
    page->frameSlider()->setValue(50);
    click("Copy");
    EXPECT_TRUE(page->keyCopied());
    page->frameSlider()->setValue(150);
    click("Paste");
    page->frameSlider()->setValue(25);
    click("Paste");
    EXPECT_EQ(scene().keyCount, 4);
    EXPECT_EQ(page->keysEdit()->text(), "4");
    EXPECT_EQ(QList<int>({scene().keyFrames[1], scene().keyFrames[2], scene().keyFrames[3],
                          scene().keyFrames[4]}),
              QList<int>({25, 50, 100, 150}));
    EXPECT_EQ(page->frameSlider()->ticks().size(), 4);
    // The pasted key holds the values shown at frame 50.
    const int lastKeyFrame = scene().keyFrames[scene().keyCount];
    page->frameSlider()->setValue(lastKeyFrame - 1);
    EXPECT_NEAR(scene().textRotation.y, 91.8, 0.05);
}

TEST_F(KeyframePage, ClearAllAsksFirst) {
    keyAt(50, 90);
    keyAt(100, 180);
    scene().textString = "Hello";
    headless.answers = {false};
    click("Clear All");
    ASSERT_EQ(headless.questions.size(), 1);
    EXPECT_EQ(headless.questions[0], "Are you sure you want to delete all keyframes?");
    EXPECT_EQ(scene().keyCount, 2);
    EXPECT_EQ(page->keysEdit()->text(), "2");

    page->frameSlider()->setValue(80);
    headless.answers = {true};
    click("Clear All");
    EXPECT_EQ(scene().keyCount, 0);
    EXPECT_EQ(page->keysEdit()->text(), "0");
    EXPECT_TRUE(page->frameSlider()->ticks().isEmpty());
    EXPECT_EQ(page->frameSlider()->value(), 0);
    EXPECT_EQ(page->frameEdit()->text(), "0");
    EXPECT_EQ(scene().textString, "Lumatoy");
}

TEST_F(KeyframePage, TheLengthNarrowsTheSliderButPlaybackReachesTheLastKey) {
    keyAt(0, 0);
    keyAt(100, 90);
    keyAt(200, 180);
    page->lengthSpin()->setValue(50);
    EXPECT_EQ(page->frameSlider()->maximum(), 50);
    EXPECT_EQ(page->keysEdit()->text(), "2");
    EXPECT_EQ(page->frameSlider()->ticks(), QList<int>({100, 200}));
    EXPECT_EQ(scene().timelineLength, 200);

    click("Play >");
    EXPECT_GE(playToTheEnd(), 199);
    EXPECT_NEAR(scene().textRotation.y, 180, 0.01);
    EXPECT_EQ(page->frameSlider()->value(), 50); // as far as the slider goes
}

TEST_F(KeyframePage, ChoosingAStoredSequenceLoadsIt) {
    // A stored sequence of three keys, made here and saved among the user's.
    UserSequences user;
    keyAt(0, 0);
    keyAt(40, 90);
    keyAt(80, 180);
    ASSERT_TRUE(saveSequenceFile(scene(), QDir(user.folder()).filePath("zz-three-keys.lmt")));
    headless.answers = {true};
    click("Clear All");
    scene().textRotation = {0, 0, 0};
    scanSequences(scene());
    sheet->close();
    QTest::qWait(20);
    sheet = openDeck();
    page = sheet->keyframePage();

    QComboBox* sequences = page->sequenceCombo();
    ASSERT_EQ(sequences->count(), scene().sequenceCount);
    chooseEntry(sequences, 0);
    EXPECT_EQ(scene().keyCount, 0);
    EXPECT_FALSE(scene().sequenceLoaded);

    const int index = sequences->findText("zz-three-keys.lmt");
    ASSERT_GT(index, 0);
    chooseEntry(sequences, index);
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_TRUE(scene().sequenceLoaded);
    ASSERT_EQ(scene().keyCount, 2);
    EXPECT_TRUE(scene().timelinePlaying);
    EXPECT_EQ(page->frameSlider()->maximum(), 80);
    EXPECT_EQ(page->frameSlider()->value(), 0);
    EXPECT_EQ(page->lengthSpin()->value(), 80);
    EXPECT_EQ(page->keysEdit()->text(), "2");
    EXPECT_EQ(page->frameSlider()->ticks(), QList<int>({40, 80}));
    playToTheEnd();
    EXPECT_NEAR(scene().textRotation.y, 180, 0.01);
}

TEST_F(KeyframePage, ABrokenStoredSequenceIsRefusedAndTheSceneStays) {
    UserSequences user;
    QFile broken(QDir(user.folder()).filePath("zz-broken.lmt"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a sequence at all");
    broken.close();
    scanSequences(scene());
    sheet->close();
    QTest::qWait(20);
    sheet = openDeck();
    page = sheet->keyframePage();

    keyAt(0, 0);
    keyAt(60, 45);
    QComboBox* sequences = page->sequenceCombo();
    const int index = sequences->findText("zz-broken.lmt");
    ASSERT_GT(index, 0);
    chooseEntry(sequences, index);
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(scene().keyCount, 1);
    EXPECT_EQ(scene().keyFrames[1], 60);
    EXPECT_FALSE(scene().sequenceLoaded);
    EXPECT_EQ(sequences->currentIndex(), 0);
}

TEST_F(KeyframePage, AddToPresetsListsTheNewSequenceAtOnce) {
    UserSequences user;
    keyAt(0, 0);
    keyAt(30, 60);
    const QString path = QDir(user.folder()).filePath("mine.lmt");
    headless.files = {path};
    click("Add to Presets");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_GT(page->sequenceCombo()->findText("mine.lmt"), 0);
}

TEST_F(KeyframePage, TheFrameCountChangesOnlyThroughItsSpin) {
    FrameCountSpin* spin = page->lengthSpin();
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_End);
    QTest::keyClicks(spin, "75");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(spin->value(), 300);
    EXPECT_EQ(spin->text(), "300");
    EXPECT_EQ(page->frameSlider()->maximum(), 300);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 301);
    EXPECT_EQ(page->frameSlider()->maximum(), 301);
    // The arrows step over 1 ... 10,000.
    spin->stepBy(-1000);
    EXPECT_EQ(spin->value(), 1);
    EXPECT_FALSE(spin->stepEnabled().testFlag(QAbstractSpinBox::StepDownEnabled));
    EXPECT_EQ(page->frameSlider()->maximum(), 1);
    spin->stepBy(20000);
    EXPECT_EQ(spin->value(), 10000);
}

TEST_F(KeyframePage, AFileWithoutKeysShowsNoFrames) {
    QTemporaryDir dir;
    const QString path = dir.filePath("still.lmt");
    ASSERT_TRUE(saveSequenceFile(scene(), path));
    ASSERT_TRUE(loadSequenceFile(scene(), path));
    EXPECT_EQ(scene().keyCount, 0);
    EXPECT_EQ(page->lengthSpin()->value(), 0);
    EXPECT_EQ(page->lengthSpin()->text(), "0");
    EXPECT_EQ(page->frameSlider()->maximum(), 0);
    EXPECT_EQ(page->keysEdit()->text(), "0");
    // The arrows step on from 1.
    QTest::keyClick(page->lengthSpin(), Qt::Key_Up);
    EXPECT_EQ(page->lengthSpin()->value(), 1);
    EXPECT_EQ(page->frameSlider()->maximum(), 1);
}

TEST_F(KeyframePage, StatusTextsUseThePageFont) {
    // Arial where the machine has it, else the system's sans-serif face.
    QFont sans;
    sans.setStyleHint(QFont::SansSerif);
    const QString family =
        QFontDatabase::hasFamily("Arial") ? QStringLiteral("Arial") : sans.defaultFamily();
    for (QLabel* status : {page->frameRateLabel(), page->screenSizeLabel()}) {
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->font().pixelSize(), 14);
        EXPECT_EQ(status->font().family(), family);
        EXPECT_EQ(QFontInfo(status->font()).family(), family);
    }
    EXPECT_FALSE(page->screenSizeLabel()->isVisibleTo(page));
    EXPECT_TRUE(page->frameRateLabel()->isVisibleTo(page));
}

TEST_F(KeyframePage, ShowsTheMeasuredFrameRate) {
    ASSERT_TRUE(waitUntil([&] { return !page->frameRateLabel()->text().isEmpty(); }, 5000));
    EXPECT_TRUE(page->frameRateLabel()->text().endsWith(" Fps"));
    EXPECT_GT(page->frameRateLabel()->text().section(' ', 0, 0).toInt(), 3);
    // Closed, the deck gets no more rates.
    sheet->close();
    QTest::qWait(20);
    EXPECT_FLOAT_EQ(scene().showFps, 0);
}
