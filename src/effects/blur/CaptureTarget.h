// A framebuffer of its own for one blur capture: the capture is drawn into it at its own size
// (multisampled like the frame, then resolved) and copied into its texture from there, whatever
// framebuffer and size the frame itself has.
#pragma once

struct CaptureTarget {
    int size = 0;    // width and height in pixels
    int samples = 0; // of the drawing framebuffer; 0: drawn single-sampled
    unsigned drawFbo = 0, drawColour = 0, drawDepth = 0;
    unsigned resolveFbo = 0, resolveColour = 0; // only while samples > 0
};

// A single-sample picture of the frame's size in which the radial overlays add up their copies
// before the sum is laid over the frame in one pass: the frame's many samples are then blended
// once instead of once per copy.
struct OverlayTarget {
    int width = 0, height = 0;
    unsigned fbo = 0, texture = 0;
};

// Where the frame was drawing when a capture began, given back when it ends.
struct FramebufferBinding {
    int draw = 0, read = 0;
};

// Makes `target` ready for a capture of `size` pixels drawn with `samples` samples (what the
// frame's framebuffer has), creating or re-creating its framebuffers as needed. False when the
// driver cannot make one (the capture is then skipped).
bool prepareCaptureTarget(CaptureTarget& target, int size, int samples);
void releaseCaptureTarget(CaptureTarget& target);

// Makes `target` ready for a frame of width x height, re-creating it when the size changed.
// False when the driver cannot make one (the copies are then drawn over the frame directly).
bool prepareOverlayTarget(OverlayTarget& target, int width, int height);
void releaseOverlayTarget(OverlayTarget& target);

// The sample count of the framebuffer drawing goes to now.
int currentSampleCount();

// Remembers the bindings, then draws into `target` with a viewport of its whole size, cleared.
FramebufferBinding beginCapture(const CaptureTarget& target);
// Resolves what was drawn and leaves the single-sample picture bound for reading, so that
// glCopyTexImage2D reads it; the caller copies, then calls endCapture.
void readCapture(const CaptureTarget& target);
// Binds the frame's framebuffers again.
void endCapture(const FramebufferBinding& binding);

// The framebuffers bound now for drawing and for reading; bindFramebuffers binds them again.
FramebufferBinding currentFramebuffers();
void bindFramebuffers(const FramebufferBinding& binding);

// Draws into `target` from now on, the viewport covering its width x height, the picture cleared
// to transparent black; the clear colour stays as it was.
void beginOverlay(const OverlayTarget& target);
