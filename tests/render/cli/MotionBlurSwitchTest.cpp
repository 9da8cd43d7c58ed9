// `lumatoy render --motion-blur`: a sequence file stores the motion blur's values but no switch,
// so the render switches it on; without the switch those values change no frame.
#include "support/ProgramRun.h"
#include "support/SequenceFrames.h"

#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/RecordingAssetLoads.h"
#include "support/ScriptedPlatform.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace {

// The text turning over twelve frames; `blurred` keys motion-blur values as well.
void saveTurningText(const QString& path, bool blurred) {
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    RecordingAssetLoads loads;
    const EffectLoadsOverride useLoads(loads);
    auto v = makeScene();
    v->textString = "Blur";
    v->motionBlurFade = blurred ? 40.0f : 0.0f;
    addKey(*v, 0);
    v->textRotation.y = 150;
    v->textPosition.x = 300;
    if (blurred) {
        v->motionBlurFade = 160;
        v->motionBlurTrim = 12;
    }
    addKey(*v, 12);
    EXPECT_TRUE(saveSequenceFile(*v, path));
}

std::map<int, QImage> renderFrames(const QString& sequence, bool motionBlur) {
    RenderOptions options;
    options.sequencePath = sequence;
    options.width = 160;
    options.height = 120;
    options.motionBlur = motionBlur;
    MemorySink sink;
    QString error;
    EXPECT_TRUE(renderToSink(options, sink, nullptr, &error)) << error.toStdString();
    return sink.frames;
}

} // namespace

TEST(MotionBlurSwitch, TurnsTheKeyedMotionBlurOnForTheRenderOnly) {
    QTemporaryDir dir;
    const QString folder = QDir::currentPath();
    const QString blurred = dir.filePath("blurred.lmt"), plain = dir.filePath("plain.lmt");
    saveTurningText(blurred, true);
    saveTurningText(plain, false);

    const std::map<int, QImage> off = renderFrames(blurred, false);
    const std::map<int, QImage> without = renderFrames(plain, false);
    const std::map<int, QImage> on = renderFrames(blurred, true);
    const std::map<int, QImage> onWithoutValues = renderFrames(plain, true);
    QDir::setCurrent(folder);
    ASSERT_EQ(off.size(), 12u);
    ASSERT_EQ(on.size(), 12u);
    // Without the switch the keyed blur values show nowhere.
    for (const auto& [frame, image] : off)
        EXPECT_EQ(image, without.at(frame)) << frame;
    // With it the frames carry the blur's overlay.
    int changed = 0;
    for (const auto& [frame, image] : on)
        changed += image != off.at(frame);
    EXPECT_GE(changed, 11);
    // The blur's fade and trim come from the keys.
    EXPECT_NE(on.at(11), onWithoutValues.at(11));
}

TEST(MotionBlurSwitch, TheCommandLineTakesTheOption) {
    QTemporaryDir dir;
    const QString sequence = dir.filePath("blurred.lmt");
    saveTurningText(sequence, true);
    for (const char* name : {"plain.bmp", "blurred.bmp"}) {
        QStringList args{"render",   sequence, "-o",     dir.filePath(name),
                         "--frames", "8",      "--size", "96x72"};
        if (QString(name) == "blurred.bmp") args << "--motion-blur";
        const ProgramRun run = runLumatoy(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    const QImage plain(dir.filePath("plain.bmp")), blurred(dir.filePath("blurred.bmp"));
    ASSERT_FALSE(plain.isNull());
    EXPECT_NE(plain, blurred);
    EXPECT_TRUE(runLumatoy({"--help"}).out.contains("--motion-blur"));
}
