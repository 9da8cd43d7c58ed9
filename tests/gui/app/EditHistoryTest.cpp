// Undo and redo in the main window: mouse drags, sliders, pickers, keys and sequence loads, each
// one step, restored exactly.
#include "support/gui/DeckFixture.h"

#include "app/EditHistory.h"
#include "deck/TextPage.h"
#include "platform/ProgramFolder.h"
#include "support/RecordingAssetLoads.h"
#include "timeline/SceneHistory.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStyleOptionSlider>

namespace {

class EditHistoryTest : public DeckFixture {
  protected:
    // Presses at `from`, moves in `steps` equal moves to `to`, releases there, then lets the step
    // close.
    void drag(QWidget* widget, Qt::MouseButton button, QPoint from, QPoint to, int steps = 5) {
        QTest::mousePress(widget, button, {}, from);
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(widget, from + (to - from) * i / steps);
        QTest::mouseRelease(widget, button, {}, to);
        settle();
    }
    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton);
        settle();
    }
    // The step of a gesture closes once the events after it have been handled.
    void settle() {
        ASSERT_TRUE(waitUntil([&] { return !frame->history().stepOpen(); }));
    }
    // The shortcuts work in whichever window of the program is active.
    static void activate(QWidget* window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void undoKey() {
        activate(frame.get());
        QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    }
    void redoKey() {
        activate(frame.get());
        QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
    }
    QString undoText() const { return frame->action(Command::Undo)->text(); }
    int steps() { return frame->history().stack().count(); }

    // Drags a slider's handle from one end of its groove to the other.
    void dragSliderAcross(QSlider* slider) {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                             QStyle::SC_SliderHandle, slider);
        const QPoint from = handle.center();
        QTest::mousePress(slider, Qt::LeftButton, {}, from);
        for (int x = 0; x <= slider->width(); x += 4)
            QTest::mouseMove(slider, QPoint(x, from.y()));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width(), from.y()));
        settle();
    }
};

} // namespace

TEST_F(EditHistoryTest, AViewDragIsOneStepAndCtrlZRestoresTheExactValues) {
    CZoetraView& v = scene();
    const Vec3 before = v.textRotation;
    const QByteArray start = sceneDigest(v);
    EXPECT_FALSE(frame->action(Command::Undo)->isEnabled());

    drag(frame->viewWidget(), Qt::LeftButton, {100, 100}, {163, 141}, 9);
    const Vec3 dragged = v.textRotation;
    ASSERT_NE(dragged.y, before.y);
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(undoText(), "Undo Text Rotate");

    undoKey();
    EXPECT_EQ(v.textRotation.x, before.x);
    EXPECT_EQ(v.textRotation.y, before.y);
    EXPECT_EQ(v.textRotation.z, before.z);
    EXPECT_EQ(sceneDigest(v), start);
    EXPECT_EQ(frame->action(Command::Redo)->text(), "Redo Text Rotate");

    redoKey();
    EXPECT_EQ(v.textRotation.x, dragged.x);
    EXPECT_EQ(v.textRotation.y, dragged.y);
    undoKey();
    // Ctrl+Shift+Z redoes too.
    activate(frame.get());
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(v.textRotation.y, dragged.y);
}

TEST_F(EditHistoryTest, ASliderDraggedAcrossItsRangeUndoesInOneStep) {
    CMySheet* sheet = openDeck();
    ASSERT_TRUE(sheet);
    CEffectPage* stars = clickTab(sheet, DeckPage::Stars);
    ASSERT_TRUE(stars);
    settle();
    // Showing the page switched the stars on: a step of its own.
    const int before = steps();
    // The entry "Star Direction (X)  Star Spacing (Y)  Star Spin (Z)".
    chooseEntry(stars->entryCombo(), 2);
    const float spin = scene().starSpin;
    QSlider* slider = stars->slider(2);
    const int position = slider->value();

    dragSliderAcross(slider);
    EXPECT_EQ(slider->value(), slider->maximum());
    EXPECT_NE(scene().starSpin, spin);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoText(), "Undo Star Spin");

    // From the deck, where the focus is.
    activate(sheet);
    QTest::keyClick(slider, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(scene().starSpin, spin);
    EXPECT_EQ(slider->value(), position);
    EXPECT_EQ(steps(), before + 1);
}

