// The whole job in the window, as a user does it: open the Control Deck from the toolbar, switch
// the stars and particles on, key the text's turn at frames 0 and 100, play it, save the
// sequence and export it to a video, every file through the dialogs.
#include "support/gui/DeckFixture.h"

#include "effects/ControlTable.h"
#include "scene/Switch.h"
#include "support/VideoProbe.h"
#include "timeline/SequenceFile.h"

#include <GL/gl.h>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>

namespace {
class WalkThrough : public DeckFixture {};
} // namespace

TEST_F(WalkThrough, FromAnEmptySceneToAVideo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CZoetraView& v = scene();

    // The toolbar's Control Deck button.
    QWidget* deckButton = frame->toolBar()->widgetForAction(frame->action(Command::ControlDeck));
    ASSERT_NE(deckButton, nullptr);
    QTest::mouseClick(deckButton, Qt::LeftButton);
    CMySheet* sheet = frame->controlDeck();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    CmyPage10* keys = sheet->keyframePage();

    // Stars and particles: their tabs switch them on.
    for (DeckPage layer : {DeckPage::Stars, DeckPage::Particles}) {
        CEffectPage* page = clickTab(sheet, layer);
        ASSERT_TRUE(page->isCreated());
        const ControlPage* table = page->table();
        ASSERT_NE(table, nullptr);
        EXPECT_TRUE(isOn(table->toggles[0].flag(v, table->instance))) << table->caption;
    }

    // Frame 0: the text facing the front.
    CEffectPage* text = clickTab(sheet, DeckPage::Text);
    chooseEntry(text->entryCombo(), 0);
    text->slider(1)->setValue(0);
    clickTab(sheet, DeckPage::Keyframes);
    EXPECT_EQ(keys->frameSlider()->value(), 0);
    keys->button("+ Add Key")->click();

    // Frame 100: turned by 120 degrees.
    keys->frameSlider()->setValue(100);
    clickTab(sheet, DeckPage::Text);
    text->slider(1)->setValue(120);
    EXPECT_FLOAT_EQ(v.textRotation.y, 120);
    clickTab(sheet, DeckPage::Keyframes);
    keys->button("+ Add Key")->click();
    EXPECT_EQ(keys->keysEdit()->text(), "1");
    EXPECT_EQ(keys->frameSlider()->ticks(), QList<int>({100}));

    // Play: the slider runs along and the text turns back from the front to 120 degrees.
    keys->button("Play >")->click();
    EXPECT_TRUE(v.timelinePlaying);
    bool sliderBetween = false, turnBetween = false;
    ASSERT_TRUE(waitUntil(
        [&] {
            const int at = keys->frameSlider()->value();
            sliderBetween = sliderBetween || (at > 0 && at < 100);
            turnBetween = turnBetween || (v.textRotation.y > 1 && v.textRotation.y < 119);
            return !v.timelinePlaying;
        },
        // The timeline moves a frame per frame drawn: a busy machine draws the 100 slowly.
        120000));
    EXPECT_TRUE(sliderBetween);
    EXPECT_TRUE(turnBetween);
    EXPECT_EQ(keys->frameSlider()->value(), 100);
    EXPECT_NEAR(v.textRotation.y, 120, 0.01);

    // Save the sequence with the window's command.
    const QString sequence = dir.filePath("walk-through.lmt");
    headless.files = {sequence};
    frame->action(Command::SaveSequence)->trigger();
    QFile saved(sequence);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    SequenceRecord record;
    QString error;
    ASSERT_TRUE(parseSequence(saved.readAll(), record, error)) << error.toStdString();
    ASSERT_EQ(record.keys.size(), 1u);
    EXPECT_EQ(record.keys[0].frame, 100);

    // Export it from the keyframe page: 100 frames, the first and the last unlike each other.
    const QString video = dir.filePath("walk-through.avi");
    headless.files = {video};
    headless.compressions = {VideoCompression{QStringLiteral("mjpeg"), 90}};
    headless.answers = {false}; // do not open it in a player
    keys->button("Export Video")->click();
    EXPECT_TRUE(headless.messages.empty()) << headless.messages[0].text.toStdString();
    const DecodedVideo decoded = decodeVideo(video);
    ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.frameCount, 100);
    ASSERT_EQ(decoded.frames.size(), 100u);
    EXPECT_GT(comparePictures(decoded.frames.front(), decoded.frames.back()).mean, 2.0);
    // The deck the export hid is back.
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(v.deckOpen, 1);
    // Not one OpenGL error on the whole way.
    EXPECT_EQ(frame->viewWidget()->glErrorsSeen(), 0);
}

TEST_F(WalkThrough, AnOpenGLErrorIsCountedByTheNextFrame) {
    ZoetraGLWidget* widget = frame->viewWidget();
    ASSERT_TRUE(waitUntil([&] { return widget->framesDrawn() > 0; }));
    EXPECT_EQ(widget->glErrorsSeen(), 0);
    frame->withViewContext([] { glEnable(GL_TEXTURE_GEN_S + 0x7000); }); // no such capability
    const int start = widget->framesDrawn();
    ASSERT_TRUE(waitUntil([&] { return widget->framesDrawn() > start; }));
    EXPECT_EQ(widget->glErrorsSeen(), 1);
}
