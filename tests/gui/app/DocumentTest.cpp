// The main window's document: its name in the title, "Save changes?" before unsaved edits are
// dropped, and the four recent files in the File menu and the profile.
#include "support/gui/DeckFixture.h"

#include "app/EditHistory.h"
#include "export/ExportSettings.h"
#include "timeline/KeyableParams.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SceneHistory.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class DocumentTest : public DeckFixture {
  protected:
    void SetUp() override {
        DeckFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
    }

    // A sequence file of the current scene with its text turned by `turn` degrees.
    QString sequenceFile(const QString& name, float turn = 0) {
        const QString path = folder.filePath(name + ".lmt");
        CZoetraView& v = scene();
        const float y = v.textRotation.y;
        v.textRotation.y = turn;
        captureStartValues(v);
        EXPECT_TRUE(saveSequenceFile(v, path));
        v.textRotation.y = y;
        captureStartValues(v);
        return path;
    }
    // An edit made as the user makes it: a drag in the view.
    void edit() {
        QWidget* w = frame->viewWidget();
        QTest::mousePress(w, Qt::LeftButton, {}, {100, 100});
        QTest::mouseMove(w, {130, 120});
        QTest::mouseRelease(w, Qt::LeftButton, {}, {130, 120});
        ASSERT_TRUE(waitUntil([&] { return !frame->history().stepOpen(); }));
        ASSERT_TRUE(frame->isWindowModified());
    }
    void open(const QString& path) {
        headless.files = {path};
        frame->action(Command::OpenSequence)->trigger();
        // A loaded sequence plays; stopped, the drags of the tests are not played over.
        scene().timelinePlaying = false;
    }
    QMenu* fileMenu() const { return frame->menuBar()->actions()[0]->menu(); }

    QTemporaryDir folder;
};

} // namespace

TEST_F(DocumentTest, TheTitleNamesTheDocumentAndMarksUnsavedChanges) {
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Lumatoy");
    EXPECT_FALSE(frame->isWindowModified());

    const QString walk = sequenceFile("mywalk", 30);
    open(walk);
    EXPECT_EQ(frame->windowTitle(), "mywalk[*] - Lumatoy");
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_FLOAT_EQ(scene().startKey[keyableIndex("text.rotate.y")], 30);

    edit();
    EXPECT_TRUE(frame->isWindowModified());
    // Undone back to the state saved: nothing unsaved.
    frame->action(Command::Undo)->trigger();
    EXPECT_FALSE(frame->isWindowModified());
    frame->action(Command::Redo)->trigger();
    EXPECT_TRUE(frame->isWindowModified());

    // Save writes the document's own file without asking for a name.
    QFile::remove(walk);
    frame->action(Command::SaveSequence)->trigger();
    EXPECT_TRUE(headless.fileRequests.size() == 1) << "Save asked for a name";
    EXPECT_TRUE(QFile::exists(walk));
    EXPECT_FALSE(frame->isWindowModified());

    // Save As names a new document.
    const QString copy = folder.filePath("Campfire Night.lmt");
    headless.files = {copy};
    frame->action(Command::SaveSequenceAs)->trigger();
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(frame->windowTitle(), "Campfire Night[*] - Lumatoy");
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_TRUE(headless.questions.isEmpty());
}

TEST_F(DocumentTest, PickingAStoredSequenceNamesIt) {
    CMySheet* sheet = openDeck();
    ASSERT_TRUE(sheet);
    QComboBox* sequences = sheet->keyframePage()->sequenceCombo();
    ASSERT_GT(sequences->count(), 1);
    const QString name = QFileInfo(sequences->itemText(1)).completeBaseName();
    chooseEntry(sequences, 1);
    EXPECT_EQ(frame->windowTitle(), name + "[*] - Lumatoy");
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(frame->history().stack().count(), 1);
}

TEST_F(DocumentTest, ExitAsksAboutUnsavedChangesAndHonoursEachAnswer) {
    // Nothing unsaved: no question.
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(headless.questions.isEmpty());
    frame->show();

    const QString walk = sequenceFile("mywalk");
    open(walk);
    edit();
    const Vec3 edited = scene().textRotation;

    headless.saveAnswers = {SaveChoice::Cancel};
    frame->action(Command::Exit)->trigger();
    EXPECT_EQ(headless.questions, QStringList({"Save changes to mywalk?"}));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(scene().textRotation.y, edited.y);
    EXPECT_TRUE(frame->isWindowModified());

    // Save writes the document's file, then the window closes.
    ASSERT_TRUE(QFile::remove(walk));
    headless.saveAnswers = {SaveChoice::Save};
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(QFile::exists(walk));
    EXPECT_EQ(headless.questions.size(), 2);
}

TEST_F(DocumentTest, ClosingWithDiscardDropsTheEdits) {
    edit();
    headless.saveAnswers = {SaveChoice::Discard};
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(headless.questions, QStringList({"Save changes to Untitled?"}));
    EXPECT_TRUE(headless.fileRequests.empty());
}

