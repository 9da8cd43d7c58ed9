// A layer that only adds light to the frame (additive blending, no depth test, no depth writes:
// the fire) drawn into a single-sample picture of the frame's size, which is then
// added over the frame in one pass. Additions of values that are never negative give the same sum
// in any grouping, so the frame comes out as if each sprite were blended into it, while the
// frame's four samples per pixel are blended once instead of once per sprite. Only the sprites'
// edges differ, where a sample-exact coverage would weigh their (black) border texels. The pass
// itself costs a clear and a blend over the frame, so it pays only for layers of many large
// sprites: the fire's hundreds of flames, not the stars' or particles' smaller ones (measured).
#pragma once

#include "effects/blur/CaptureTarget.h"

// The pictures an additive layer is drawn into, one per size in use (the frame's, a capture's).
struct AdditiveTargets {
    OverlayTarget sized[2];
};

class AdditiveLayerPass {
  public:
    // Switches drawing to a target of the current viewport's size, cleared to black, with the
    // viewport covering it. False, with nothing changed, when no target can be made: the layer
    // is then drawn as it is.
    bool begin(AdditiveTargets& targets);
    // Adds the picture over the framebuffer that was bound before begin, and gives back the GL
    // state the layer left (blending, its function, the depth test, texture, colour).
    void end();

  private:
    OverlayTarget* target_ = nullptr;
    FramebufferBinding previous_;
    int viewport_[4] = {};
};

// `draw` through an AdditiveLayerPass when the framebuffer is multisampled, directly otherwise.
template <typename Draw> void drawAdditiveLayer(AdditiveTargets& targets, Draw draw) {
    AdditiveLayerPass pass;
    if (currentSampleCount() > 1 && pass.begin(targets)) {
        draw();
        pass.end();
    } else {
        draw();
    }
}
