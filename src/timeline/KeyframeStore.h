// Keyframe store: the key list and the key tracks of the keyable values.
#pragma once

class CZoetraView;

// Copies the current value of every keyable parameter into the timeline's start values.
void captureStartValues(CZoetraView& v);
// Clears the key list and the tracks (used by "New" and when the view is destroyed).
void resetTimeline(CZoetraView& v);
