// Keyframe store: the key list and the key tracks of the keyable values, and the operations the
// Keyframe Controls page calls with its Frame slider position (Add Key, Copy, Paste, Clear All).
#pragma once

class CZoetraView;

// Copies the current value of every keyable parameter into the timeline's start values.
void captureStartValues(CZoetraView& v);

// Stores the current scene as a key at frame f (0 ... 9,999) and bakes its segment. At frame 0
// only the start values and frame 0 of the baked tracks change. A key at a frame before the last
// key is put into frame order and the timeline is baked again from the start. A frame outside
// the tracks or a full key list is refused with a message; returns false then.
bool addKey(CZoetraView& v, int f);

// Fills the copy buffer: the values shown at frame f once two keys exist, else the start values.
// Sets keyCopied (the page's member). A frame outside the tracks is refused with a message.
bool copyKey(CZoetraView& v, int f, bool& keyCopied);

// Stores the copy buffer as a key at frame f, like addKey. Without a copy it says so and changes
// nothing.
bool pasteKey(CZoetraView& v, int f, bool keyCopied);

// Asks, then empties the timeline; the 3D text goes back to "Lumatoy". Returns false when the
// answer was not Yes.
bool clearAllKeys(CZoetraView& v);

// Clears the key list and the first 601 entries of the tracks without asking; the start values,
// the bake cursor, cell 0 and cells 602 ... 9,999 of the tracks and the copy buffer stay.
void resetTimeline(CZoetraView& v);
