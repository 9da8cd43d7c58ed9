// Add Key, Copy, Paste, Clear All and the timeline reset.
#include "timeline/KeyframeStore.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"
#include "timeline/KeyableParams.h"
#include "timeline/Playback.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct KeyStore : ::testing::Test {
    std::unique_ptr<CZoetraView> v = makeScene();
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    const int zoom = keyableIndex("stars.zoom");

    void keyAt(int frame, float starZoom) {
        v->starZoom = starZoom;
        ASSERT_TRUE(addKey(*v, frame));
    }
};

} // namespace

TEST_F(KeyStore, KeyAtFrameZeroChangesOnlyTheStartValues) {
    keyAt(0, 12);
    EXPECT_EQ(v->keyCount, 0);
    EXPECT_EQ(v->startKey[zoom], 12.0f);
    EXPECT_EQ(v->frameTrack[zoom][0], 12.0f);
    EXPECT_EQ(v->timelineLength, 0);
}

TEST_F(KeyStore, KeysOutOfOrderAreSortedAndTheTimelineRebaked) {
    keyAt(0, 0);
    keyAt(100, 100);
    keyAt(200, 0);
    keyAt(50, 100); // earlier than the last key
    ASSERT_EQ(v->keyCount, 3);
    EXPECT_EQ(v->keyFrames[1], 50);
    EXPECT_EQ(v->keyFrames[2], 100);
    EXPECT_EQ(v->keyFrames[3], 200);
    EXPECT_EQ(v->timelineLength, 200);
    EXPECT_EQ(v->frameTrack[zoom][49], 100.0f); // the ramp now reaches 100 at frame 50
    EXPECT_EQ(v->frameTrack[zoom][99], 100.0f);
}

TEST_F(KeyStore, PasteAtAnEarlierFrameGoesIntoFrameOrder) {
    keyAt(0, 0);
    keyAt(10, 10);
    keyAt(30, 30);
    bool copied = false;
    ASSERT_TRUE(copyKey(*v, 30, copied));
    EXPECT_TRUE(copied);
    ASSERT_TRUE(pasteKey(*v, 20, copied));
    EXPECT_EQ(v->keyFrames[1], 10);
    EXPECT_EQ(v->keyFrames[2], 20);
    EXPECT_EQ(v->keyFrames[3], 30);
    EXPECT_FALSE(v->sequenceLoaded);
}

TEST_F(KeyStore, CopyWithOneKeyTakesTheStartValues) {
    keyAt(0, 3);
    keyAt(10, 50);
    bool copied = false;
    copyKey(*v, 5, copied);
    EXPECT_EQ(v->copyBuffer[zoom], 3.0f); // not the baked value at frame 5
    keyAt(20, 60);
    copyKey(*v, 5, copied);
    EXPECT_EQ(v->copyBuffer[zoom], v->frameTrack[zoom][5]);
}

TEST_F(KeyStore, PasteWithoutCopySaysSoAndChangesNothing) {
    keyAt(10, 1);
    EXPECT_FALSE(pasteKey(*v, 20, false));
    EXPECT_EQ(v->keyCount, 1);
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text,
              "Please Copy a Keyframe. There's currently nothing to Paste.");
}

TEST_F(KeyStore, FramesBeyondTheTracksAndAFullKeyListAreRefused) {
    EXPECT_FALSE(addKey(*v, 10000));
    EXPECT_FALSE(addKey(*v, -1));
    EXPECT_EQ(v->keyCount, 0);
    v->keyCount = kMaxKeyCount;
    v->bakeCursor = kMaxKeyCount;
    EXPECT_FALSE(addKey(*v, 9999));
    EXPECT_EQ(v->keyCount, kMaxKeyCount);
    EXPECT_EQ(headless.messages.size(), 3u);
}

TEST_F(KeyStore, ClearAllAsksAndResetLeavesTheCellsBeyondEntry601) {
    v->keyTrack[zoom][700] = 7;
    v->frameTrack[zoom][700] = 7;
    v->copyBuffer[zoom] = 9;
    keyAt(0, 2);
    keyAt(100, 1);
    v->textString = "Hello";

    headless.answers = {false};
    EXPECT_FALSE(clearAllKeys(*v));
    EXPECT_EQ(v->keyCount, 1);

    const float cellZero = v->frameTrack[zoom][0];
    headless.answers = {true};
    v->timelinePlaying = true;
    v->sceneVersion = 3.0f;
    EXPECT_TRUE(clearAllKeys(*v));
    EXPECT_EQ(headless.questions.last(), "Are you sure you want to delete all keyframes?");
    EXPECT_FALSE(v->timelinePlaying);
    EXPECT_EQ(v->keyCount, 0);
    EXPECT_EQ(v->timelineLength, 0);
    EXPECT_EQ(v->sceneVersion, 6.0f);
    EXPECT_EQ(v->textString, "Lumatoy");
    EXPECT_EQ(v->keyTrack[zoom][100], 0.0f);
    EXPECT_EQ(v->frameTrack[zoom][99], 0.0f);
    EXPECT_EQ(v->keyTrack[zoom][700], 7.0f);
    EXPECT_EQ(v->frameTrack[zoom][700], 7.0f);
    EXPECT_EQ(v->frameTrack[zoom][0], cellZero);
    EXPECT_EQ(v->startKey[zoom], 2.0f);
    EXPECT_EQ(v->copyBuffer[zoom], 9.0f);

    keyAt(100, 5);
    EXPECT_EQ(v->keyCount, 1);
    EXPECT_EQ(v->keyFrames[1], 100);
}
