// The fire layer's declaration: keyable values, reset, loads, texture slot, sequence reload.
#include "effects/fire/FireEffect.h"

#include "effects/CommonEffectSteps.h"
#include "effects/EffectLoads.h"
#include "effects/fire/FireLayer.h"
#include "scene/CZoetraView.h"

// No page reaches these values: only keys and sequence files set them.
const KeyField kFireKeys[] = {
    KEYED_VALUE("gravity.x", "Fire Gravity Left/Right", v.fireGravityX, 0),
    KEYED_VALUE("gravity.y", "Fire Gravity Up/Down", v.fireGravityY, 0),
    KEYED_VALUE("gravity.z", "Fire Gravity In/Out", v.fireGravityZ, 0),
    KEYED_VALUE("move.x", "Fire Movement X", v.fireMoveX, 0),
    KEYED_VALUE("move.y", "Fire Movement Y", v.fireMoveY, 0),
    KEYED_VALUE("move.z", "Fire Movement Z", v.fireMoveZ, 0),
    KEYED_VALUE("life", "Fire Life", v.fireLife, 0),
    KEYED_VALUE("direction", "Fire Direction", v.fireDirection, 0),
    KEYED_VALUE("tilt", "Fire Tilt", v.fireTilt, 0),
    KEYED_VALUE("spiral", "Fire Spiral", v.fireSpiral, 0),
    KEYED_VALUE("spacing", "Fire Spacing", v.fireSpacing, 0),
    KEYED_VALUE("speed", "Fire Speed", v.fireSpeed, 0),
    KEYED_VALUE("number", "Fire Number", v.fireNumber, 0),
    KEYED_VALUE("colour.r", "Fire Color Red", v.fireRed, 0),
    KEYED_VALUE("colour.g", "Fire Color Green", v.fireGreen, 0),
    KEYED_VALUE("colour.b", "Fire Color Blue", v.fireBlue, 0),
};

namespace {

void loadFireDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kFireTexturePath, v.fireTexture);
}

constexpr KeySlice kFireKeySlices[] = {{"fire", kFireKeys}};

} // namespace

const EffectDescriptor kFireEffect{
    .name = "fire",
    .keys = kFireKeySlices,
    .reset = resetToDefaults<FireParams>,
    .loadDefaults = loadFireDefaults,
    .startUp = buildFirePool,
    .textureSlots = appendTextureSlots<&CZoetraView::fireTexture>,
    .reloadAfterItem = "fire.texturePath",
    .reloadFromSequence =
        reloadKeyedTexture<&CZoetraView::fireTexture, &CZoetraView::fireTextureName>,
};
