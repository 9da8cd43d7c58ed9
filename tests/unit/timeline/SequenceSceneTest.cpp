// Saving and loading sequences through the scene: every value comes back, the reloads happen
// between the right items, older files keep what they lack, and a refused file changes nothing.
#include "timeline/SequenceScene.h"
#include "support/RecordingAssetLoads.h"

#include "platform/ProgramFolder.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"
#include "timeline/KeyableParams.h"
#include "timeline/KeyframeStore.h"
#include "timeline/Playback.h"
#include "timeline/SequenceArchive.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

struct SequenceScene : ::testing::Test {
    QTemporaryDir dir;
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    RecordingAssetLoads loads;
    QString savedFolder = QDir::currentPath();

    void TearDown() override { QDir::setCurrent(savedFolder); }
    QString file(const QString& name) const { return dir.filePath(name); }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

// Gives every header field, start value and key cell of the scene a value of its own.
void fillScene(CZoetraView& v) {
    const std::vector<HeaderItem>& layout = headerItems();
    for (int n = 2; n <= kHeaderItemCount; ++n) {
        const HeaderItem& item = layout[n];
        if (item.floatField) item.floatField(v) = 1000.0f + n;
        if (item.intField && n != kItemKeyCount) item.intField(v) = 3 * n;
        if (item.stringField) item.stringField(v) = "Folder/item" + std::to_string(n) + ".jpg";
    }
    v.textString = "Line one\r\nLine two, 100% sure";
    v.modelLoaded[1] = 2.0f;
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        v.startKey[p] = 0.5f * p - 20;
    v.keyCount = 3;
    const int frames[] = {0, 12, 40, 700};
    for (int i = 1; i <= 3; ++i) {
        v.keyFrames[i] = frames[i];
        for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
            v.keyTrack[p][frames[i]] = p * 1.25f + i;
    }
}

} // namespace

TEST_F(SequenceScene, SavedSequenceLoadsBackValueForValue) {
    auto v = makeScene();
    fillScene(*v);
    const QString path = file("all.lmt");
    ASSERT_TRUE(saveSequenceFile(*v, path));
    EXPECT_EQ(v->sceneVersion, 0.0f); // no file loaded since the last reset

    auto w = makeScene();
    QString error;
    ASSERT_TRUE(loadSequenceFile(*w, path, &error, &loads)) << error.toStdString();
    const std::vector<HeaderItem>& layout = headerItems();
    for (int n = 2; n <= kHeaderItemCount; ++n) {
        const HeaderItem& item = layout[n];
        if (item.floatField) {
            EXPECT_EQ(item.floatField(*w), item.floatField(*v)) << item.id;
        }
        if (item.intField && n != kItemKeyCount) {
            EXPECT_EQ(item.intField(*w), item.intField(*v)) << item.id;
        }
        if (item.stringField) {
            EXPECT_EQ(item.stringField(*w), item.stringField(*v)) << item.id;
        }
    }
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        EXPECT_EQ(w->startKey[p], v->startKey[p]) << p;
    ASSERT_EQ(w->keyCount, 3);
    const int light = keyableIndex("pictures.light.y");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(w->keyFrames[i], v->keyFrames[i]);
        for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p) {
            const float expected =
                p == light || p == light + 1 ? 0.0f : v->keyTrack[p][v->keyFrames[i]];
            if (v->keyFrames[i] <= 601) {
                EXPECT_EQ(w->keyTrack[p][w->keyFrames[i]], expected) << p;
            }
        }
    }
    EXPECT_EQ(w->sceneVersion, 6.0f);
    EXPECT_EQ(w->sceneVersionWhole, 6);
    EXPECT_TRUE(w->sequenceLoaded);
    EXPECT_TRUE(w->timelinePlaying);
    EXPECT_EQ(w->timelineLength, 700);
    EXPECT_EQ(sequenceFrameCount(*w), 700);

    // A second save of the loaded scene gives the same bytes.
    const QString again = file("again.lmt");
    ASSERT_TRUE(saveSequenceFile(*w, again));
    QFile a(path), b(again);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST_F(SequenceScene, ReloadsFollowTheirItems) {
    auto v = makeScene();
    v->textUseDefaultTexture = 0;
    v->textTexturePath = "Textures/Mine.jpg";
    v->starTextureName = "Particles/Star.bmp";
    v->particleTextureChosen = 2;
    v->particleTextureName = "Particles/mine.tga";
    v->fireTextureName = "Particles/Fire.bmp";
    v->tunnelTextureName = "Textures/pollav.jpg";
    v->tileTextureName1 = "Textures/A.jpg";
    v->tileTextureName2 = "Textures/B.jpg";
    v->modelLoaded[0] = 2;
    v->modelPath[0] = "Model/Box.3ds";
    v->modelHollow[2] = 2;
    ASSERT_TRUE(saveSequenceFile(*v, file("loads.lmt")));

    auto w = makeScene();
    w->assetPathMode = 2;
    ASSERT_TRUE(loadSequenceFile(*w, file("loads.lmt"), nullptr, &loads));
    EXPECT_EQ(w->assetPathMode, 0);
    EXPECT_EQ(
        loads.calls,
        (QStringList{"mipmapped Textures/Mine.jpg", "mipmapped Textures/Mine.jpg",
                     "keyed Particles/Star.bmp", "particle Particles/mine.tga",
                     "keyed Particles/Fire.bmp", "keyed Textures/pollav.jpg",
                     "keyed Textures/A.jpg", "keyed Textures/B.jpg", "model 1 Model/Box.3ds",
                     "mipmapped Textures/TardisImages3.jpg", "mipmapped Textures/TardisImages3.jpg",
                     "keyed Textures/TardisImages3.jpg", "picture 1 Images/sleeping-dog.jpg",
                     "picture 2 Images/video-girl.jpg", "text lists"}));
    EXPECT_EQ(QDir::currentPath(), programFolder());
}

