// The bake into per-frame values and playback of the baked frames.
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/RecordingDeck.h"
#include "support/ScriptedPlatform.h"
#include "timeline/KeyableParams.h"
#include "timeline/KeyframeStore.h"
#include "timeline/Playback.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Timeline : ::testing::Test {
    std::unique_ptr<CZoetraView> v = makeScene();
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    const int fade = keyableIndex("text.fade");

    void keyAt(int frame, float textFade) {
        v->textFade = textFade;
        ASSERT_TRUE(addKey(*v, frame));
    }
};

} // namespace

TEST_F(Timeline, ZeroToEightOverFourFramesThenStopAndRewind) {
    keyAt(0, 0);
    keyAt(4, 8);
    EXPECT_EQ(v->timelineLength, 4);
    for (int q = 0; q < 4; ++q)
        EXPECT_EQ(v->frameTrack[fade][q], 2.0f * (q + 1)) << q;

    playTimeline(*v);
    ASSERT_TRUE(v->timelinePlaying);
    std::vector<float> drawn;
    while (v->timelinePlaying) {
        applyFrame(*v, v->playFrame);
        drawn.push_back(v->textFade);
        advancePlayback(*v);
        ASSERT_LE(drawn.size(), 10u);
    }
    EXPECT_EQ(drawn, (std::vector<float>{2, 4, 6, 8}));
    EXPECT_EQ(v->playFrame, 0);
    EXPECT_EQ(v->fireRampRequest, 0.0f); // only a loaded sequence asks for the ramp
}

TEST_F(Timeline, EqualKeysHoldTheirValueAndLaterSegmentsStartFromTheAccumulatedValue) {
    keyAt(0, 5);
    keyAt(10, 5);
    keyAt(20, 5);
    for (int q = 0; q < 20; ++q)
        EXPECT_EQ(v->frameTrack[fade][q], 5.0f) << q;
    EXPECT_TRUE(v->timelineBaked);

    // Thirds do not add up exactly in single precision: the drift carries into the next segment.
    keyAt(23, 6);
    float running = 5.0f;
    for (int q = 20; q < 23; ++q) {
        running = running + (6.0f - 5.0f) / 3.0f;
        EXPECT_EQ(v->frameTrack[fade][q], running);
    }
}

TEST_F(Timeline, ZeroLengthSegmentBakesNothing) {
    keyAt(0, 0);
    keyAt(10, 10);
    const float before = v->frameTrack[fade][9];
    keyAt(10, 99);
    EXPECT_EQ(v->keyCount, 2);
    EXPECT_EQ(v->timelineLength, 10);
    EXPECT_EQ(v->frameTrack[fade][9], before);
    EXPECT_EQ(v->frameTrack[fade][10], 0.0f); // the last key's own cell is never baked
}

// Keys out of frame order, as a file from another writer may hold them: 200, 100, 300. The
// timeline is the sum of the segments, 300 frames; the backward segment bakes nothing, and the
// segment after it runs from the value shown at frame 100 to the key at 300.
TEST_F(Timeline, KeysOutOfFrameOrderInALoadedListLeaveNoFrameBlank) {
    const int frames[] = {0, 200, 100, 300};
    const float values[] = {10, 210, 999, 310};
    v->startKey[fade] = values[0];
    v->keyCount = 3;
    for (int i = 1; i <= 3; ++i) {
        v->keyFrames[i] = frames[i];
        v->keyTrack[fade][frames[i]] = values[i];
    }
    rebakeTimeline(*v);
    v->sequenceLoaded = true;
    EXPECT_EQ(v->timelineLength, 300);
    EXPECT_EQ(v->loadedTimelineLength, 300);
    EXPECT_EQ(v->frameTrack[fade][0], 11.0f);
    EXPECT_EQ(v->frameTrack[fade][99], 110.0f);  // on the way to the key at 200
    EXPECT_EQ(v->frameTrack[fade][299], 310.0f); // the last key is reached

    v->timelinePlaying = true;
    std::vector<float> drawn;
    while (v->timelinePlaying) {
        applyFrame(*v, v->playFrame);
        drawn.push_back(v->textFade);
        advancePlayback(*v);
        ASSERT_LE(drawn.size(), 400u);
    }
    ASSERT_EQ(drawn.size(), 300u);
    // Every frame holds a baked value, and the turn at frame 100 makes no jump.
    for (size_t q = 0; q < drawn.size(); ++q) {
        EXPECT_GT(drawn[q], 10.0f) << q;
        if (q > 0) {
            EXPECT_NEAR(drawn[q] - drawn[q - 1], 1.0f, 1e-3f) << q;
        }
    }
}

