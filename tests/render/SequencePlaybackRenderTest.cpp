// A sequence saved, loaded, saved again and played shows the same frames; a frame range plays
// from frame 0 and shows the frames of a full run.
#include "support/RecordingAssetLoads.h"
#include "support/SequenceFrames.h"
#include "timeline/SequenceScene.h"

#include "platform/HeadlessPlatform.h"
#include "scene/CZoetraView.h"
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
    HeadlessPlatform headless;
    setPlatform(&headless);
    RecordingAssetLoads loads; // saving and reloading need no GL here
    useEffectLoads(&loads);

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
    useEffectLoads(nullptr);
    setPlatform(nullptr);

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
