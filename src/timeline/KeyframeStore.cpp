// Keyframe store: the key list and the key tracks of the keyable values.
#include "timeline/KeyframeStore.h"

#include "platform/Platform.h"
#include "scene/CZoetraView.h"
#include "timeline/KeyableParams.h"
#include "timeline/Playback.h"

namespace {

bool frameInTracks(int f) {
    if (f >= 0 && f < kTimelineFrames) return true;
    platform().inform(QStringLiteral("Keys can only be set on frames 0 to %1; frame %2 is beyond "
                                     "the timeline.")
                          .arg(kTimelineFrames - 1)
                          .arg(f),
                      QString(), MessageIcon::Warning);
    return false;
}

bool keyListHasRoom(const CZoetraView& v) {
    if (v.keyCount < kMaxKeyCount) return true;
    platform().inform(
        QStringLiteral("The key list is full: a sequence holds at most %1 keys.").arg(kMaxKeyCount),
        QString(), MessageIcon::Warning);
    return false;
}

// Appends a key at frame f (> 0) holding `values`, keeps the key list in frame order and bakes.
// A key at or after the last one bakes only its own segment; one that lands earlier is sorted in
// (a stable exchange sort, entry 0 staying frame 0) and the whole timeline is baked again, so no
// segment ever runs backwards.
void storeKey(CZoetraView& v, int f, const float* values) {
    const int k = v.keyCount + 1;
    v.keyFrames[k] = f;
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        v.keyTrack[p][f] = values[p];
    v.keyCount = k;
    if (v.pageExists(DeckPage::Keyframes)) v.deckUi().addKeyTick(f, v.keyCount);

    if (f >= v.keyFrames[k - 1]) {
        bakeTimeline(v);
        return;
    }
    for (int i = k; i > 1 && v.keyFrames[i - 1] > v.keyFrames[i]; --i)
        std::swap(v.keyFrames[i - 1], v.keyFrames[i]);
    rebakeTimeline(v);
}

void setStartValues(CZoetraView& v, const float* values) {
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p) {
        v.startKey[p] = values[p];
        v.frameTrack[p][0] = values[p];
    }
}

} // namespace

void captureStartValues(CZoetraView& v) {
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        v.startKey[p] = keyableValue(v, p);
}

bool addKey(CZoetraView& v, int f) {
    if (!frameInTracks(f)) return false;
    if (f != 0 && !keyListHasRoom(v)) return false;
    v.sequenceLoaded = false;
    float current[kKeyableCapacity];
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        current[p] = keyableValue(v, p);
    if (f == 0)
        setStartValues(v, current);
    else
        storeKey(v, f, current);
    return true;
}

bool copyKey(CZoetraView& v, int f, bool& keyCopied) {
    if (!frameInTracks(f)) return false;
    keyCopied = true;
    const bool shownValues = f != 0 && v.timelineBaked;
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        v.copyBuffer[p] = shownValues ? v.frameTrack[p][f] : v.startKey[p];
    return true;
}

bool pasteKey(CZoetraView& v, int f, bool keyCopied) {
    if (!keyCopied) {
        platform().inform(QStringLiteral("Please Copy a Keyframe. There's currently nothing to "
                                         "Paste."));
        return false;
    }
    if (!frameInTracks(f)) return false;
    if (f != 0 && !keyListHasRoom(v)) return false;
    v.sequenceLoaded = false;
    if (f == 0)
        setStartValues(v, v.copyBuffer);
    else
        storeKey(v, f, v.copyBuffer);
    return true;
}

bool clearAllKeys(CZoetraView& v) {
    if (!platform().askYesNo(QStringLiteral("Are you sure you want to delete all keyframes?")))
        return false;
    v.timelinePlaying = false;
    resetTimeline(v);
    v.textString = "Lumatoy";
    if (v.pageExists(DeckPage::Keyframes)) v.deckUi().clearKeyTicks();
    v.bakeCursor = 0;
    v.sequenceLoaded = false;
    return true;
}

void resetTimeline(CZoetraView& v) {
    v.sceneVersion = kSequenceFormatVersion;
    v.sceneVersionWhole = 0;
    v.timelineLength = 0;
    v.keyCount = 0;
    v.loadedTimelineLength = 0;
    for (int i = 1; i <= kResetKeyEntries; ++i)
        v.keyFrames[i] = 0;
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p) {
        for (int i = 1; i <= kResetKeyEntries; ++i) {
            v.keyTrack[p][i] = 0.0f;
            v.frameTrack[p][i] = 0.0f;
        }
    }
}
