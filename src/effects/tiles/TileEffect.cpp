// The tile layer's declaration: keyable values, reset, loads, texture slots, sequence reload.
#include "effects/tiles/TileEffect.h"

#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "scene/CZoetraView.h"

#define KEY(name, label, one, two)                                                                 \
    {                                                                                              \
        name, label, [](CZoetraView& v, int quad) -> float& { return quad == 0 ? v.one : v.two; }  \
    }

const KeyField kTileKeys[] = {
    KEY("rotate.x", "Quad Rotate X", tileRotateX1, tileRotateX2),
    KEY("rotate.y", "Quad Rotate Y", tileRotateY1, tileRotateY2),
    KEY("rotate.z", "Quad Rotate Z", tileRotateZ1, tileRotateZ2),
    KEY("position.x", "Quad Position X", tilePosX1, tilePosX2),
    KEY("position.y", "Quad Position Y", tilePosY1, tilePosY2),
    KEY("position.z", "Quad Position Z", tilePosZ1, tilePosZ2),
    KEY("roll.x", "Quad Roll X", tileRollX1, tileRollX2),
    KEY("roll.y", "Quad Roll Y", tileRollY1, tileRollY2),
};

#undef KEY

bool loadUserTileTexture(CZoetraView& v, int quad, const QString& path,
                         const std::string& recordedPath) {
    unsigned& slot = quad == 0 ? v.tileTexture1 : v.tileTexture2;
    if (!loadMipmappedTextureDirect(v, takeUserPath(v, path), slot)) return false;
    (quad == 0 ? v.tileTextureName1 : v.tileTextureName2) = recordedPath;
    return true;
}

namespace {

void resetTiles(CZoetraView& v) {
    static_cast<TileParams&>(v) = TileParams{};
}

void loadTileDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kTileTexturePath, v.tileTexture1);
    loads.mipmappedTexture(v, kTileTexturePath, v.tileTexture2);
}

void tileSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    list.insert(list.end(), {&v.tileTexture1, &v.tileTexture2});
}

void reloadTileTextures(CZoetraView& v, EffectLoads& loads, float) {
    loads.keyedTexture(v, v.tileTextureName1, v.tileTexture1);
    loads.keyedTexture(v, v.tileTextureName2, v.tileTexture2);
}

constexpr KeySlice kTileKeySlices[] = {tileKeys(0), tileKeys(1)};
constexpr const ControlPage* kTilePages[] = {&kTilePage};

} // namespace

const EffectDescriptor kTileEffect{
    .name = "tiles",
    .keys = kTileKeySlices,
    .pages = kTilePages,
    .reset = resetTiles,
    .loadDefaults = loadTileDefaults,
    .textureSlots = tileSlots,
    .reloadAfterItem = "tile2.texturePathLength",
    .reloadFromSequence = reloadTileTextures,
};
