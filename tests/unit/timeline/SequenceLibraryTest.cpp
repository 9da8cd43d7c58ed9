// The stored-sequence folder: which files are listed, the random start-up choice and the
// command-line sequence.
#include "support/RecordingAssetLoads.h"
#include "timeline/SequenceScene.h"

#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A program folder of its own, with a Sequences folder, and a user data folder of its own.
struct Library : ::testing::Test {
    QTemporaryDir home;
    QTemporaryDir dataHome;
    QByteArray savedHome = qgetenv("LUMATOY_HOME");
    QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    QString savedFolder = QDir::currentPath();
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    RecordingAssetLoads loads;
    EffectLoadsOverride useLoads_{loads};
    std::unique_ptr<CZoetraView> v = makeScene();

    void SetUp() override {
        qputenv("LUMATOY_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    }
    void TearDown() override {
        qputenv("LUMATOY_HOME", savedHome);
        qputenv("XDG_DATA_HOME", savedDataHome);
        QDir::setCurrent(savedFolder);
    }
    void touch(const QString& name) {
        QDir(home.path()).mkpath("Sequences");
        QFile f(QDir(home.path()).filePath("Sequences/" + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString userFolder() const { return QDir(dataHome.path()).filePath("lumatoy/Sequences"); }
    // A sequence with one key at `frame`, saved into `folder`.
    void saveKeyedSequence(const QString& folder, const QString& name, int frame) {
        auto maker = makeScene();
        maker->keyCount = 1;
        maker->keyFrames[1] = frame;
        QDir().mkpath(folder);
        ASSERT_TRUE(saveSequenceFile(*maker, QDir(folder).filePath(name)));
    }
    QString programFolderSequences() const { return QDir(home.path()).filePath("Sequences"); }
    QStringList names() const {
        QStringList list;
        for (int i = 0; i < v->sequenceCount; ++i)
            list << v->sequenceNames[i];
        return list;
    }
};

} // namespace

TEST_F(Library, ListsOnlyFilesEndingInLowerCaseLmt) {
    touch("a.lmt");
    touch("b.LMT");
    touch("c.lmt.bak");
    touch("noextension");
    QDir(home.path()).mkpath("Sequences/folder.lmt");
    scanSequences(*v);
    EXPECT_EQ(names(), (QStringList{"Nothing Selected", "a.lmt"}));
    EXPECT_EQ(QDir::currentPath(), QDir(home.filePath("Sequences")).canonicalPath());
}

TEST_F(Library, MissingFolderListsNothingSelectedOnly) {
    scanSequences(*v);
    EXPECT_EQ(names(), QStringList{"Nothing Selected"});
}

TEST_F(Library, AtMost1023NamesFitTheList) {
    for (int i = 0; i < 1030; ++i)
        touch(QStringLiteral("s%1.lmt").arg(i, 4, 10, QLatin1Char('0')));
    scanSequences(*v);
    EXPECT_EQ(v->sequenceCount, 1024);
    EXPECT_EQ(v->sequenceNames[1], "s0000.lmt");
    EXPECT_EQ(v->sequenceNames[1023], "s1022.lmt");
}

TEST_F(Library, RandomStartNeverPicksEntryZeroAndWithoutFilesKeepsTheDefaults) {
    v->randomSequenceAtStart = 1;
    scanSequences(*v);
    loadStartSequence(*v);
    EXPECT_EQ(v->keyCount, 0);
    EXPECT_FALSE(v->timelinePlaying);
    EXPECT_TRUE(headless.messages.empty());

    // Two stored sequences, each with one key at a frame of its own.
    auto maker = makeScene();
    QDir(home.path()).mkpath("Sequences");
    for (int frame : {10, 20}) {
        maker->keyCount = 1;
        maker->keyFrames[1] = frame;
        ASSERT_TRUE(saveSequenceFile(
            *maker, QDir(home.path()).filePath(QStringLiteral("Sequences/k%1.lmt").arg(frame))));
    }
    scanSequences(*v);
    ASSERT_EQ(v->sequenceCount, 3);
    loadStartSequence(*v);
    EXPECT_GE(v->currentPreset, 1);
    EXPECT_EQ(v->keyFrames[1], v->currentPreset * 10);
    EXPECT_TRUE(v->timelinePlaying);
    EXPECT_EQ(v->startFolder, QDir(home.path()).canonicalPath());
}

TEST_F(Library, CommandLineSequenceWinsOverTheRandomChoice) {
    touch("other.lmt");
    auto maker = makeScene();
    maker->keyCount = 1;
    maker->keyFrames[1] = 33;
    const QString named = home.filePath("named.lmt");
    ASSERT_TRUE(saveSequenceFile(*maker, named));
    v->randomSequenceAtStart = 1;
    v->startFileRequested = 1;
    v->startFilePath = named;
    scanSequences(*v);
    loadStartSequence(*v);
    EXPECT_EQ(v->keyFrames[1], 33);
    EXPECT_EQ(v->startFileRequested, 0);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(Library, OpenAndSaveUseTheirDialogs) {
    const QString path = home.filePath("saved");
    headless.files = {path};
    saveSequence(*v);
    ASSERT_EQ(headless.fileRequests.size(), 1u);
    EXPECT_EQ(headless.fileRequests[0].title, "Save a Lumatoy Keyframe File");
    EXPECT_EQ(headless.fileRequests[0].defaultExtension, "lmt");
    EXPECT_TRUE(QFile::exists(path + ".lmt"));

    headless.files = {path + ".lmt"};
    openSequence(*v);
    EXPECT_EQ(headless.fileRequests[1].title, "Open a Lumatoy Keyframe File");
    EXPECT_TRUE(v->sequenceLoaded);

    openSequence(*v); // cancelled: nothing happens
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(Library, ProgramAndUserSequencesAreListedTogether) {
    touch("b.lmt");
    touch("shared.lmt");
    QDir().mkpath(userFolder());
    for (const char* name : {"a-mine.lmt", "shared.lmt", "z-mine.lmt", "notes.txt"}) {
        QFile f(QDir(userFolder()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    scanSequences(*v);
    EXPECT_EQ(names(),
              (QStringList{"Nothing Selected", "b.lmt", "shared.lmt", "a-mine.lmt", "z-mine.lmt"}));
    EXPECT_EQ(v->sequencePaths[1], QDir(programFolderSequences()).filePath("b.lmt"));
    // The user's copy stands in for the stored one of the same name.
    EXPECT_EQ(v->sequencePaths[2], QDir(userFolder()).filePath("shared.lmt"));
    EXPECT_EQ(v->sequencePaths[4], QDir(userFolder()).filePath("z-mine.lmt"));
}

TEST_F(Library, AddToPresetsSavesInTheUsersFolderWhenTheProgramsCannotBeWritten) {
    // A file where the folder should be: nothing can be made there (the tests may run as root,
    // whom permissions do not stop).
    QFile blocker(programFolderSequences());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString chosen = QDir(userFolder()).filePath("mine");
    headless.files = {chosen};
    addToPresets(*v);
    ASSERT_EQ(headless.fileRequests.size(), 1u);
    EXPECT_EQ(headless.fileRequests[0].initialPath, userFolder());
    EXPECT_TRUE(QFile::exists(chosen + ".lmt"));
    EXPECT_EQ(names(), (QStringList{"Nothing Selected", "mine.lmt"}));

    // A writable program folder keeps the presets.
    blocker.remove();
    headless.files = {QDir(programFolderSequences()).filePath("theirs.lmt")};
    addToPresets(*v);
    EXPECT_EQ(headless.fileRequests[1].initialPath, programFolderSequences());
    EXPECT_EQ(names(), (QStringList{"Nothing Selected", "theirs.lmt", "mine.lmt"}));
}

TEST_F(Library, ABrokenStoredSequenceIsSkippedAtStartAndRefusedWhenChosen) {
    touch("a-broken.lmt"); // empty: the reader refuses it
    saveKeyedSequence(programFolderSequences(), "b-good.lmt", 40);
    scanSequences(*v);
    ASSERT_EQ(v->sequenceCount, 3);
    v->randomSequenceAtStart = 1;
    loadStartSequence(*v);
    // Whichever was drawn, the good one is what loaded, and no message box came up.
    EXPECT_EQ(v->currentPreset, 2);
    EXPECT_EQ(v->keyFrames[1], 40);
    EXPECT_TRUE(headless.messages.empty());

    // Chosen by the user, the broken one is refused with the reader's message.
    EXPECT_FALSE(loadStoredSequence(*v, 1));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_TRUE(headless.messages[0].text.contains("a-broken.lmt"));
    EXPECT_EQ(v->keyFrames[1], 40);
    EXPECT_TRUE(loadStoredSequence(*v, 2));
    EXPECT_FALSE(loadStoredSequence(*v, 0)); // "Nothing Selected" loads nothing
}
