// The fire layer's declaration: keyable values, reset, loads, texture slot, sequence reload.
#include "effects/fire/FireEffect.h"

#include "effects/EffectLoads.h"
#include "effects/fire/FireLayer.h"
#include "scene/CZoetraView.h"

// No page reaches these values: only keys and sequence files set them.
#define KEY(name, label, field)                                                                    \
    {                                                                                              \
        name, label, [](CZoetraView& v, int) -> float& { return field; }, nullptr, 0               \
    }

const KeyField kFireKeys[] = {
    KEY("gravity.x", "Fire Gravity Left/Right", v.fireGravityX),
    KEY("gravity.y", "Fire Gravity Up/Down", v.fireGravityY),
    KEY("gravity.z", "Fire Gravity In/Out", v.fireGravityZ),
    KEY("move.x", "Fire Movement X", v.fireMoveX),
    KEY("move.y", "Fire Movement Y", v.fireMoveY),
    KEY("move.z", "Fire Movement Z", v.fireMoveZ),
    KEY("life", "Fire Life", v.fireLife),
    KEY("direction", "Fire Direction", v.fireDirection),
    KEY("tilt", "Fire Tilt", v.fireTilt),
    KEY("spiral", "Fire Spiral", v.fireSpiral),
    KEY("spacing", "Fire Spacing", v.fireSpacing),
    KEY("speed", "Fire Speed", v.fireSpeed),
    KEY("number", "Fire Number", v.fireNumber),
    KEY("colour.r", "Fire Color Red", v.fireRed),
    KEY("colour.g", "Fire Color Green", v.fireGreen),
    KEY("colour.b", "Fire Color Blue", v.fireBlue),
};

#undef KEY

namespace {

void resetFire(CZoetraView& v) {
    static_cast<FireParams&>(v) = FireParams{};
}

void loadFireDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kFireTexturePath, v.fireTexture);
}

void fireSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    list.push_back(&v.fireTexture);
}

void reloadFireTexture(CZoetraView& v, EffectLoads& loads, float) {
    loads.keyedTexture(v, v.fireTextureName, v.fireTexture);
}

constexpr KeySlice kFireKeySlices[] = {{"fire", kFireKeys}};

} // namespace

const EffectDescriptor kFireEffect{
    .name = "fire",
    .keys = kFireKeySlices,
    .reset = resetFire,
    .loadDefaults = loadFireDefaults,
    .startUp = buildFirePool,
    .textureSlots = fireSlots,
    .reloadAfterItem = "fire.texturePath",
    .reloadFromSequence = reloadFireTexture,
};