TEST_F(SequenceScene, TexturePathsAreCutToTheirStoredLength) {
    auto v = makeScene();
    v->starTextureName = "Particles/Star.bmpXYZ";
    SequenceRecord r = captureSequence(*v);
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (qstrcmp(headerItems()[n].id, "stars.texturePathLength") == 0) r.items[n].f = 18;
    writeFile(file("cut.lmt"), serializeSequence(r));
    auto w = makeScene();
    ASSERT_TRUE(loadSequenceFile(*w, file("cut.lmt"), nullptr, &loads));
    EXPECT_EQ(w->starTextureName, "Particles/Star.bmp");
    EXPECT_TRUE(loads.calls.contains("keyed Particles/Star.bmp"));
}

TEST_F(SequenceScene, ModelAndPicturePathsAreTakenWholeWhateverTheirLengthSays) {
    auto v = makeScene();
    v->modelLoaded[0] = 2;
    v->modelPath[0] = "Model/Tardis.3ds";
    v->picturePath1 = "Images/sleeping-dog.jpg";
    SequenceRecord r = captureSequence(*v);
    for (int n = 1; n <= kHeaderItemCount; ++n) {
        const char* id = headerItems()[n].id;
        if (qstrcmp(id, "model1.pathLength") == 0) r.items[n].f = 5;
        if (qstrcmp(id, "pictures.path1Length") == 0) r.items[n].f = 0;
    }
    writeFile(file("lengths.lmt"), serializeSequence(r));
    auto w = makeScene();
    ASSERT_TRUE(loadSequenceFile(*w, file("lengths.lmt"), nullptr, &loads));
    EXPECT_EQ(w->modelPath[0], "Model/Tardis.3ds");
    EXPECT_EQ(w->picturePath1, "Images/sleeping-dog.jpg");
    EXPECT_TRUE(loads.calls.contains("model 1 Model/Tardis.3ds"));
    EXPECT_TRUE(loads.calls.contains("picture 1 Images/sleeping-dog.jpg"));
}

