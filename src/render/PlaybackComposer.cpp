// The playback composer: one frame of the timeline, drawn with the live composer's passes.
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "timeline/Playback.h"

#include <GL/gl.h>

void composePlaybackFrame(CZoetraView& v, FramePass pass) {
    applyFrame(v, v.playFrame);
    glClearColor(v.backgroundColour.x / 255.0f, v.backgroundColour.y / 255.0f,
                 v.backgroundColour.z / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    markSlotDone("clear");
    runBlurCaptures(v, pass);
    // Older sequence files drew the layer blur after the models.
    if (v.sceneVersion <= 4.0f || v.sceneVersionWhole >= 4) v.blurAfterLayers = 2.0f;
    drawEffectSlots(v, ComposerMode::Playback);
    if (v.pageExists(DeckPage::Keyframes)) v.deckUi().setFrameSlider(v.playFrame);
    advancePlayback(v);
}