TEST_F(EditHistoryTest, UndoAndRedoAcrossASequenceLoadAndATextureLoad) {
    CZoetraView& v = scene();
    CMySheet* sheet = openDeck();
    ASSERT_TRUE(sheet);
    auto* text = static_cast<CMyPage1*>(clickTab(sheet, DeckPage::Text));
    settle();
    const std::string gold = v.textTexturePath;
    const QByteArray start = sceneDigest(v);
    const int before = steps();

    // A texture from the picker.
    const QString picture = QDir(programFolder()).filePath("Textures/pollav.jpg");
    headless.files = {picture};
    click(text->pickerButtons()[0]);
    ASSERT_NE(v.textTexturePath, gold);
    EXPECT_EQ(undoText(), "Undo Load Texture");
    const QByteArray textured = sceneDigest(v);

    // A stored sequence from the Keyframe Controls page.
    clickTab(sheet, DeckPage::Keyframes);
    settle();
    QComboBox* sequences = sheet->keyframePage()->sequenceCombo();
    ASSERT_GT(sequences->count(), 1);
    chooseEntry(sequences, 1);
    // Taken before a frame is drawn: the loaded sequence plays.
    const QByteArray loaded = sceneDigest(v);
    ASSERT_GT(v.keyCount, 0);
    EXPECT_EQ(steps(), before + 2);
    EXPECT_TRUE(undoText().startsWith("Undo Load ")) << undoText().toStdString();
    const std::string loadedPath = v.textTexturePath;

    // Undoing the load reloads the texture through the loaders, by its path.
    RecordingAssetLoads loads;
    {
        const EffectLoadsOverride useLoads(loads);
        undoKey();
    }
    EXPECT_EQ(v.keyCount, 0);
    EXPECT_EQ(sceneDigest(v), textured);
    if (loadedPath != v.textTexturePath) {
        EXPECT_TRUE(loads.calls.contains(
            QStringLiteral("mipmapped %1").arg(QString::fromStdString(v.textTexturePath))))
            << loads.calls.join(", ").toStdString();
    }

    loads.calls.clear();
    {
        const EffectLoadsOverride useLoads(loads);
        undoKey();
    }
    EXPECT_EQ(v.textTexturePath, gold);
    EXPECT_EQ(sceneDigest(v), start);
    EXPECT_TRUE(
        loads.calls.contains(QStringLiteral("mipmapped %1").arg(QString::fromStdString(gold))))
        << loads.calls.join(", ").toStdString();

    redoKey();
    EXPECT_EQ(sceneDigest(v), textured);
    redoKey();
    EXPECT_EQ(sceneDigest(v), loaded);
    EXPECT_GT(v.keyCount, 0);
}

TEST_F(EditHistoryTest, AHundredStepsUndoneGiveTheStartSceneByteForByte) {
    CZoetraView& v = scene();
    CMySheet* sheet = openDeck();
    ASSERT_TRUE(sheet);
    CmyPage10* keys = sheet->keyframePage();
    ASSERT_TRUE(keys);
    QPushButton* addKeyButton = keys->button("+ Add Key");
    ASSERT_TRUE(addKeyButton);
    const QByteArray start = sceneDigest(v);

    for (int i = 0; i < EditHistory::kStepLimit; ++i) {
        if (i % 3 == 2) {
            // A key further along the timeline (moving the Frame slider is no edit).
            keys->frameSlider()->setValue(3 * (i + 1));
            click(addKeyButton);
        } else {
            const Qt::MouseButton button = i % 3 == 0 ? Qt::LeftButton : Qt::RightButton;
            // Down and to the right: every drag turns something.
            drag(frame->viewWidget(), button, {100, 100}, {103 + 7 * (i % 5), 105 + 2 * (i % 7)},
                 2);
        }
        ASSERT_EQ(steps(), i + 1) << "gesture " << i << " made no step";
    }
    ASSERT_EQ(steps(), EditHistory::kStepLimit);
    EXPECT_GT(v.keyCount, 30);
    const QByteArray end = sceneDigest(v);
    ASSERT_NE(end, start);

    for (int i = 0; i < EditHistory::kStepLimit; ++i)
        frame->action(Command::Undo)->trigger();
    EXPECT_FALSE(frame->history().stack().canUndo());
    EXPECT_EQ(v.keyCount, 0);
    EXPECT_EQ(sceneDigest(v), start);

    for (int i = 0; i < EditHistory::kStepLimit; ++i)
        frame->action(Command::Redo)->trigger();
    EXPECT_EQ(sceneDigest(v), end);
}

TEST_F(EditHistoryTest, PlayingAndCopyingAreNoSteps) {
    CMySheet* sheet = openDeck();
    ASSERT_TRUE(sheet);
    CmyPage10* keys = sheet->keyframePage();
    click(keys->button("Copy"));
    click(keys->button("Play >"));
    click(keys->button("Stop"));
    EXPECT_EQ(steps(), 0);
}

TEST_F(EditHistoryTest, ANumberTypedKeyByKeyIsOneStep) {
    CMySheet* sheet = openDeck();
    ASSERT_TRUE(sheet);
    CEffectPage* stars = clickTab(sheet, DeckPage::Stars);
    ASSERT_TRUE(stars);
    settle();
    chooseEntry(stars->entryCombo(), 2);
    const int before = steps();
    const float spin = scene().starSpin;
    QLineEdit* edit = stars->edit(2);
    edit->setFocus();
    edit->selectAll();
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_4, Qt::Key_5}) {
        QTest::keyClick(edit, key);
        settle();
    }
    EXPECT_EQ(scene().starSpin, 45);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoText(), "Undo Star Spin");
    frame->action(Command::Undo)->trigger();
    EXPECT_EQ(scene().starSpin, spin);
    EXPECT_EQ(edit->text(), QString::number(int(spin)));
}