TEST_F(SequenceScene, OlderFilesKeepWhatTheyLack) {
    auto v = makeScene();
    v->particleCount = 123;
    v->radialBlurRed = 77;
    v->particleFogEnd = 99;
    v->modelOn[1] = 2;
    v->blurModel = 2;
    v->keyCount = 1;
    v->keyFrames[1] = 20;
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        v->keyTrack[p][20] = 5;
    SequenceRecord r = captureSequence(*v);

    // Written by hand as a version 4 file: the items and slots it lacks are left out.
    ArchiveWriter out;
    out.writeFloat(4.0f);
    for (int n = 2; n <= kHeaderItemCount; ++n) {
        if (!itemPresent(n, 4.0f)) continue;
        const SequenceItem& item = r.items[n];
        switch (headerItems()[n].kind) {
        case ItemKind::Float:
            out.writeFloat(item.f);
            break;
        case ItemKind::Int:
            out.writeInt(item.i);
            break;
        case ItemKind::String:
            out.writeString(item.s);
            break;
        }
    }
    out.writeInt(20);
    for (int s = 0; s < kKeySlotCount; ++s)
        if (slotPresent(s, 4.0f)) out.writeFloat(r.keys[0].values[size_t(s)]);
    writeFile(file("v4.lmt"), out.bytes());

    auto w = makeScene();
    w->particleCount = 555;
    w->radialBlurRed = 11;
    w->particleFogEnd = 44;
    w->modelOn[1] = 2;
    w->modelRadialBlur[1] = 2;
    QString error;
    ASSERT_TRUE(loadSequenceFile(*w, file("v4.lmt"), &error, &loads)) << error.toStdString();
    EXPECT_EQ(w->particleCount, 123); // version 4 has the count
    EXPECT_EQ(w->particleFogEnd, 44); // fog is version 6
    EXPECT_EQ(w->modelOn[1], 0.0f);   // preset for files without model 2
    EXPECT_EQ(w->modelRadialBlur[1], 0.0f);
    EXPECT_EQ(w->blurModel, 2.0f); // the blur page's box is in every version
    EXPECT_EQ(w->sceneVersion, 4.0f);
    EXPECT_EQ(w->sceneVersionWhole, 4);
    const int red = keyableIndex("blur.radial.colour.r");
    EXPECT_EQ(w->startKey[red], makeScene()->startKey[red]);
    EXPECT_EQ(w->keyTrack[keyableIndex("particles.fogEnd")][20], 0.0f); // cleared by the reset
    EXPECT_EQ(w->keyTrack[keyableIndex("text.rotate.x")][20], 5.0f);
    EXPECT_FALSE(loads.calls.filter("model 2").size());
}

