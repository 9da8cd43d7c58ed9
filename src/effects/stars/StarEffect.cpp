// The star layer's declaration: keyable values, reset, loads, texture slots, sequence reload.
#include "effects/stars/StarEffect.h"

#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "effects/stars/StarLayer.h"
#include "scene/CZoetraView.h"

#define KEY(name, label, field)                                                                    \
    {                                                                                              \
        name, label, [](CZoetraView& v, int) -> float& { return field; }                           \
    }

const KeyField kStarKeys[] = {
    KEY("rotate.x", "Star Rotate X", v.starRotateX),
    KEY("rotate.y", "Star Rotate Y", v.starRotateY),
    KEY("rotate.z", "Star Rotate Z", v.starRotateZ),
    KEY("pan.x", "Star Pan X", v.starPanX),
    KEY("pan.y", "Star Pan Y", v.starPanY),
    KEY("zoom", "Star Zoom", v.starZoom),
    KEY("direction", "Star Direction", v.starDirection),
    KEY("spacing", "Star Spacing", v.starSpacing),
    KEY("spin", "Star Spin", v.starSpin),
    KEY("number", "Star Number", v.starNumber),
    KEY("alphaFade", "Star Alpha Fade", v.starAlphaFade),
    KEY("colour.r", "Star Colour Red", v.starRed),
    KEY("colour.g", "Star Colour Green", v.starGreen),
    KEY("colour.b", "Star Colour Blue", v.starBlue),
};

#undef KEY

bool loadUserStarTexture(CZoetraView& v, const QString& path, const std::string& recordedPath) {
    if (!loadMipmappedTextureDirect(v, takeUserPath(v, path), v.starTexture)) return false;
    v.starTextureName = recordedPath;
    return true;
}

namespace {

void resetStars(CZoetraView& v) {
    static_cast<StarParams&>(v) = StarParams{};
}

void loadStarDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kStarTexturePath, v.starTexture);
    loads.mipmappedTexture(v, kStarTexturePath, v.starTexture2);
}

void starSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    list.insert(list.end(), {&v.starTexture, &v.starTexture2});
}

void reloadStarTexture(CZoetraView& v, EffectLoads& loads, float) {
    loads.keyedTexture(v, v.starTextureName, v.starTexture);
}

constexpr KeySlice kStarKeySlices[] = {{"stars", kStarKeys}};
constexpr const ControlPage* kStarPages[] = {&kStarPage};

} // namespace

const EffectDescriptor kStarEffect{
    .name = "stars",
    .keys = kStarKeySlices,
    .pages = kStarPages,
    .reset = resetStars,
    .loadDefaults = loadStarDefaults,
    .startUp = buildStarTable,
    .textureSlots = starSlots,
    .reloadAfterItem = "stars.singleColour",
    .reloadFromSequence = reloadStarTexture,
};
