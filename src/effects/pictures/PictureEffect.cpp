// The picture layer's declaration: keyable values, reset, loads, texture slots, sequence reload.
#include "effects/pictures/PictureEffect.h"

#include "assets/TextureLoaders.h"
#include "effects/CommonEffectSteps.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "effects/pictures/PictureLayer.h"
#include "scene/CZoetraView.h"

const KeyField kPictureKeys[] = {
    KEYED_VALUE("rotate.x", "Rotate Picture X", v.pictureRotation.x),
    KEYED_VALUE("rotate.y", "Rotate Picture Y", v.pictureRotation.y),
    KEYED_VALUE("rotate.z", "Rotate Picture Z", v.pictureRotation.z),
    KEYED_VALUE("pan.x", "Pan Picture X", v.picturePan.x),
    KEYED_VALUE("pan.y", "Pan Picture Y", v.picturePan.y),
    KEYED_VALUE("pan.z", "Pan Picture Z", v.picturePan.z),
    KEYED_VALUE("scale.x", "Scale Picture X", v.pictureScale.x),
    KEYED_VALUE("scale.y", "Scale Picture Y", v.pictureScale.y),
    // The page scales X and Y only.
    KEYED_VALUE("scale.z", "Scale Picture Z", v.pictureScale.z, 0),
    KEYED_VALUE("light.x", "Picture Light Position X", v.pictureLight.x),
    KEYED_VALUE("light.y", "Picture Light Position Y", v.pictureLight.y),
    KEYED_VALUE("light.z", "Picture Light Position Z", v.pictureLight.z),
    KEYED_VALUE("wavy", "Wavy Picture", v.pictureWavy),
    KEYED_VALUE("separation", "Picture Seperation", v.pictureSeparation),
    {"flagWave", "Flag Wave", nullptr,
     [](CZoetraView& v, int) -> std::int32_t& { return v.flagWave; }},
    KEYED_VALUE("fade", "Picture Fade", v.pictureFade),
};

bool loadPictureTexture(CZoetraView& v, int picture, const char* path) {
    const int index = picture >= 2 ? 1 : 0;
    PictureSize natural;
    const unsigned name = uploadPictureFile(resolveLoaderPath(path, PathRule::B, v.assetPathMode),
                                            TextureUpload::Picture, &natural);
    if (name == 0) return false;
    replaceTextureName(v, index == 0 ? v.pictureTexture1 : v.pictureTexture2, name);
    v.pictureNaturalSize[index] = {natural.width, natural.height};
    v.pictureMeshValid[index] = 0; // the next frame rebuilds the mesh
    return true;
}

bool loadUserPicture(CZoetraView& v, const QString& path, const std::string& recordedPath) {
    const int picture = v.pictureSelector >= 2 ? 2 : 1;
    if (!loadPictureTexture(v, picture, takeUserPath(v, path))) return false;
    (picture == 1 ? v.picturePath1 : v.picturePath2) = recordedPath;
    return true;
}

namespace {

void resetPictures(CZoetraView& v) {
    static_cast<PictureParams&>(v) = PictureParams{};
    v.picturePath2 = kPicture2Path;
    v.pictureMeshValid[0] = 0;
    v.pictureMeshValid[1] = 0;
}

void reloadPicture2(CZoetraView& v, EffectLoads& loads) {
    loads.picture(v, 1, kPicture2Path);
}

void loadPictureDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.picture(v, 1, kPicture2Path);
    loads.picture(v, 0, kPicture1Path);
    v.picturePath1 = kPicture1Path;
    v.picturePath2 = kPicture2Path;
}

void reloadPictures(CZoetraView& v, EffectLoads& loads, float) {
    loads.picture(v, 0, v.picturePath1);
    loads.picture(v, 1, v.picturePath2);
}

constexpr KeySlice kPictureKeySlices[] = {{"pictures", kPictureKeys}};
constexpr const ControlPage* kPicturePages[] = {&kPicturePage};

} // namespace

const EffectDescriptor kPictureEffect{
    .name = "pictures",
    .keys = kPictureKeySlices,
    .pages = kPicturePages,
    .reset = resetPictures,
    .reloadAfterReset = reloadPicture2,
    .loadDefaults = loadPictureDefaults,
    .startUp = buildPictureGrid,
    .textureSlots =
        appendTextureSlots<&CZoetraView::pictureTexture1, &CZoetraView::pictureTexture2>,
    .reloadAfterItem = "pictures.path2",
    .reloadFromSequence = reloadPictures,
};
