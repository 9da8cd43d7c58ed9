// The models' declaration: keyable values, reset, loads, texture slots, sequence reloads.
#include "effects/models/ModelEffect.h"

#include "effects/CommonEffectSteps.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "effects/models/ModelControls.h"
#include "scene/CZoetraView.h"

// The keyable values of one model; the three models share the table (instance 0, 1, 2).
const KeyField kModelKeys[] = {
    KEYED_VALUE("rotate.x", "Rotations X", v.modelRotation[n].x),
    KEYED_VALUE("rotate.y", "Rotations Y", v.modelRotation[n].y),
    KEYED_VALUE("rotate.z", "Rotations Z", v.modelRotation[n].z),
    KEYED_VALUE("position.x", "Positions X", v.modelPosition[n].x),
    KEYED_VALUE("position.y", "Positions Y", v.modelPosition[n].y),
    KEYED_VALUE("position.z", "Positions Z", v.modelPosition[n].z),
    KEYED_VALUE("scale.x", "Scale X", v.modelScale[n].x),
    KEYED_VALUE("scale.y", "Scale Y", v.modelScale[n].y),
    KEYED_VALUE("scale.z", "Scale Z", v.modelScale[n].z),
    KEYED_VALUE("colour.r", "Defuse Light Colour Red", v.modelColour[n].x),
    KEYED_VALUE("colour.g", "Defuse Light Colour Green", v.modelColour[n].y),
    KEYED_VALUE("colour.b", "Defuse Light Colour Blue", v.modelColour[n].z),
    KEYED_VALUE("spotPosition.x", "Spot Light Position X", v.modelSpotPosition[n].x),
    KEYED_VALUE("spotPosition.y", "Spot Light Position Y", v.modelSpotPosition[n].y),
    KEYED_VALUE("spotPosition.z", "Spot Light Position Z", v.modelSpotPosition[n].z),
    KEYED_VALUE("fade", "Fade Alpha", v.modelFade[n]),
    KEYED_VALUE("textureOffset.s", "Texture Pos Y", v.modelTexOffset[n].s),
    KEYED_VALUE("textureOffset.t", "Texture Pos Z", v.modelTexOffset[n].t),
    KEYED_VALUE("blur.density", "Radial Blur Density", v.modelBlur[n].x),
    KEYED_VALUE("blur.alpha", "Radial Blur Alpha", v.modelBlur[n].y),
    KEYED_VALUE("blur.separation", "Radial Blur Seperation", v.modelBlur[n].z),
    KEYED_VALUE("blur.colour.r", "Radial Blur Colour Red", v.modelBlurColour[n].x),
    KEYED_VALUE("blur.colour.g", "Radial Blur Colour Green", v.modelBlurColour[n].y),
    KEYED_VALUE("blur.colour.b", "Radial Blur Colour Blue", v.modelBlurColour[n].z),
};

bool importModelMesh(CZoetraView& v, int index, const QString& path) {
    if (index < 0 || index >= kModelCount) return false;
    // A fresh record that starts with the slot's materials (an import adds its own after them,
    // and a face takes the first material of its name); it replaces the slot's mesh only once
    // the file has been read, so a failed load leaves the model the slot had.
    Model3ds fresh;
    fresh.materials = v.modelMesh[index].materials;
    fresh.materialCount = v.modelMesh[index].materialCount;
    if (!v.modelLoader[index].import3ds(fresh, path)) return false;
    v.modelMesh[index] = std::move(fresh);
    return true;
}

bool reloadModelMesh(CZoetraView& v, int index, const QString& path) {
    if (index < 0 || index >= kModelCount) return false;
    // The file the slot already holds, unchanged: nothing to read, no splash, no waits.
    if (v.modelLoader[index].holdsUnchanged(path)) return true;
    return importModelMesh(v, index, path);
}

