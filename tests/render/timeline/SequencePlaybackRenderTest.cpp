// A sequence saved, loaded, saved again and played shows the same frames; a frame range shows
// the frames of a full run, for every stored sequence and for a motion-blurred one, and draws
// only its own frames.
#include "support/RecordingAssetLoads.h"
#include "support/SequenceFrames.h"
#include "timeline/SequenceScene.h"

#include "render/HeadlessRender.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"
#include "timeline/KeyableParams.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <memory>

TEST(SequencePlayback, SavedReopenedAndPlayedShowsTheSameFrames) {
    QTemporaryDir dir;
    const QString folder = QDir::currentPath();
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    RecordingAssetLoads loads; // saving and reloading need no GL here
    const EffectLoadsOverride useLoads(loads);

    // Keys built as the Keyframe Controls page builds them: the text turns and the background
    // reddens over twelve frames.
    auto v = makeScene();
    v->textString = "Key";
    addKey(*v, 0);
    v->textRotation.y = 120;
    v->backgroundColour.x = 90;
    addKey(*v, 6);
    v->textRotation.y = 240;
    v->textPosition.z = -300;
    addKey(*v, 12);
    const QString first = dir.filePath("first.lmt");
    ASSERT_TRUE(saveSequenceFile(*v, first));

    auto reopened = makeScene();
    ASSERT_TRUE(loadSequenceFile(*reopened, first));
    const QString second = dir.filePath("second.lmt");
    ASSERT_TRUE(saveSequenceFile(*reopened, second));

    const std::map<int, QImage> a = renderSequenceFrames(first);
    const std::map<int, QImage> b = renderSequenceFrames(second);
    QDir::setCurrent(folder);
    ASSERT_EQ(a.size(), 12u); // frames 0 ... last key - 1
    ASSERT_EQ(b.size(), 12u);
    for (const auto& [frame, image] : a)
        EXPECT_EQ(image, b.at(frame)) << frame;
    EXPECT_NE(a.at(0), a.at(11)); // the sequence moves

    const std::map<int, QImage> range = renderSequenceFrames(first, 8, 10);
    QDir::setCurrent(folder);
    ASSERT_EQ(range.size(), 3u);
    for (const auto& [frame, image] : range)
        EXPECT_EQ(image, a.at(frame)) << frame;
}

// A file whose keys are out of frame order (20, 10, 30) plays the sum of its segments, 30 frames,
// and every one of them shows the text.
TEST(SequencePlayback, KeysOutOfFrameOrderShowEveryFrameOfTheTimeline) {
    QTemporaryDir dir;
    const QString folder = QDir::currentPath();
    auto v = makeScene();
    v->textString = "Key";
    const int frames[] = {20, 10, 30};
    v->keyCount = 3;
    for (int i = 1; i <= 3; ++i) {
        v->textRotation.y = 40.0f * i;
        v->keyFrames[i] = frames[i - 1];
        for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
            v->keyTrack[p][frames[i - 1]] = keyableValue(*v, p);
    }
    const QString path = dir.filePath("backward.lmt");
    ASSERT_TRUE(saveSequenceFile(*v, path));

    const std::map<int, QImage> shown = renderSequenceFrames(path);
    QDir::setCurrent(folder);
    ASSERT_EQ(shown.size(), 30u);
    EXPECT_EQ(shown.rbegin()->first, 29);
    for (const auto& [frame, image] : shown) {
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lit += qGray(image.pixel(x, y)) > 40;
        EXPECT_GT(lit, 50) << frame;
    }
}

namespace {

// Frames first...last of a render of frames 0...last, and the same range rendered alone, must be
// the same pictures.
void expectRangeMatchesFullRun(const QString& path, int first, int last) {
    const std::map<int, QImage> full = renderSequenceFrames(path, 0, last);
    const std::map<int, QImage> range = renderSequenceFrames(path, first, last);
    ASSERT_EQ(range.size(), std::size_t(last - first + 1));
    for (const auto& [frame, image] : range)
        EXPECT_TRUE(image == full.at(frame)) << "frame " << frame;
    EXPECT_NE(full.at(first), full.at(0)); // the frames stepped over moved the scene
}

} // namespace

// Particles, fire, stars, the tunnel's phase, the pictures' fade and the radial blur's extra
// steps all carry from frame to frame, and so do GL state and the vertex stream: stepping frames
// 0...59 without drawing them leaves each stored sequence where drawing them does.
TEST(SequencePlayback, ARangeOfEveryStoredSequenceShowsTheFramesOfAFullRun) {
    const QDir folder(programSequencesFolder());
    const QStringList names = folder.entryList({"*.lmt"}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 16);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        expectRangeMatchesFullRun(folder.filePath(name), 60, 62);
    }
}

// The motion capture feeds on the capture before it, so the stepped frames still capture.
TEST(SequencePlayback, ARangeOfAMotionBlurredSequenceShowsTheFramesOfAFullRun) {
    QTemporaryDir dir;
    const QString folder = QDir::currentPath();
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    RecordingAssetLoads loads;
    const EffectLoadsOverride useLoads(loads);
    auto v = makeScene();
    v->textString = "Trail";
    v->textOn = 2;
    v->particlesOn = 2;
    v->motionBlurOn = 2;
    v->blurText = 2;
    v->blurParticles = 2;
    v->motionBlurDensity = 80; // 20 captures a second: not every frame captures
    addKey(*v, 0);
    v->textRotation.y = 300;
    v->textPosition.x = 200;
    addKey(*v, 40);
    const QString path = dir.filePath("trail.lmt");
    ASSERT_TRUE(saveSequenceFile(*v, path));
    expectRangeMatchesFullRun(path, 30, 33);
    QDir::setCurrent(folder);
}

// Frames 120...122 of a 300-frame sequence: 120 frames stepped, the range drawn.
TEST(SequencePlayback, ARangeDrawsOnlyItsOwnFrames) {
    RenderOptions options;
    options.sequencePath = QDir(programSequencesFolder()).filePath("Everything at Once.lmt");
    options.width = 64;
    options.height = 48;
    options.firstFrame = 120;
    options.lastFrame = 122;
    HeadlessRender render;
    QString error;
    ASSERT_TRUE(render.open(options, &error)) << error.toStdString();
    for (int frame = render.firstFrame(); frame <= render.lastFrame(); ++frame)
        render.drawUpTo(frame);
    EXPECT_EQ(render.framesStepped(), 120);
    EXPECT_EQ(render.framesDrawn(), 3);
}
