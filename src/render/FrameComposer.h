// One frame of the scene: the preamble, the blur captures, the effect slots in their fixed order,
// and the frame-rate count. The playback composer shares the captures and the slots.
#pragma once

class CZoetraView;

enum class ComposerMode { Live, Playback };

// Set once the drawing surface is known to be multisampled; frames then bracket their drawing
// with GL_MULTISAMPLE.
extern bool multisampleAvailable;

// Draws one complete frame into the current framebuffer (the view's context must be current).
bool composeFrame(CZoetraView& v);

// One frame of the timeline: the baked values of the current frame applied, cleared to the
// background colour, the captures and slots drawn, then one frame on.
void composePlaybackFrame(CZoetraView& v);

// The motion-blur capture and the radial-blur captures, run before any layer is drawn.
void runBlurCaptures(CZoetraView& v);

// The effect slots from the tiles to the text, each behind its gate.
void drawEffectSlots(CZoetraView& v, ComposerMode mode);

// Whether the radial-blur capture runs this frame: a blur source and a blur to draw.
bool radialBlurGateOpen(const CZoetraView& v);

// True when `name` appears in the blank-separated extension list as a whole word.
bool hasExtensionWord(const char* list, const char* name);
