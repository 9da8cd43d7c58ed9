// The tile layer's declaration: keyable values, reset, loads, texture slots, sequence reload.
#include "effects/tiles/TileEffect.h"

#include "effects/CommonEffectSteps.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "scene/CZoetraView.h"

// The keyable values of one quad; the two quads share the table (instance 0 and 1).
const KeyField kTileKeys[] = {
    KEYED_VALUE("rotate.x", "Quad Rotate X", n == 0 ? v.tileRotateX1 : v.tileRotateX2),
    KEYED_VALUE("rotate.y", "Quad Rotate Y", n == 0 ? v.tileRotateY1 : v.tileRotateY2),
    KEYED_VALUE("rotate.z", "Quad Rotate Z", n == 0 ? v.tileRotateZ1 : v.tileRotateZ2),
    KEYED_VALUE("position.x", "Quad Position X", n == 0 ? v.tilePosX1 : v.tilePosX2),
    KEYED_VALUE("position.y", "Quad Position Y", n == 0 ? v.tilePosY1 : v.tilePosY2),
    KEYED_VALUE("position.z", "Quad Position Z", n == 0 ? v.tilePosZ1 : v.tilePosZ2),
    KEYED_VALUE("roll.x", "Quad Roll X", n == 0 ? v.tileRollX1 : v.tileRollX2),
    KEYED_VALUE("roll.y", "Quad Roll Y", n == 0 ? v.tileRollY1 : v.tileRollY2),
};

bool loadUserTileTexture(CZoetraView& v, int quad, const QString& path,
                         const std::string& recordedPath) {
    unsigned& slot = quad == 0 ? v.tileTexture1 : v.tileTexture2;
    if (!loadMipmappedTextureDirect(v, takeUserPath(v, path), slot)) return false;
    (quad == 0 ? v.tileTextureName1 : v.tileTextureName2) = recordedPath;
    return true;
}

namespace {

void loadTileDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kTileTexturePath, v.tileTexture1);
    loads.mipmappedTexture(v, kTileTexturePath, v.tileTexture2);
}

void reloadTileTextures(CZoetraView& v, EffectLoads& loads, float) {
    loads.keyedTexture(v, v.tileTextureName1, v.tileTexture1);
    loads.keyedTexture(v, v.tileTextureName2, v.tileTexture2);
}

// The key share of quad 0 or 1 ("tile1", "tile2").
constexpr KeySlice tileKeys(int quad) {
    return {quad == 0 ? "tile1" : "tile2", kTileKeys, quad, "",
            quad == 0 ? " (Quad 1)" : " (Quad 2)"};
}

constexpr KeySlice kTileKeySlices[] = {tileKeys(0), tileKeys(1)};
constexpr const ControlPage* kTilePages[] = {&kTilePage};

} // namespace

const EffectDescriptor kTileEffect{
    .name = "tiles",
    .keys = kTileKeySlices,
    .pages = kTilePages,
    .reset = resetToDefaults<TileParams>,
    .loadDefaults = loadTileDefaults,
    .textureSlots = appendTextureSlots<&CZoetraView::tileTexture1, &CZoetraView::tileTexture2>,
    .reloadAfterItem = "tile2.texturePathLength",
    .reloadFromSequence = reloadTileTextures,
};
