// Timeline bake and playback.
#include "timeline/Playback.h"

#include "scene/CZoetraView.h"
#include "timeline/KeyableParams.h"

#include <GL/gl.h>

// A segment whose end lies before its start (keys out of frame order in a file from another
// writer) still counts its negative length into the timeline, so the length is the sum of the
// segments, which is always the last key's frame. It bakes no frame: every frame it spans was
// baked by an earlier segment on the way out (the keys start at frame 0), and the segments after
// it bake every frame of it that lies before the last key again. The segment after it starts
// from the value the timeline shows at its start frame and runs in a straight line to its own
// key, so no frame of the timeline is left blank and no jump appears where it turns.
void bakeTimeline(CZoetraView& v) {
    while (v.bakeCursor < v.keyCount) {
        const int i = v.bakeCursor;
        const int f0 = v.keyFrames[i];
        const int f1 = v.keyFrames[i + 1];
        const int n = f1 - f0;
        v.segmentStart = f0;
        v.segmentEnd = f1;
        v.segmentLength = n;
        v.timelineLength += n;
        if (i >= 1) v.timelineBaked = true;

        for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p) {
            const float target = v.keyTrack[p][f1];
            if (n < 0) {
                // The next segment's step then leads from the value shown at f1 to its key.
                v.previousTarget[p] = v.frameTrack[p][f1 > 0 ? f1 - 1 : 0];
                v.targetValue[p] = target;
                continue;
            }
            float running;
            if (i == 0) {
                running = v.startKey[p];
                v.previousTarget[p] = v.startKey[p];
            } else {
                running = v.frameTrack[p][f0 - 1];
            }
            float* track = v.frameTrack[p];
            for (int q = f0; q < f1; ++q) {
                running = running + (target - v.previousTarget[p]) / static_cast<float>(n);
                track[q] = running;
            }
            v.runningValue[p] = running;
            v.targetValue[p] = target;
            v.previousTarget[p] = i == 0 ? running : target;
        }
        v.loadedTimelineLength += n;
        v.bakeCursor = i + 1;
    }
}

void rebakeTimeline(CZoetraView& v) {
    v.bakeCursor = 0;
    v.timelineLength = 0;
    v.loadedTimelineLength = 0;
    bakeTimeline(v);
}

void applyFrame(CZoetraView& v, int frame) {
    if (frame < 0 || frame >= kTimelineFrames) return;
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        setKeyableValue(v, p, v.frameTrack[p][frame]);
}

void playTimeline(CZoetraView& v) {
    if (v.keyCount != 0) v.timelinePlaying = true;
}

void stopTimeline(CZoetraView& v) {
    v.timelinePlaying = false;
}

void scrubToFrame(CZoetraView& v, int frame) {
    if (v.pageExists(DeckPage::Keyframes)) v.deckUi().showFrame(frame);
    if (v.keyCount == 0 || frame < 0 || frame >= v.loadedTimelineLength) return;
    v.playFrame = frame;
    applyFrame(v, v.playFrame);
    glClearColor(v.backgroundColour.x / 255.0f, v.backgroundColour.y / 255.0f,
                 v.backgroundColour.z / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void advancePlayback(CZoetraView& v) {
    const int end = v.sequenceLoaded ? v.loadedTimelineLength : v.timelineLength;
    if (v.playFrame < end) v.playFrame += 1;
    const bool page = v.pageExists(DeckPage::Keyframes);
    if (page) v.deckUi().showFrame(v.deckUi().frameSlider());
    // A play frame left beyond a shorter timeline (Stop, then keys cleared and rebuilt) ends play
    // as well instead of running off the tracks.
    if (v.playFrame >= end) {
        v.timelinePlaying = false;
        if (page) {
            v.deckUi().setFrameSlider(end);
            v.deckUi().showFrame(end);
        }
        v.playFrame = 0;
        if (v.sequenceLoaded) v.fireRampRequest = 2.0f;
    }
}
