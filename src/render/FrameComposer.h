// One frame of the scene: the preamble, the blur captures, the effect slots in their fixed order,
// and the frame-rate count. The playback composer shares the captures and the slots.
#pragma once

class CZoetraView;

enum class ComposerMode { Live, Playback };

// A frame is either drawn, or stepped: the frame's GL commands are all issued, so every layer's
// simulation, the timeline, the clock, the GL state and the stream of vertices move on exactly as
// when it is drawn, but with rasterization discarded (GL_RASTERIZER_DISCARD) nothing is filled,
// which is where a frame's time goes. Only the motion-blur capture is drawn, since every later
// capture starts from its picture. A drawn frame after stepped ones is the picture it is in a
// run that drew every frame, to the bit: llvmpipe's pictures depend on the vertex stream that
// came before them, so stepping the layers' simulations alone would not do.
enum class FramePass { Draw, Step };

// Draws one complete frame into the current framebuffer (the view's context must be current).
bool composeFrame(CZoetraView& v, FramePass pass = FramePass::Draw);
// The frame composeFrame would draw, stepped without drawing it.
inline void stepFrame(CZoetraView& v) {
    composeFrame(v, FramePass::Step);
}

// One frame of the timeline: the baked values of the current frame applied, cleared to the
// background colour, the captures and slots drawn, then one frame on.
void composePlaybackFrame(CZoetraView& v, FramePass pass = FramePass::Draw);

// The motion-blur capture and the radial-blur captures, run before any layer is drawn.
void runBlurCaptures(CZoetraView& v, FramePass pass = FramePass::Draw);

// The effect slots from the tiles to the text, each behind its gate.
void drawEffectSlots(CZoetraView& v, ComposerMode mode);

// Whether the radial-blur capture runs this frame: a blur source and a blur to draw.
bool radialBlurGateOpen(const CZoetraView& v);

// A benchmark's hook, called after each slot of a drawn frame with the slot's name ("tiles",
// "radial capture", "text", ...); none by default.
using SlotHook = void (*)(const char* slot);
void setSlotHook(SlotHook hook);
// Tells the hook, if any, that `slot` is done.
void markSlotDone(const char* slot);
