// The text layer's declaration: keyable values, reset, loads, texture slots, sequence reload.
#include "effects/text/TextEffect.h"

#include "assets/BuiltInTextTexture.h"
#include "effects/CommonEffectSteps.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>
#include <GL/glu.h>

const KeyField kTextKeys[] = {
    KEYED_VALUE("rotate.x", "Text Rotate X", v.textRotation.x),
    KEYED_VALUE("rotate.y", "Text Rotate Y", v.textRotation.y),
    KEYED_VALUE("rotate.z", "Text Rotate Z", v.textRotation.z),
    KEYED_VALUE("pan.x", "Text Pan and Zoom X", v.textPosition.x),
    KEYED_VALUE("pan.y", "Text Pan and Zoom Y", v.textPosition.y),
    KEYED_VALUE("pan.z", "Text Pan and Zoom Z", v.textPosition.z),
    KEYED_VALUE("fontColour.r", "Colour Font Red", v.fontColour.x),
    KEYED_VALUE("fontColour.g", "Colour Font Green", v.fontColour.y),
    KEYED_VALUE("fontColour.b", "Colour Font Blue", v.fontColour.z),
    KEYED_VALUE("background.r", "Colour Background Red", v.backgroundColour.x),
    KEYED_VALUE("background.g", "Colour Background Green", v.backgroundColour.y),
    KEYED_VALUE("background.b", "Colour Background Blue", v.backgroundColour.z),
    KEYED_VALUE("twist.x", "Twist Text X", v.textTwist.x),
    KEYED_VALUE("twist.y", "Twist Text Y", v.textTwist.y),
    KEYED_VALUE("twist.z", "Twist Text Z", v.textTwist.z),
    KEYED_VALUE("lineSpacing.x", "Line Spacing X", v.lineSpacing.x),
    KEYED_VALUE("lineSpacing.y", "Line Spacing Y", v.lineSpacing.y),
    KEYED_VALUE("lineSpacing.z", "Line Spacing Z", v.lineSpacing.z),
    KEYED_VALUE("charSpacing.x", "Character Spacing X", v.charSpacing.x),
    KEYED_VALUE("charSpacing.y", "Character Spacing Y", v.charSpacing.y),
    KEYED_VALUE("charSpacing.z", "Character Spacing Z", v.charSpacing.z),
    KEYED_VALUE("spotPosition.x", "SpotLight Position X", v.spotPosition.x),
    KEYED_VALUE("spotPosition.y", "SpotLight Position Y", v.spotPosition.y),
    KEYED_VALUE("spotPosition.z", "SpotLight Position Z", v.spotPosition.z),
    KEYED_VALUE("spotColour.r", "SpotLight Color Red", v.spotColour.x),
    KEYED_VALUE("spotColour.g", "SpotLight Color Green", v.spotColour.y),
    KEYED_VALUE("spotColour.b", "SpotLight Color Blue", v.spotColour.z),
    KEYED_VALUE("scale.x", "Scale Text X", v.textScale.x),
    KEYED_VALUE("scale.y", "Scale Text Y", v.textScale.y),
    KEYED_VALUE("scale.z", "Scale Text Z", v.textScale.z),
    KEYED_VALUE("fade", "Fade Alpha", v.textFade),
};

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
    .textureSlots =
        appendTextureSlots<&CZoetraView::textUserTexture, &CZoetraView::textDefaultTexture,
                           &CZoetraView::reflectionTexture>,
    .reloadAfterItem = "text.style3",
    .reloadFromSequence = reloadTextTexture,
};
