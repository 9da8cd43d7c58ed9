// Extruded 3D text: the glyph display lists, the text drawing and the text slot of a frame.
#pragma once

#include "scene/Vec3.h"

#include <string_view>

class CZoetraView;

// Surface styles (`textStyle`, a float compared for equality).
constexpr float kStyleReflectionMap = 0;  // "Reflection Map": sphere-mapped texture
constexpr float kStyleGlass = 1;          // "Glass": additive, sphere-mapped
constexpr float kStyleSingleColour = 2;   // "Single Color": no texture
constexpr float kStyleTexturedObject = 3; // "Textured (Object)": object-linear texture
constexpr float kStyleTexturedEye = 4;    // "Texture (Eye]": eye-linear texture

// Entries of the Text page's style and material combos that the drawing reads.
constexpr int kStyleEntryWireFrame = 5; // "WireFrame"
constexpr int kMaterialUserDefined = 0; // "User Defined"

// Builds one display list per character code 0-254 for the current font, deleting the lists of
// the previous build. Solid extruded glyphs, or outlines while `textWireframe` is on.
void buildTextLists(CZoetraView& v);

// Lays out and draws the text with the current transform and GL state: the first line centred,
// the block lifted by half its height, spacing and twist accumulating from character to
// character. The text is drawn literally.
void drawText(const CZoetraView& v, std::string_view text);

// The text slot of a frame: surface style, texture, material, spot light and colour, then the
// text itself while the layer is on, and the shiny reflection pass. Leaves blending off with the
// blend function (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA).
void drawTextSlot(CZoetraView& v);

// Brings each text angle into -360...360: below -360 adds 720, above 360 subtracts 720, as
// often as needed (400 becomes -320). An infinite or NaN angle becomes 0.
void normaliseTextAngles(Vec3& angles);