bool loadModelTexture(CZoetraView& v, int index, const char* path) {
    unsigned& slot = v.modelTextureSlot(index);
    return v.modelHollow[index] >= 2 ? loadKeyedTexture(v, path, slot)
                                     : loadMipmappedTexture(v, path, slot);
}

bool loadUserModelTexture(CZoetraView& v, int index, const QString& path,
                          const std::string& recordedPath) {
    if (index < 0 || index >= kModelCount) return false;
    if (!loadModelTexture(v, index, takeUserPath(v, path))) return false;
    v.modelTexturePath[index] = recordedPath;
    return true;
}

bool loadUserModel(CZoetraView& v, int index, const QString& path,
                   const std::string& recordedPath) {
    if (!importModelMesh(v, index, path)) return false;
    v.modelPath[index] = recordedPath;
    v.modelLoaded[index] = 2.0f;
    return true;
}

namespace {

// "New": every model back on the centre; model 1 keeps the red and green of its blur colour,
// models 2 and 3 their green.
void resetModels(CZoetraView& v) {
    Vec3 blurColour[kModelCount];
    for (int n = 0; n < kModelCount; ++n)
        blurColour[n] = v.modelBlurColour[n];
    static_cast<ModelParams&>(v) = ModelParams{};
    for (int n = 0; n < kModelCount; ++n)
        v.modelPosition[n] = {0, 0, -40};
    v.modelBlurColour[0] = {blurColour[0].x, blurColour[0].y, 50};
    v.modelBlurColour[1] = {50, blurColour[1].y, 0};
    v.modelBlurColour[2] = {50, blurColour[2].y, 0};
}

void loadModelDefaults(CZoetraView& v, EffectLoads& loads) {
    for (int n = 0; n < kModelCount; ++n) {
        loads.mipmappedTexture(v, kDefaultModelTexturePath, v.modelTextureSlot(n));
        loads.model(v, n, kDefaultModelPath);
        v.modelPath[n] = kDefaultModelPath;
        v.modelTexturePath[n] = kDefaultModelTexturePath;
    }
}

void startModels(CZoetraView& v) {
    for (float& lighting : v.modelLighting)
        lighting = 2.0f;
}

// Each model whose file was chosen gets its mesh again, then every model its texture; models 2
// and 3 only from files of version 5 on.
void reloadModels(CZoetraView& v, EffectLoads& loads, float version) {
    const int models = version >= 5.0f ? kModelCount : 1;
    for (int n = 0; n < models; ++n)
        if (v.modelLoaded[n] >= 2.0f) loads.model(v, n, v.modelPath[n]);
    for (int n = 0; n < models; ++n) {
        if (v.modelHollow[n] <= 1.0f)
            loads.mipmappedTexture(v, v.modelTexturePath[n], v.modelTextureSlot(n));
        else if (v.modelHollow[n] >= 2.0f)
            loads.keyedTexture(v, v.modelTexturePath[n], v.modelTextureSlot(n));
    }
}

// The key share of model 0, 1 or 2 ("model1" ... "model3").
constexpr KeySlice modelKeys(int model) {
    constexpr const char* labels[] = {"Model 1 ", "Model 2 ", "Model 3 "};
    return {kModelKeyPrefixes[model], kModelKeys, model, labels[model]};
}

constexpr KeySlice kModelKeySlices[] = {modelKeys(0), modelKeys(1), modelKeys(2)};
constexpr const ControlPage* kModelPagePointers[] = {&kModelPages[0], &kModelPages[1],
                                                     &kModelPages[2]};

} // namespace

const EffectDescriptor kModelEffect{
    .name = "models",
    .keys = kModelKeySlices,
    .pages = kModelPagePointers,
    .reset = resetModels,
    .loadDefaults = loadModelDefaults,
    .startUp = startModels,
    .textureSlots = appendTextureSlots<&CZoetraView::modelTexture1, &CZoetraView::modelTexture2,
                                       &CZoetraView::modelTexture3>,
    .reloadAfterItem = "model3.radialBlur",
    .reloadFromSequence = reloadModels,
};
