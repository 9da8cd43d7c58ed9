// The stored-sequence folder: which files are listed, the random start-up choice and the
// command-line sequence.
#include "support/RecordingAssetLoads.h"
#include "timeline/SequenceScene.h"

#include "platform/HeadlessPlatform.h"
#include "scene/CZoetraView.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A program folder of its own, with a Sequences folder.
struct Library : ::testing::Test {
    QTemporaryDir home;
    QByteArray savedHome = qgetenv("LUMATOY_HOME");
    QString savedFolder = QDir::currentPath();
    HeadlessPlatform headless;
    RecordingAssetLoads loads;
    std::unique_ptr<CZoetraView> v = makeScene();

    void SetUp() override {
        qputenv("LUMATOY_HOME", home.path().toUtf8());
        setPlatform(&headless);
        useEffectLoads(&loads);
    }
    void TearDown() override {
        qputenv("LUMATOY_HOME", savedHome);
        QDir::setCurrent(savedFolder);
        setPlatform(nullptr);
        useEffectLoads(nullptr);
    }
    void touch(const QString& name) {
        QDir(home.path()).mkpath("Sequences");
        QFile f(QDir(home.path()).filePath("Sequences/" + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
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