TEST_F(DocumentTest, OpenAsksFirstAndCancelKeepsEverything) {
    const QString walk = sequenceFile("mywalk", 45);
    edit();
    const QByteArray edited = sceneDigest(scene());
    const int steps = frame->history().stack().count();

    headless.saveAnswers = {SaveChoice::Cancel};
    open(walk);
    EXPECT_EQ(headless.questions, QStringList({"Save changes to Untitled?"}));
    EXPECT_EQ(sceneDigest(scene()), edited);
    EXPECT_EQ(frame->history().stack().count(), steps);
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Lumatoy");

    // Save on an untitled document asks for a name; cancelling that cancels the open too.
    headless.saveAnswers = {SaveChoice::Save};
    open(walk);
    EXPECT_EQ(sceneDigest(scene()), edited);

    headless.saveAnswers = {SaveChoice::Discard};
    open(walk);
    EXPECT_EQ(frame->windowTitle(), "mywalk[*] - Lumatoy");
    EXPECT_FLOAT_EQ(scene().startKey[keyableIndex("text.rotate.y")], 45);
}

TEST_F(DocumentTest, PickingAStoredSequenceAsksFirst) {
    CMySheet* sheet = openDeck();
    ASSERT_TRUE(sheet);
    edit();
    const QByteArray edited = sceneDigest(scene());
    QComboBox* sequences = sheet->keyframePage()->sequenceCombo();

    headless.saveAnswers = {SaveChoice::Cancel};
    chooseEntry(sequences, 1);
    EXPECT_EQ(headless.questions, QStringList({"Save changes to Untitled?"}));
    EXPECT_EQ(sceneDigest(scene()), edited);
    EXPECT_EQ(sequences->currentIndex(), 0);

    const QString saved = folder.filePath("kept.lmt");
    headless.saveAnswers = {SaveChoice::Save};
    headless.files = {saved};
    chooseEntry(sequences, 1);
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(sequences->currentIndex(), 1);
    EXPECT_GT(scene().keyCount, 0);
}

TEST_F(DocumentTest, NewWithUnsavedEditsAsksToSaveThem) {
    edit();
    const QByteArray edited = sceneDigest(scene());
    headless.saveAnswers = {SaveChoice::Cancel};
    frame->action(Command::New)->trigger();
    EXPECT_EQ(headless.questions, QStringList({"Save changes to Untitled?"}));
    EXPECT_EQ(sceneDigest(scene()), edited);

    headless.saveAnswers = {SaveChoice::Discard};
    frame->action(Command::New)->trigger();
    EXPECT_EQ(scene().textString, "Lumatoy");
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Lumatoy");
    EXPECT_FALSE(frame->isWindowModified());
    // "New" is a step too.
    EXPECT_EQ(frame->action(Command::Undo)->text(), "Undo New");
    frame->action(Command::Undo)->trigger();
    EXPECT_EQ(sceneDigest(scene()), edited);
}

TEST_F(DocumentTest, TheFourMostRecentFilesAreInTheFileMenuAndTheProfile) {
    QStringList files;
    for (const char* name : {"one", "two", "three", "four", "five"})
        files << sequenceFile(name);
    for (const QString& file : files)
        open(file);

    const QList<QAction*> recent = frame->recentFileActions();
    ASSERT_EQ(recent.size(), 4);
    const QStringList expected{"&1 five.lmt", "&2 four.lmt", "&3 three.lmt", "&4 two.lmt"};
    for (int n = 0; n < 4; ++n) {
        EXPECT_TRUE(recent[n]->isVisible());
        EXPECT_EQ(recent[n]->text(), expected[n]);
        EXPECT_EQ(recent[n]->toolTip(), QDir::toNativeSeparators(files[4 - n]));
        EXPECT_TRUE(fileMenu()->actions().contains(recent[n]));
    }
    const auto profile = openProfile();
    EXPECT_EQ(profile->value("Recent File List/File1").toString(), files[4]);
    EXPECT_EQ(profile->value("Recent File List/File4").toString(), files[1]);

    // Opening one from the menu brings it to the top.
    recent[2]->trigger();
    EXPECT_EQ(frame->windowTitle(), "three[*] - Lumatoy");
    EXPECT_EQ(recent[0]->text(), "&1 three.lmt");
    EXPECT_EQ(recent[1]->text(), "&2 five.lmt");

    // A file gone since is dropped from the list with a message.
    ASSERT_TRUE(QFile::remove(files[3]));
    ASSERT_EQ(recent[2]->toolTip(), QDir::toNativeSeparators(files[3]));
    recent[2]->trigger();
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_TRUE(headless.messages[0].text.contains("four.lmt"));
    EXPECT_TRUE(headless.messages[0].text.contains("no longer exists"));
    EXPECT_EQ(frame->windowTitle(), "three[*] - Lumatoy");
    EXPECT_TRUE(recent[0]->isVisible() && recent[1]->isVisible() && recent[2]->isVisible());
    EXPECT_FALSE(recent[3]->isVisible());
    EXPECT_EQ(recent[2]->text(), "&3 two.lmt");
    EXPECT_FALSE(openProfile()->contains("Recent File List/File4"));
}

TEST_F(DocumentTest, TheSequencePickedAtStartNamesTheDocument) {
    writeProfileInt(*openProfile(), "Random Sequence On Start Up", 1);
    std::unique_ptr<CMainFrame> second = createMainWindow();
    second->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second.get()));
    ASSERT_TRUE(waitUntil([&] { return second->sceneReady(); }));
    CZoetraView& v = second->scene();
    ASSERT_GT(v.currentPreset, 0);
    const QString name = QFileInfo(v.sequencePaths[v.currentPreset]).completeBaseName();
    EXPECT_EQ(second->windowTitle(), name + "[*] - Lumatoy");
    EXPECT_FALSE(second->isWindowModified());
    EXPECT_FALSE(second->history().stack().canUndo());
}
