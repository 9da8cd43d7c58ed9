// The star layer's declaration: keyable values, reset, loads, texture slots, sequence reload.
#include "effects/stars/StarEffect.h"

#include "effects/CommonEffectSteps.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "effects/stars/StarLayer.h"
#include "scene/CZoetraView.h"

const KeyField kStarKeys[] = {
    KEYED_VALUE("rotate.x", "Star Rotate X", v.starRotateX),
    KEYED_VALUE("rotate.y", "Star Rotate Y", v.starRotateY),
    KEYED_VALUE("rotate.z", "Star Rotate Z", v.starRotateZ),
    KEYED_VALUE("pan.x", "Star Pan X", v.starPanX),
    KEYED_VALUE("pan.y", "Star Pan Y", v.starPanY),
    KEYED_VALUE("zoom", "Star Zoom", v.starZoom),
    KEYED_VALUE("direction", "Star Direction", v.starDirection),
    KEYED_VALUE("spacing", "Star Spacing", v.starSpacing),
    KEYED_VALUE("spin", "Star Spin", v.starSpin),
    KEYED_VALUE("number", "Star Number", v.starNumber),
    KEYED_VALUE("alphaFade", "Star Alpha Fade", v.starAlphaFade),
    KEYED_VALUE("colour.r", "Star Colour Red", v.starRed),
    KEYED_VALUE("colour.g", "Star Colour Green", v.starGreen),
    KEYED_VALUE("colour.b", "Star Colour Blue", v.starBlue),
};

bool loadUserStarTexture(CZoetraView& v, const QString& path, const std::string& recordedPath) {
    if (!loadMipmappedTextureDirect(v, takeUserPath(v, path), v.starTexture)) return false;
    v.starTextureName = recordedPath;
    return true;
}

namespace {

void loadStarDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kStarTexturePath, v.starTexture);
    loads.mipmappedTexture(v, kStarTexturePath, v.starTexture2);
}

constexpr KeySlice kStarKeySlices[] = {{"stars", kStarKeys}};
constexpr const ControlPage* kStarPages[] = {&kStarPage};

} // namespace

const EffectDescriptor kStarEffect{
    .name = "stars",
    .keys = kStarKeySlices,
    .pages = kStarPages,
    .reset = resetToDefaults<StarParams>,
    .loadDefaults = loadStarDefaults,
    .startUp = buildStarTable,
    .textureSlots = appendTextureSlots<&CZoetraView::starTexture, &CZoetraView::starTexture2>,
    .reloadAfterItem = "stars.singleColour",
    .reloadFromSequence =
        reloadKeyedTexture<&CZoetraView::starTexture, &CZoetraView::starTextureName>,
};