TEST_F(Timeline, ABackwardLastSegmentEndsTheTimelineAtItsKey) {
    v->startKey[fade] = 0;
    v->keyCount = 2;
    v->keyFrames[1] = 300;
    v->keyFrames[2] = 100;
    v->keyTrack[fade][300] = 300;
    v->keyTrack[fade][100] = 5;
    rebakeTimeline(*v);
    EXPECT_EQ(v->timelineLength, 100);
    for (int q = 0; q < 100; ++q)
        EXPECT_EQ(v->frameTrack[fade][q], float(q + 1)) << q;
}

TEST_F(Timeline, PlayWithoutKeysDoesNothingAndStopKeepsTheFrame) {
    playTimeline(*v);
    EXPECT_FALSE(v->timelinePlaying);
    keyAt(6, 6);
    playTimeline(*v);
    advancePlayback(*v);
    advancePlayback(*v);
    stopTimeline(*v);
    EXPECT_FALSE(v->timelinePlaying);
    EXPECT_EQ(v->playFrame, 2);
    playTimeline(*v);
    advancePlayback(*v);
    EXPECT_EQ(v->playFrame, 3);
}

TEST_F(Timeline, PlayFrameBeyondAShorterTimelineEndsPlay) {
    keyAt(50, 1);
    v->playFrame = 40;
    stopTimeline(*v);
    headless.answers = {true};
    ASSERT_TRUE(clearAllKeys(*v));
    keyAt(10, 1);
    playTimeline(*v);
    advancePlayback(*v);
    EXPECT_FALSE(v->timelinePlaying);
    EXPECT_EQ(v->playFrame, 0);
}

TEST_F(Timeline, ScrubShowsBakedValuesOnlyInsideTheBakedRange) {
    keyAt(0, 0);
    keyAt(4, 8);
    v->timelineLength = v->loadedTimelineLength; // as after a load
    scrubToFrame(*v, 1);
    EXPECT_EQ(v->playFrame, 1);
    EXPECT_EQ(v->textFade, 4.0f);
    scrubToFrame(*v, 7);
    EXPECT_EQ(v->playFrame, 1);
    EXPECT_EQ(v->textFade, 4.0f);
}

TEST_F(Timeline, PageFollowsKeysAndPlaybackAndALoadedSequenceAsksForTheFireRamp) {
    RecordingDeck page;
    v->deck = &page;
    v->pageCreated[pageIndex(DeckPage::Keyframes)] = true;
    keyAt(3, 3);
    keyAt(5, 1);
    EXPECT_EQ(page.calls, (QStringList{"tick 3 1", "tick 5 2"}));

    v->sequenceLoaded = true; // as after a load: playback ends at the loaded length
    playTimeline(*v);
    for (int i = 0; i < 5 && v->timelinePlaying; ++i) {
        page.setFrameSlider(v->playFrame);
        advancePlayback(*v);
    }
    EXPECT_FALSE(v->timelinePlaying);
    EXPECT_EQ(page.slider, 5);
    EXPECT_EQ(page.calls.back(), "frame 5");
    EXPECT_EQ(v->playFrame, 0);
    EXPECT_EQ(v->fireRampRequest, 2.0f);

    // Without the page the timeline tells the deck nothing.
    v->pageCreated[pageIndex(DeckPage::Keyframes)] = false;
    page.calls.clear();
    keyAt(8, 2);
    EXPECT_TRUE(page.calls.isEmpty());
    v->deck = nullptr;
}
