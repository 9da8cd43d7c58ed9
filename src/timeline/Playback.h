// Timeline bake and playback: keys turned into one value per frame, and the playback composer
// that applies those values frame by frame.
#pragma once

class CZoetraView;

// Bakes every key-list segment from bakeCursor on, by straight lines in single precision: frame
// q of a segment holds the value of frame q + 1, and each segment starts from the value the one
// before accumulated. A segment whose end lies before its start bakes nothing but counts its
// negative length, and the segment after it runs from the value shown at its start to its key.
void bakeTimeline(CZoetraView& v);
// Bakes the whole key list again from the start values.
void rebakeTimeline(CZoetraView& v);

// Copies the baked values of `frame` into the scene ("Flag Wave" truncated to an integer).
void applyFrame(CZoetraView& v, int frame);

// "Play >": plays from playFrame when there is at least one key. "Stop": stops where it stands.
void playTimeline(CZoetraView& v);
void stopTimeline(CZoetraView& v);

// The Frame slider moved to `frame`: within the baked range of a timeline with keys, the next
// frame shows the scene at that frame (and the window is cleared to the background colour).
void scrubToFrame(CZoetraView& v, int frame);

// Moves playback on by one frame; at the end it stops and rewinds to frame 0 (never loops).
void advancePlayback(CZoetraView& v);
