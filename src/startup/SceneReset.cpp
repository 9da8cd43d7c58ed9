// The reset of the "New" command: every layer back to its defaults (each with the few values
// "New" keeps or sets differently), then the reloads, the timeline, the deck and the mouse.
#include "effects/EffectLoads.h"
#include "effects/Effects.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>

namespace {

void resetMouse(CZoetraView& v) {
    v.buttonDown = 0;
    v.rightButtonDown = 0;
    v.dragAnchor = {};
    v.dragStepX = 0;
    v.dragStepY = 0;
    v.clearMouseTargets();
    v.mouseTargetText = 2.0f; // the text is the target again, as at start-up
    v.mousePage = 0;
}

void closeDeck(CZoetraView& v) {
    if (v.deckOpen) v.deckUi().close();
    v.forgetDeck();
}

} // namespace

void resetSceneValues(CZoetraView& v) {
    v.sceneVersion = kSequenceFormatVersion;
    for (const EffectDescriptor* effect : allEffects())
        if (effect->reset) effect->reset(v);
    v.assetPathMode = 0;        // the reloads use their relative paths
    v.sequenceFilePath.clear(); // a new project has no file and no soundtrack yet
    v.soundtrackPath.clear();

    // Timeline and frame clock.
    v.timelinePlaying = false;
    v.bakeCursor = 0;
    v.timelineLength = 0;
    v.playFrame = 0;
    resetTimeline(v);
    v.lastFrameClock = 0;
    v.aviFrameRate = 50;
    v.framesThisSecond = 0;

    closeDeck(v);
    resetMouse(v);
    captureStartValues(v); // key 0 starts from the new look
}

void resetScene(CZoetraView& v) {
    resetSceneValues(v);

    // The glyph lists for "Lumatoy" in "Arial Black", the text textures and picture 2; both
    // picture meshes are rebuilt by the next frame. None of this changes a keyable value.
    EffectLoads& loads = effectLoads();
    for (const EffectDescriptor* effect : allEffects())
        if (effect->reloadAfterReset) effect->reloadAfterReset(v, loads);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}
