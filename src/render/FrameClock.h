// When frames are drawn: the projection, the throttle to the video rate, the capture pacing gate,
// the frame-rate measurement, and the overlay bracket shared by the layers.
#pragma once

class CZoetraView;

// Viewport and a 45-degree perspective projection for a client area; a height of 0 counts as 1.
void setPerspective(int width, int height);

// Whether the frame loop may draw now. With the lock on, a frame is drawn only when strictly
// more than 1000 / aviFrameRate ms have passed since the last one; the start of that interval is
// not moved while an export runs.
bool frameDue(CZoetraView& v);

// True at most `rate` times a second (one process-wide pacing value, read from the tick count).
bool rateGate(float rate);
// Forgets the last gate time (tests and file renders start from a known state).
void resetRateGate();

// Counts a drawn frame; every window of more than 1010 ms the count becomes measuredFps.
void countFrame(CZoetraView& v);
// The frame-rate text the keyframe page shows: the measured count plus 3, then " Fps".
const char* fpsText(int measuredFps);
