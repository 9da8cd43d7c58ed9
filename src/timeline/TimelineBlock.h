// Scene fields of the timeline: key list, key and baked tracks, counters, start values, the
// stored-sequence list, the key copy buffer and the playback state.
#pragma once

struct TimelineBlock {
};
