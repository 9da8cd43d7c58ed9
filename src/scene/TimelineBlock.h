// Scene fields of the timeline: key list, key and baked tracks, counters, start values, the
// stored-sequence list, the key copy buffer and the playback state.
#pragma once

#include <QString>
#include <cstdint>

// Capacities of the timeline tables; they are hard limits.
// Room for keyable scene values: the effects declare 215 of them today (keyableCount(),
// timeline/KeyableParams.h); the timeline tables hold up to this many.
constexpr int kKeyableCapacity = 256;
constexpr int kTimelineFrames = 10000; // cells per track: frames 0 ... 9,999
constexpr int kKeyListSize = 20000;    // entries of keyFrames, entry 0 included
constexpr int kMaxKeyCount = kKeyListSize - 1;
constexpr int kSequenceNameCapacity = 1024;
constexpr int kResetKeyEntries = 601; // entries 1 ... 601 are cleared by resetTimeline

struct TimelineBlock {
    // Per keyable value p: the value stored by the key at each frame, and the baked value of
    // each frame (frameTrack[p][q] holds the interpolated value of frame q + 1).
    float keyTrack[kKeyableCapacity][kTimelineFrames]{};
    float frameTrack[kKeyableCapacity][kTimelineFrames]{};
    // The value of each keyable parameter at frame 0.
    float startKey[kKeyableCapacity]{};

    // Entry 0 is the start key (always frame 0); entries 1 ... keyCount are the keys.
    std::int32_t keyFrames[kKeyListSize]{};
    std::int32_t keyCount = 0;
    std::int32_t bakeCursor = 0;           // first key-list segment not yet baked
    std::int32_t timelineLength = 0;       // sum of the baked segment lengths
    std::int32_t loadedTimelineLength = 0; // the same sum; end of playback of a loaded sequence
    bool sequenceLoaded = false;
    bool timelineBaked = false; // set once a segment after the first one is baked

    // Bake working records, kept between bakes so that adding a key bakes only its segment.
    float runningValue[kKeyableCapacity]{};
    float targetValue[kKeyableCapacity]{};
    float previousTarget[kKeyableCapacity]{};
    std::int32_t segmentStart = 0;
    std::int32_t segmentEnd = 0;
    std::int32_t segmentLength = 0;

    // One key's values held by Copy for Paste.
    float copyBuffer[kKeyableCapacity]{};

    // The whole part of the format version of the sequence last loaded (0 after a reset); the
    // version itself is the scene's `sceneVersion`.
    std::int32_t sceneVersionWhole = 0;

    // The stored sequences: entry 0 is "Nothing Selected", then the file names found, and the
    // file each name stands for (the program's or the user's).
    QString sequenceNames[kSequenceNameCapacity];
    QString sequencePaths[kSequenceNameCapacity];
    std::int32_t sequenceCount = 0;
    QString startFolder; // working folder after the start-up sequence was loaded

    // Playback.
    bool timelinePlaying = false;
    std::int32_t playFrame = 0;    // the frame whose baked values are applied next
    float exportInProgress = 0.0f; // > 1.0 while a video export runs
};
