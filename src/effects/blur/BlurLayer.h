// Radial and motion blur: the render targets, the captures of the chosen layers and of each
// model, the overlays, and the redraw of the layers into a capture.
#pragma once

class CZoetraView;

void createBlurTargets(CZoetraView& v);

// The chosen layers ("Apply Blur to:") drawn again into the current viewport. The radial
// capture raises a fire number of 116 or less to 243 (in the scene) before the fire is drawn.
void drawBlurSourceRadial(CZoetraView& v);
void drawBlurSourceMotion(CZoetraView& v);

// What a radial capture does to the frame once it has restored the frame's viewport: clears it
// (colour and depth), or leaves it when nothing has been drawn into it since it was cleared to
// the same colour, where clearing again would change no pixel.
enum class FrameAfterCapture { Clear, AlreadyClear };

// The radial capture of the layers into `radialBlurTexture` and of model `index` (0-2) into its
// own texture: drawn into a 512 x 512 framebuffer of their own and copied as luminance; then the
// frame's viewport is restored and the frame cleared. A model capture is skipped while neither
// of the model's blur switches is on, since nothing would show it.
void captureRadial(CZoetraView& v, FrameAfterCapture after = FrameAfterCapture::Clear);
void captureModelRadial(CZoetraView& v, int index,
                        FrameAfterCapture after = FrameAfterCapture::Clear);
// The four captures above, layers first.
void prepareRadialBlur(CZoetraView& v, FrameAfterCapture after = FrameAfterCapture::Clear);

// `copies` fading, ever more magnified copies of the capture laid over the frame additively.
void overlayRadial(CZoetraView& v, int copies, float step);
void overlayModelRadial(CZoetraView& v, int index, int copies, float step);
// The overlays with the composer's numbers: trunc(density + 25) copies, step 0.02.
void drawRadialBlurMain(CZoetraView& v);
void drawModelRadialBlur(CZoetraView& v, int index);

// How the frame around a motion capture is made: drawn, or stepped with rasterization discarded
// (GL_RASTERIZER_DISCARD on). A capture feeds every later one, so a stepped frame's capture is
// still drawn: rasterization is switched on for it and off again after it.
enum class MotionFrame { Drawn, Stepped };

// The motion capture, paced by `rateGate` (at most `rate` captures a second): the previous
// blurred image and the chosen layers into the 256 x 256 `motionBlurTexture`; then, every frame,
// the background overlay over the whole view.
void captureMotionBlur(CZoetraView& v, bool (*rateGate)(float rate),
                       MotionFrame frame = MotionFrame::Drawn);
// The motion overlay slot after the models.
void drawMotionBlurOverlay(CZoetraView& v);
