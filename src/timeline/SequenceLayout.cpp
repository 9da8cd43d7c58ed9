// The header items of sequence files, in file order, with each item's place in the scene.
// Version conditions: an item with a version is read only from files of that version on.
#include "timeline/SequenceLayout.h"

#include "scene/CZoetraView.h"
#include "timeline/KeyableParams.h"

#include <stdexcept>

namespace {

#define FLOAT(field) [](CZoetraView& v) -> float& { return v.field; }
#define INT(field) [](CZoetraView& v) -> std::int32_t& { return v.field; }
#define STRING(field) [](CZoetraView& v) -> std::string& { return v.field; }

int keyableOrThrow(const char* id) {
    const int p = keyableIndex(id);
    if (p < 0) throw std::logic_error(std::string("unknown keyable id ") + id);
    return p;
}

// Appends items in file order; the item number is the position.
struct LayoutBuilder {
    std::vector<HeaderItem> items{HeaderItem{}};

    HeaderItem& add(ItemKind kind, const char* id, float minVersion) {
        HeaderItem item;
        item.kind = kind;
        item.id = id;
        item.minVersion = minVersion;
        items.push_back(item);
        return items.back();
    }
    void special(ItemKind kind, const char* id, float minVersion) { add(kind, id, minVersion); }
    void field(const char* id, float& (*f)(CZoetraView&), float minVersion) {
        add(ItemKind::Float, id, minVersion).floatField = f;
    }
    void field(const char* id, std::int32_t& (*f)(CZoetraView&), float minVersion) {
        add(ItemKind::Int, id, minVersion).intField = f;
    }
    void string(const char* id, std::string& (*f)(CZoetraView&), qint64 maxLength,
                float minVersion) {
        HeaderItem& item = add(ItemKind::String, id, minVersion);
        item.stringField = f;
        item.maxLength = maxLength;
    }
    // A texture path: copied into its asset's path limited to the length stored beside it.
    void texturePath(const char* id, std::string& (*f)(CZoetraView&), float minVersion) {
        string(id, f, kMaxPathLength, minVersion);
        items.back().cutToLength = true;
    }
    void start(const char* keyableId, float minVersion) {
        add(ItemKind::Float, keyableId, minVersion).keyable = keyableOrThrow(keyableId);
    }
    // The length of the string item just before (-1) or just after (+1) this one.
    void length(const char* id, int offset, float minVersion) {
        const int number = static_cast<int>(items.size());
        add(ItemKind::Float, id, minVersion).lengthOf = number + offset;
    }
    void repeat(const char* id, int item, float minVersion) {
        HeaderItem copy = items[item];
        copy.id = id;
        copy.minVersion = minVersion;
        copy.repeats = item;
        items.push_back(copy);
    }
};

std::vector<HeaderItem> buildHeader() {
    LayoutBuilder b;
    // A. Header
    b.special(ItemKind::Float, "version", 0);
    b.field("particles.count", INT(particleCount), 4);
    b.field("tunnel.colour.r", FLOAT(tunnelRed), 3);
    b.field("tunnel.colour.g", FLOAT(tunnelGreen), 3);
    b.field("tunnel.colour.b", FLOAT(tunnelBlue), 3);
    b.field("text.style", FLOAT(textStyle), 3);
    b.field("text.lighting", FLOAT(textLighting), 0);
    b.special(ItemKind::Int, "reserved", 0);
    b.string("text.font.face", STRING(fontFace), kMaxFontFaceLength, 0);
    b.field("text.font.weight", INT(fontWeight), 0);
    b.field("text.font.italic", INT(fontItalic), 0);
    b.string("text.string", STRING(textString), kMaxTextLength, 0);
    b.field("text.on", FLOAT(textOn), 0);
    b.special(ItemKind::Int, "keyCount", 0);
    b.field("text.textureSource", FLOAT(textUseDefaultTexture), 0);
    // B. Text
    b.start("text.rotate.x", 0);
    b.start("text.rotate.y", 0);
    b.start("text.rotate.z", 0);
    b.start("blur.radial.colour.r", 5);
    b.start("blur.radial.colour.g", 5);
    b.start("blur.radial.colour.b", 5);
    b.start("text.pan.x", 0);
    b.start("text.pan.y", 0);
    b.start("text.pan.z", 0);
    b.start("text.fontColour.r", 0);
    b.start("text.fontColour.g", 0);
    b.start("text.fontColour.b", 0);
    b.start("text.background.r", 0);
    b.start("text.background.g", 0);
    b.start("text.background.b", 0);
    b.start("text.twist.x", 0);
    b.start("text.twist.y", 0);
    b.start("text.twist.z", 0);
    b.start("text.lineSpacing.x", 0);
    b.start("text.lineSpacing.y", 0);
    b.start("text.lineSpacing.z", 0);
    b.start("text.charSpacing.x", 0);
    b.start("text.charSpacing.y", 0);
    b.start("text.charSpacing.z", 0);
    b.start("text.spotPosition.x", 0);
    b.start("text.spotPosition.y", 0);
    b.start("text.spotPosition.z", 0);
    b.start("text.spotColour.r", 0);
    b.start("text.spotColour.g", 0);
    b.start("text.spotColour.b", 0);
    b.start("text.scale.x", 0);
    b.start("text.scale.y", 0);
    b.start("text.scale.z", 0);
    b.start("text.fade", 0);
    b.field("text.style2", FLOAT(textStyle2), 0);
    b.length("text.texturePathLength", 1, 0);
    b.texturePath("text.texturePath", STRING(textTexturePath), 0);
    b.field("text.style3", FLOAT(textStyle3), 0);
    // C. Stars
    b.field("stars.on", FLOAT(starsOn), 0);
    b.start("stars.zoom", 0);
    b.start("stars.rotate.x", 0);
    b.start("stars.rotate.y", 0);
    b.start("stars.spin", 0);
    b.start("stars.pan.x", 0);
    b.start("stars.pan.y", 0);
    b.start("stars.direction", 0);
    b.start("stars.spacing", 0);
    b.start("stars.rotate.z", 0);
    b.start("stars.alphaFade", 0);
    b.start("stars.number", 0);
    b.start("stars.colour.r", 0);
    b.start("stars.colour.g", 0);
    b.start("stars.colour.b", 0);
    b.length("stars.texturePathLength", 1, 0);
    b.texturePath("stars.texturePath", STRING(starTextureName), 0);
    b.field("stars.singleColour", FLOAT(starSingleColour), 0);
    // D. Particles
    b.field("particles.on", FLOAT(particlesOn), 0);
    b.field("particles.spare", FLOAT(particleSpare), 0);
    b.start("particles.gravity.upDown", 0);
    b.start("particles.gravity.speedMin", 0);
    b.start("particles.gravity.inOut", 0);
    b.start("particles.position.x", 0);
    b.start("particles.position.y", 0);
    b.start("particles.position.z", 0);
    b.start("particles.rotate.x", 0);
    b.start("particles.rotate.y", 0);
    b.start("particles.rotate.z", 0);
    b.start("particles.gravity.speedMax", 0);
    b.start("particles.gravity.leftRight", 0);
    b.start("particles.scale.x", 0);
    b.start("particles.scale.y", 0);
    b.start("particles.scale.z", 0);
    b.start("particles.colour.r", 0);
    b.start("particles.colour.g", 0);
    b.start("particles.colour.b", 0);
    b.start("particles.maxAge", 0);
    b.start("particles.minAge", 0);
    b.start("particles.speed", 0);
    b.start("particles.direction1.x", 0);
    b.start("particles.direction1.y", 0);
    b.start("particles.direction1.z", 0);
    b.start("particles.direction2.x", 0);
    b.start("particles.direction2.y", 0);
    b.start("particles.direction2.z", 0);
    b.start("particles.fogEnd", 6);
    b.field("particles.fogEnd", FLOAT(particleFogEnd), 6);
    b.length("particles.texturePathLength", 1, 0);
    b.texturePath("particles.texturePath", STRING(particleTextureName), 0);
    b.field("particles.textureChosen", FLOAT(particleTextureChosen), 0);
    // E. Fire
    b.field("fire.on", FLOAT(fireOn), 0);
    b.start("fire.gravity.x", 0);
    b.start("fire.gravity.y", 0);
    b.start("fire.gravity.z", 0);
    b.start("fire.move.x", 0);
    b.start("fire.move.y", 0);
    b.start("fire.move.z", 0);
    b.start("fire.life", 0);
    b.start("fire.direction", 0);
    b.start("fire.tilt", 0);
    b.start("fire.spiral", 0);
    b.start("fire.spacing", 0);
    b.start("fire.speed", 0);
    b.start("fire.number", 0);
    b.start("fire.colour.r", 0);
    b.start("fire.colour.g", 0);
    b.start("fire.colour.b", 0);
    b.field("fire.multiColour", FLOAT(fireMultiColour), 0);
    b.length("fire.texturePathLength", 1, 0);
    b.texturePath("fire.texturePath", STRING(fireTextureName), 0);
    // F. Tunnel (the path before its length)
    b.field("tunnel.on", FLOAT(tunnelOn), 0);
    b.start("tunnel.speed", 0);
    b.start("tunnel.twist", 0);
    b.start("tunnel.rotate", 0);
    b.start("tunnel.position.x", 0);
    b.start("tunnel.position.y", 0);
    b.start("tunnel.position.z", 0);
    b.start("tunnel.fogStart", 0);
    b.start("tunnel.fogEnd", 0);
    b.start("tunnel.arc.x", 0);
    b.start("tunnel.arc.y", 0);
    b.start("tunnel.squeeze.x", 0);
    b.start("tunnel.squeeze.y", 0);
    b.texturePath("tunnel.texturePath", STRING(tunnelTextureName), 0);
    b.length("tunnel.texturePathLength", -1, 0);
    // G. Tiles
    b.field("tile1.opaque", FLOAT(tileOpaque1), 0);
    b.field("tile2.opaque", FLOAT(tileOpaque2), 0);
    b.field("tile1.hidden", FLOAT(tileHidden1), 0);
    b.field("tile2.hidden", FLOAT(tileHidden2), 0);
    b.field("tiles.on", FLOAT(tilesOn), 0);
    b.start("tile1.roll.x", 0);
    b.start("tile1.roll.y", 0);
    b.start("tile1.rotate.x", 0);
    b.start("tile2.roll.x", 0);
    b.start("tile2.roll.y", 0);
    b.start("tile2.rotate.x", 0);
    b.start("tile1.position.x", 0);
    b.start("tile1.position.y", 0);
    b.start("tile1.position.z", 0);
    b.start("tile2.position.x", 0);
    b.start("tile2.position.y", 0);
    b.start("tile2.position.z", 0);
    b.start("tile1.rotate.y", 0);
    b.start("tile1.rotate.z", 0);
    b.start("tile2.rotate.y", 0);
    b.start("tile2.rotate.z", 0);
    b.texturePath("tile1.texturePath", STRING(tileTextureName1), 0);
    b.length("tile1.texturePathLength", -1, 0);
    b.texturePath("tile2.texturePath", STRING(tileTextureName2), 0);
    b.length("tile2.texturePathLength", -1, 0);
    // H. Blur
    b.field("blur.apply.text", FLOAT(blurText), 0);
    b.field("blur.apply.stars", FLOAT(blurStars), 0);
    b.field("blur.apply.particles", FLOAT(blurParticles), 0);
    b.field("blur.apply.fire", FLOAT(blurFire), 0);
    b.field("blur.apply.model", FLOAT(blurModel), 0);
    b.field("blur.legacyColour.r", FLOAT(legacyBlurColour.x), 0);
    b.field("blur.legacyColour.g", FLOAT(legacyBlurColour.y), 0);
    b.field("blur.legacyColour.b", FLOAT(legacyBlurColour.z), 0);
    b.field("blur.radial.on", FLOAT(radialBlurOn), 0);
    b.field("blur.colourMode", FLOAT(blurColourMode), 0);
    b.repeat("blur.apply.text.again", 165, 0);
    b.repeat("blur.apply.stars.again", 166, 0);
    b.repeat("blur.apply.particles.again", 167, 0);
    b.repeat("blur.apply.fire.again", 168, 0);
    b.repeat("blur.apply.model.again", 169, 0);
    b.start("blur.radial.density", 0);
    b.start("blur.radial.fade", 0);
    b.start("blur.radial.separation", 0);
    b.start("blur.spare", 0);
    b.start("blur.motion.fade", 0);
    b.start("blur.motion.trim", 0);
    b.start("blur.motion.stretch.x", 0);
    b.start("blur.motion.stretch.y", 0);
    // I. Model 1
    b.field("model1.hollow", FLOAT(modelHollow[0]), 0);
    b.field("model1.on", FLOAT(modelOn[0]), 0);
    b.field("model1.units", INT(modelUnits[0]), 0);
    b.start("model1.rotate.x", 0);
    b.start("model1.rotate.y", 0);
    b.start("model1.rotate.z", 0);
    b.start("model1.position.x", 0);
    b.start("model1.position.y", 0);
    b.start("model1.position.z", 0);
    b.start("model1.scale.x", 0);
    b.start("model1.scale.y", 0);
    b.start("model1.scale.z", 0);
    b.start("model1.colour.r", 0);
    b.start("model1.colour.g", 0);
    b.start("model1.colour.b", 0);
    b.start("model1.spotPosition.x", 0);
    b.start("model1.spotPosition.y", 0);
    b.start("model1.spotPosition.z", 0);
    b.start("model1.fade", 0);
    b.start("model1.textureOffset.s", 0);
    b.start("model1.textureOffset.t", 0);
    b.start("model1.blur.density", 5);
    b.start("model1.blur.alpha", 5);
    b.start("model1.blur.separation", 5);
    b.start("model1.blur.colour.r", 5);
    b.start("model1.blur.colour.g", 5);
    b.start("model1.blur.colour.b", 5);
    b.field("model1.transparency", FLOAT(modelTransparency[0]), 0);
    b.field("model1.shiny", FLOAT(modelShiny[0]), 0);
    b.string("model1.path", STRING(modelPath[0]), kMaxPathLength, 0);
    b.length("model1.pathLength", -1, 0);
    b.texturePath("model1.texturePath", STRING(modelTexturePath[0]), 0);
    b.length("model1.texturePathLength", -1, 0);
    b.field("model1.loaded", FLOAT(modelLoaded[0]), 0);
    b.field("model1.sphereMap", FLOAT(modelSphereMap[0]), 0);
    b.field("model1.lighting", FLOAT(modelLighting[0]), 0);
    b.field("model1.blurPassRequest", FLOAT(modelBlurPassRequest[0]), 5);
    b.field("model1.radialBlur", FLOAT(modelRadialBlur[0]), 5);
    // J. Model 2
    b.field("model2.hollow", FLOAT(modelHollow[1]), 5);
    b.field("model2.on", FLOAT(modelOn[1]), 5);
    b.field("model2.units", INT(modelUnits[1]), 5);
    b.start("model2.rotate.x", 5);
    b.start("model2.rotate.y", 5);
    b.start("model2.rotate.z", 5);
    b.start("model2.position.x", 5);
    b.start("model2.position.y", 5);
    b.start("model2.position.z", 5);
    b.start("model2.scale.x", 5);
    b.start("model2.scale.y", 5);
    b.start("model2.scale.z", 5);
    b.start("model2.colour.r", 5);
    b.start("model2.colour.g", 5);
    b.start("model2.colour.b", 5);
    b.start("model2.spotPosition.x", 5);
    b.start("model2.spotPosition.y", 5);
    b.start("model2.spotPosition.z", 5);
    b.start("model2.fade", 5);
    b.start("model2.textureOffset.s", 5);
    b.start("model2.textureOffset.t", 5);
    b.start("model2.blur.density", 5);
    b.start("model2.blur.alpha", 5);
    b.start("model2.blur.separation", 5);
    b.start("model2.blur.colour.r", 5);
    b.start("model2.blur.colour.g", 5);
    b.start("model2.blur.colour.b", 5);
    b.field("model2.transparency", FLOAT(modelTransparency[1]), 5);
    b.field("model2.shiny", FLOAT(modelShiny[1]), 5);
    b.string("model2.path", STRING(modelPath[1]), kMaxPathLength, 5);
    b.length("model2.pathLength", -1, 5);
    b.texturePath("model2.texturePath", STRING(modelTexturePath[1]), 5);
    b.length("model2.texturePathLength", -1, 5);
    b.field("model2.loaded", FLOAT(modelLoaded[1]), 5);
    b.field("model2.sphereMap", FLOAT(modelSphereMap[1]), 5);
    b.field("model2.lighting", FLOAT(modelLighting[1]), 5);
    b.repeat("blur.apply.model.again2", 169, 5);
    b.field("model2.radialBlur", FLOAT(modelRadialBlur[1]), 5);
    // K. Model 3
    b.field("model3.hollow", FLOAT(modelHollow[2]), 5);
    b.field("model3.on", FLOAT(modelOn[2]), 5);
    b.field("model3.units", INT(modelUnits[2]), 5);
    b.start("model3.rotate.x", 5);
    b.start("model3.rotate.y", 5);
    b.start("model3.rotate.z", 5);
    b.start("model3.position.x", 5);
    b.start("model3.position.y", 5);
    b.start("model3.position.z", 5);
    b.start("model3.scale.x", 5);
    b.start("model3.scale.y", 5);
    b.start("model3.scale.z", 5);
    b.start("model3.colour.r", 5);
    b.start("model3.colour.g", 5);
    b.start("model3.colour.b", 5);
    b.start("model3.spotPosition.x", 5);
    b.start("model3.spotPosition.y", 5);
    b.start("model3.spotPosition.z", 5);
    b.start("model3.fade", 5);
    b.start("model3.textureOffset.s", 5);
    b.start("model3.textureOffset.t", 5);
    b.start("model3.blur.density", 5);
    b.start("model3.blur.alpha", 5);
    b.start("model3.blur.separation", 5);
    b.start("model3.blur.colour.r", 5);
    b.start("model3.blur.colour.g", 5);
    b.start("model3.blur.colour.b", 5);
    b.field("model3.transparency", FLOAT(modelTransparency[2]), 5);
    b.field("model3.shiny", FLOAT(modelShiny[2]), 5);
    b.string("model3.path", STRING(modelPath[2]), kMaxPathLength, 5);
    b.length("model3.pathLength", -1, 5);
    b.texturePath("model3.texturePath", STRING(modelTexturePath[2]), 5);
    b.length("model3.texturePathLength", -1, 5);
    b.field("model3.loaded", FLOAT(modelLoaded[2]), 5);
    b.field("model3.sphereMap", FLOAT(modelSphereMap[2]), 5);
    b.field("model3.lighting", FLOAT(modelLighting[2]), 5);
    b.field("model3.blurPassRequest", FLOAT(modelBlurPassRequest[2]), 5);
    b.field("model3.radialBlur", FLOAT(modelRadialBlur[2]), 5);
    // L. Pictures
    b.field("pictures.on", FLOAT(pictureOn), 0);
    b.field("pictures.lighting", FLOAT(pictureLighting), 0);
    b.field("pictures.transparent1", FLOAT(pictureTransparent1), 0);
    b.field("pictures.transparent2", FLOAT(pictureTransparent2), 0);
    b.start("pictures.rotate.x", 0);
    b.start("pictures.rotate.y", 0);
    b.start("pictures.rotate.z", 0);
    b.start("pictures.pan.x", 0);
    b.start("pictures.pan.y", 0);
    b.start("pictures.pan.z", 0);
    b.start("pictures.scale.x", 0);
    b.start("pictures.scale.y", 0);
    b.start("pictures.scale.z", 0);
    b.start("pictures.light.x", 0);
    b.start("pictures.light.y", 0);
    b.start("pictures.light.z", 0);
    b.start("pictures.fade", 0);
    b.start("pictures.wavy", 0);
    b.start("pictures.separation", 0);
    b.start("pictures.flagWave", 0);
    b.length("pictures.path1Length", 1, 0);
    b.string("pictures.path1", STRING(picturePath1), kMaxPathLength, 0);
    b.length("pictures.path2Length", 1, 0);
    b.string("pictures.path2", STRING(picturePath2), kMaxPathLength, 0);
    return b.items;
}

#undef FLOAT
#undef INT
#undef STRING

} // namespace

const std::vector<HeaderItem>& headerItems() {
    static const std::vector<HeaderItem> items = buildHeader();
    return items;
}

