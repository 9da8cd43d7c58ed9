// Scene fields of the extruded-text layer: its switches, parameter triples, font and the glyph
// tables of its display lists.
#pragma once

#include "scene/Vec3.h"

#include <string>

// Default files of the text layer.
inline constexpr const char* kTextDefaultTexturePath = "Textures/Gold.jpg";
inline constexpr const char* kReflectionTexturePath = "Particles/Envroll.bmp";

// The values the "Text" page, the mouse and the keyframes tune; "New" restores them.
struct TextParams {
    std::string textString = "Lumatoy"; // byte string; at most 30,000 characters are drawn
    std::string fontFace = "Arial Black";
    int fontWeight = 0; // 0: the font's default weight
    int fontItalic = 0; // 0 or 1

    float textOn = 2.0f; // the only layer on at start-up
    float textOnClicks = 0;

    Vec3 textRotation{0, 0, 0};     // degrees
    Vec3 textPosition{0, 0, 0};     // drawn at (x/50, y/50, (z - 200)/50)
    Vec3 fontColour{255, 255, 255}; // 0-255, drawn as value / 205
    Vec3 backgroundColour{0, 0, 0}; // 0-255, the clear colour
    Vec3 textTwist{0, 0, 0};        // per character, value / 10 degrees, cumulative
    Vec3 lineSpacing{0, -60, 0};    // offset at each line break, value / 200
    Vec3 charSpacing{0, 0, 0};      // offset before each character, value / 200, cumulative
    Vec3 spotPosition{0, 0, 4000};  // light 0 position, value / 100
    Vec3 spotColour{128, 128, 128}; // 0-255, the material colour
    Vec3 textScale{50, 50, 10};     // drawn as (x/50, y/50, z/10)
    float textFade = 255;           // alpha, value / 255

    float textStyle = 0; // surface style 0-4, compared for equality
    float textWireframe = 0;
    float textShiny = 0;
    float textLighting = 0;
    float textLightingClicks = 0;
    // >= 2: always bind textDefaultTexture; <= 1: textUserTexture once a user path is in force.
    float textUseDefaultTexture = 0;
    // Two further style values the material combo sets; stored by sequence files.
    float textStyle2 = 0;
    float textStyle3 = 0;
};

// Size and placement of one glyph, filled when the display lists are built.
struct GlyphMetrics {
    float blackBoxX = 0, blackBoxY = 0; // size of the glyph's ink
    float originX = 0, originY = 0;     // origin of the ink box
    float cellIncX = 0, cellIncY = 0;   // advance to the next character
};

constexpr int kGlyphCount = 256;

struct TextBlock : TextParams {
    // Texture slots (GL texture names).
    unsigned textUserTexture = 0;
    unsigned textDefaultTexture = 0; // 0 binds the default texture object: the built-in texture
    unsigned reflectionTexture = 0;  // "Particles/Envroll.bmp", also used by the models

    // Relative path of the text texture, as the sequence file stores it.
    std::string textTexturePath = kTextDefaultTexturePath;

    // Display lists, one per character code (0 before the first build).
    unsigned textListBase = 0;
    GlyphMetrics glyphMetrics[kGlyphCount]{};
};
