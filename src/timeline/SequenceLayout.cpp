// The header items of sequence files, in file order, with each item's place in the scene.
// Version conditions: an item with a version is read only from files of that version on.
#include "timeline/SequenceLayout.h"

#include "scene/CZoetraView.h"
#include "timeline/KeyableParams.h"

#include <deque>
#include <stdexcept>
#include <string>

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

// A header id made at run time ("model2.rotate.x"), kept for the program's life.
const char* keptId(std::string id) {
    static std::deque<std::string> ids; // a deque never moves what it holds
    return ids.emplace_back(std::move(id)).c_str();
}

// The items of model N + 1, sections I to K of the file: model 1's from version 0 (its blur
// values from 5 on), models 2 and 3 from 5. Where models 1 and 3 store their blur pass request,
// model 2 stores "blur.apply.model" again.
template <int N> void addModelItems(LayoutBuilder& b) {
    const float since = N == 0 ? 0 : 5;
    const auto id = [](const char* name) {
        return keptId("model" + std::to_string(N + 1) + "." + name);
    };
    b.field(id("hollow"), FLOAT(modelHollow[N]), since);
    b.field(id("on"), FLOAT(modelOn[N]), since);
    b.field(id("units"), INT(modelUnits[N]), since);
    for (const char* name :
         {"rotate.x", "rotate.y", "rotate.z", "position.x", "position.y", "position.z", "scale.x",
          "scale.y", "scale.z", "colour.r", "colour.g", "colour.b", "spotPosition.x",
          "spotPosition.y", "spotPosition.z", "fade", "textureOffset.s", "textureOffset.t"})
        b.start(id(name), since);
    for (const char* name : {"blur.density", "blur.alpha", "blur.separation", "blur.colour.r",
                             "blur.colour.g", "blur.colour.b"})
        b.start(id(name), 5);
    b.field(id("transparency"), FLOAT(modelTransparency[N]), since);
    b.field(id("shiny"), FLOAT(modelShiny[N]), since);
    b.string(id("path"), STRING(modelPath[N]), kMaxPathLength, since);
    b.length(id("pathLength"), -1, since);
    b.texturePath(id("texturePath"), STRING(modelTexturePath[N]), since);
    b.length(id("texturePathLength"), -1, since);
    b.field(id("loaded"), FLOAT(modelLoaded[N]), since);
    b.field(id("sphereMap"), FLOAT(modelSphereMap[N]), since);
    b.field(id("lighting"), FLOAT(modelLighting[N]), since);
    if (N == 1)
        b.repeat("blur.apply.model.again2", 169, 5);
    else
        b.field(id("blurPassRequest"), FLOAT(modelBlurPassRequest[N]), 5);
    b.field(id("radialBlur"), FLOAT(modelRadialBlur[N]), 5);
}

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
    // I to K. Models 1 to 3
    addModelItems<0>(b);
    addModelItems<1>(b);
    addModelItems<2>(b);
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
