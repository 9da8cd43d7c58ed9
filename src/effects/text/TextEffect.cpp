// The text layer's declaration: keyable values, reset, loads, texture slots, sequence reload.
#include "effects/text/TextEffect.h"

#include "assets/BuiltInTextTexture.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#define KEY(name, label, field)                                                                    \
    {                                                                                              \
        name, label, [](CZoetraView& v, int) -> float& { return field; }                           \
    }

const KeyField kTextKeys[] = {
    KEY("rotate.x", "Text Rotate X", v.textRotation.x),
    KEY("rotate.y", "Text Rotate Y", v.textRotation.y),
    KEY("rotate.z", "Text Rotate Z", v.textRotation.z),
    KEY("pan.x", "Text Pan and Zoom X", v.textPosition.x),
    KEY("pan.y", "Text Pan and Zoom Y", v.textPosition.y),
    KEY("pan.z", "Text Pan and Zoom Z", v.textPosition.z),
    KEY("fontColour.r", "Colour Font Red", v.fontColour.x),
    KEY("fontColour.g", "Colour Font Green", v.fontColour.y),
    KEY("fontColour.b", "Colour Font Blue", v.fontColour.z),
    KEY("background.r", "Colour Background Red", v.backgroundColour.x),
    KEY("background.g", "Colour Background Green", v.backgroundColour.y),
    KEY("background.b", "Colour Background Blue", v.backgroundColour.z),
    KEY("twist.x", "Twist Text X", v.textTwist.x),
    KEY("twist.y", "Twist Text Y", v.textTwist.y),
    KEY("twist.z", "Twist Text Z", v.textTwist.z),
    KEY("lineSpacing.x", "Line Spacing X", v.lineSpacing.x),
    KEY("lineSpacing.y", "Line Spacing Y", v.lineSpacing.y),
    KEY("lineSpacing.z", "Line Spacing Z", v.lineSpacing.z),
    KEY("charSpacing.x", "Character Spacing X", v.charSpacing.x),
    KEY("charSpacing.y", "Character Spacing Y", v.charSpacing.y),
    KEY("charSpacing.z", "Character Spacing Z", v.charSpacing.z),
    KEY("spotPosition.x", "SpotLight Position X", v.spotPosition.x),
    KEY("spotPosition.y", "SpotLight Position Y", v.spotPosition.y),
    KEY("spotPosition.z", "SpotLight Position Z", v.spotPosition.z),
    KEY("spotColour.r", "SpotLight Color Red", v.spotColour.x),
    KEY("spotColour.g", "SpotLight Color Green", v.spotColour.y),
    KEY("spotColour.b", "SpotLight Color Blue", v.spotColour.z),
    KEY("scale.x", "Scale Text X", v.textScale.x),
    KEY("scale.y", "Scale Text Y", v.textScale.y),
    KEY("scale.z", "Scale Text Z", v.textScale.z),
    KEY("fade", "Fade Alpha", v.textFade),
};

#undef KEY

void uploadBuiltInTextTexture(CZoetraView& v) {
    const std::vector<uint8_t> bits = builtInTextBitmap(); // 64 x 64, blue-green-red, bottom-up
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glGenTextures(1, &v.textUserTexture);
    // The name is not bound: the mipmaps go into the default object 0, which every slot holding
    // 0 (such as textDefaultTexture) therefore shows.
    glBindTexture(GL_TEXTURE_2D, 0);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, kBuiltInTextSize, kBuiltInTextSize, GL_BGR,
                      GL_UNSIGNED_BYTE, bits.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

bool loadUserTextTexture(CZoetraView& v, const QString& path, const std::string& recordedPath) {
    if (!loadKeyedTexture(v, takeUserPath(v, path), v.textUserTexture)) return false;
    v.textUseDefaultTexture = 0;
    v.textTexturePath = recordedPath;
    return true;
}

namespace {

void resetText(CZoetraView& v) {
    const float textOn = v.textOn; // the text keeps its switch
    static_cast<TextParams&>(v) = TextParams{};
    v.textOn = textOn;
    v.spotColour = {255, 255, 255};
    v.textUseDefaultTexture = 2.0f;
    v.textTexturePath = kTextDefaultTexturePath;
}

// "Lumatoy" in "Arial Black" again, and the default texture in both text slots.
void reloadText(CZoetraView& v, EffectLoads& loads) {
    loads.textLists(v);
    loads.mipmappedTexture(v, kTextDefaultTexturePath, v.textDefaultTexture);
    loads.mipmappedTexture(v, kTextDefaultTexturePath, v.textUserTexture);
}

void loadTextDefaults(CZoetraView& v, EffectLoads& loads) {
    uploadBuiltInTextTexture(v);
    loads.mipmappedTexture(v, kTextDefaultTexturePath, v.textUserTexture);
    v.textTexturePath = kTextDefaultTexturePath;
    loads.mipmappedTexture(v, kReflectionTexturePath, v.reflectionTexture);
}

void startText(CZoetraView& v) {
    v.spotColour = {128, 128, 128};
    buildTextLists(v);
    v.textOn = 2.0f;
}

void textSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    list.insert(list.end(), {&v.textUserTexture, &v.textDefaultTexture, &v.reflectionTexture});
}

// The stored text texture, or the default one when the file says so, into both text slots.
void reloadTextTexture(CZoetraView& v, EffectLoads& loads, float) {
    const float source = v.textUseDefaultTexture;
    if (source <= 1.0f) {
        loads.mipmappedTexture(v, v.textTexturePath, v.textUserTexture);
        loads.mipmappedTexture(v, v.textTexturePath, v.textDefaultTexture);
    } else if (source >= 2.0f) {
        loads.mipmappedTexture(v, kTextDefaultTexturePath, v.textUserTexture);
        loads.mipmappedTexture(v, kTextDefaultTexturePath, v.textDefaultTexture);
    }
}

constexpr KeySlice kTextKeySlices[] = {{"text", kTextKeys}};
constexpr const ControlPage* kTextPages[] = {&kTextPage};

} // namespace

const EffectDescriptor kTextEffect{
    .name = "text",
    .keys = kTextKeySlices,
    .pages = kTextPages,
    .reset = resetText,
    .reloadAfterReset = reloadText,
    .loadDefaults = loadTextDefaults,
    .startUp = startText,
    .textureSlots = textSlots,
    .reloadAfterItem = "text.style3",
    .reloadFromSequence = reloadTextTexture,
};