TEST_F(SequenceScene, RefusedFilesLeaveTheSceneExactlyAsItWas) {
    auto v = makeScene();
    fillScene(*v);
    ASSERT_TRUE(saveSequenceFile(*v, file("good.lmt")));
    QFile good(file("good.lmt"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();

    QByteArray lateFrame = bytes;
    const qsizetype lastKey = bytes.size() - (4 + 4 * kKeySlotCount);
    const std::int32_t frame = 10000;
    std::memcpy(lateFrame.data() + lastKey, &frame, 4);
    QByteArray future = bytes;
    const float seven = 7.0f;
    std::memcpy(future.data(), &seven, 4);
    const std::vector<std::pair<QString, QByteArray>> broken = {
        {"short.lmt", bytes.left(bytes.size() - 3)},
        {"empty.lmt", QByteArray()},
        {"text.lmt", QByteArray("not a sequence at all")},
        {"future.lmt", future},
        {"late.lmt", lateFrame},
    };

    auto w = makeScene();
    ASSERT_TRUE(loadSequenceFile(*w, file("good.lmt"), nullptr, &loads));
    w->timelinePlaying = false;
    w->playFrame = 17;
    w->starTexture = 42;
    const QByteArray before = serializeSequence(captureSequence(*w));
    const float baked = w->frameTrack[5][300];
    loads.calls.clear();
    QDir::setCurrent(dir.path());

    std::map<QString, QString> errors;
    for (const auto& [name, content] : broken) {
        writeFile(file(name), content);
        QString& error = errors[name];
        EXPECT_FALSE(loadSequenceFile(*w, file(name), &error, &loads)) << name.toStdString();
        EXPECT_TRUE(error.contains(name)) << error.toStdString();
    }
    // A file that is no sequence says so; a real but unknown version is named.
    const QString text = QDir::toNativeSeparators(file("text.lmt"));
    EXPECT_EQ(errors["text.lmt"], "\"" + text + "\" is not a Lumatoy sequence file.");
    EXPECT_EQ(errors["empty.lmt"], "\"" + QDir::toNativeSeparators(file("empty.lmt")) +
                                       "\" is not a Lumatoy sequence file.");
    EXPECT_TRUE(errors["future.lmt"].endsWith(
        "cannot be loaded. Its format version 7 is not one this program reads (1 to 6)."))
        << errors["future.lmt"].toStdString();
    EXPECT_TRUE(errors["short.lmt"].contains("ends early"));
    EXPECT_FALSE(loadSequenceFile(*w, file("missing.lmt"), nullptr, &loads));
    EXPECT_FALSE(readSequence(*w, file("missing.lmt")));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_TRUE(headless.messages[0].text.contains("cannot be opened"));

    EXPECT_TRUE(loads.calls.isEmpty());
    EXPECT_EQ(serializeSequence(captureSequence(*w)), before);
    EXPECT_EQ(w->frameTrack[5][300], baked);
    EXPECT_FALSE(w->timelinePlaying);
    EXPECT_EQ(w->playFrame, 17);
    EXPECT_EQ(w->starTexture, 42u);
    EXPECT_EQ(QDir::currentPath(), QDir(dir.path()).canonicalPath());
}

TEST_F(SequenceScene, BytesAfterTheLastKeyLoadLikeTheFileWithoutThem) {
    auto v = makeScene();
    fillScene(*v);
    ASSERT_TRUE(saveSequenceFile(*v, file("good.lmt")));
    QFile good(file("good.lmt"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    writeFile(file("padded.lmt"), good.readAll() + QByteArray("\0\0\0\x01 and some more", 17));

    auto plain = makeScene();
    auto padded = makeScene();
    QString error;
    ASSERT_TRUE(loadSequenceFile(*plain, file("good.lmt"), &error, &loads));
    ASSERT_TRUE(loadSequenceFile(*padded, file("padded.lmt"), &error, &loads))
        << error.toStdString();
    EXPECT_EQ(serializeSequence(captureSequence(*padded)),
              serializeSequence(captureSequence(*plain)));
    EXPECT_EQ(padded->loadedTimelineLength, plain->loadedTimelineLength);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(SequenceScene, FailedSaveKeepsTheOldFile) {
    auto v = makeScene();
    const QString path = file("keep.lmt");
    writeFile(path, "old contents");
    QString error;
    EXPECT_FALSE(saveSequenceFile(*v, file("no/such/folder/x.lmt"), &error));
    EXPECT_TRUE(error.contains("could not be saved"));

    // A folder that cannot be written: the existing file stays as it was.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool writable = QFileInfo(dir.path()).isWritable(); // root ignores permissions
    if (!writable) {
        EXPECT_FALSE(writeSequence(*v, path));
        ASSERT_EQ(headless.messages.size(), 1u);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), "old contents");
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SequenceScene, AFileWithoutKeysPlaysItsStartValues) {
    auto v = makeScene();
    v->textFade = 17;
    v->starZoom = -12;
    captureStartValues(*v);
    ASSERT_TRUE(saveSequenceFile(*v, file("still.lmt")));

    auto w = makeScene();
    // Frame 0 of the tracks holds something else from earlier work.
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        w->frameTrack[p][0] = 1234;
    ASSERT_TRUE(loadSequenceFile(*w, file("still.lmt"), nullptr, &loads));
    EXPECT_EQ(w->keyCount, 0);
    applyFrame(*w, 0);
    EXPECT_FLOAT_EQ(w->textFade, 17);
    EXPECT_FLOAT_EQ(w->starZoom, -12);
}

TEST_F(SequenceScene, KeysOutOfFrameOrderLoadPlayAndSaveBackInTheirOrder) {
    auto v = makeScene();
    const int frames[] = {200, 100, 300};
    const int fade = keyableIndex("text.fade");
    v->keyCount = 3;
    for (int i = 1; i <= 3; ++i) {
        v->keyFrames[i] = frames[i - 1];
        for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
            v->keyTrack[p][frames[i - 1]] = float(i * 10 + p);
    }
    const QString path = file("backward.lmt");
    ASSERT_TRUE(saveSequenceFile(*v, path));

    auto w = makeScene();
    QString error;
    ASSERT_TRUE(loadSequenceFile(*w, path, &error, &loads)) << error.toStdString();
    ASSERT_EQ(w->keyCount, 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(w->keyFrames[i], frames[i - 1]) << i;
        EXPECT_EQ(w->keyTrack[fade][frames[i - 1]], float(i * 10 + fade)) << i;
    }
    // The timeline is the segments' sum, and every frame of it holds a baked value: the last
    // 100 of them lead to the key at 300.
    EXPECT_EQ(w->loadedTimelineLength, 300);
    EXPECT_NEAR(w->frameTrack[fade][299], float(30 + fade), 1e-3);
    for (int q = 100; q < 300; ++q)
        EXPECT_NE(w->frameTrack[fade][q], 0.0f) << q;

    // Saved again, the file holds the same keys in the same order, byte for byte.
    const QString again = file("again.lmt");
    ASSERT_TRUE(saveSequenceFile(*w, again));
    QFile first(path), second(again);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = first.readAll(), secondBytes = second.readAll();
    const qsizetype keyBytes = 3 * (4 + 4 * kKeySlotCount);
    ASSERT_GT(firstBytes.size(), keyBytes);
    EXPECT_EQ(secondBytes.right(keyBytes), firstBytes.right(keyBytes));
}
