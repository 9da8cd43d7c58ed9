// Layout arithmetic of the 3D text: which bytes break lines or draw glyphs, the first-line width
// that centres the block, and the walk over the characters. No GL here.
#pragma once

#include "effects/text/TextBlock.h"
#include "scene/Vec3.h"

#include <string_view>

// The text buffer holds at most this many characters; the rest of a longer string is ignored.
constexpr std::size_t kMaxTextLength = 30000;
// Height of one line of text at the default line spacing (used to lift the block).
constexpr float kTextLineHeight = 0.3f;

// Characters are taken as signed bytes: codes 128-255 are negative and so break lines.
inline int signedCode(char c) {
    return static_cast<signed char>(c);
}
// Control characters (and every code 128-255) break the line.
inline bool isLineBreak(char c) {
    return signedCode(c) < 27;
}
// Printable characters are drawn from their display list; codes 27-30 are skipped.
inline bool isDrawnGlyph(char c) {
    return signedCode(c) >= 31;
}

// The part of a string that is laid out: up to the first NUL, at most kMaxTextLength bytes,
// taken literally (a per-cent sign is a character like any other).
std::string_view visibleText(std::string_view text);

struct TextMeasure {
    float firstLineWidth = 0; // advances up to and including the first line-break character
    int lineBreaks = 0;       // every line-break character counts one
};

TextMeasure measureText(std::string_view text, const GlyphMetrics* metrics);

// The opening translation: centres the first line and lifts the block by half its height.
Vec3 textBlockOffset(const TextMeasure& m);

// Walks the characters in drawing order. For each printable byte calls glyph(code) with the byte
// as an unsigned code 31-127; for each line break calls lineBreak(lineAdvance), where lineAdvance
// is the sum of the glyph advances drawn since the previous break.
template <typename GlyphFn, typename BreakFn>
void walkText(std::string_view text, const GlyphMetrics* metrics, GlyphFn&& glyph,
              BreakFn&& lineBreak) {
    float lineAdvance = 0;
    for (char c : visibleText(text)) {
        if (isDrawnGlyph(c)) {
            const int code = signedCode(c);
            lineAdvance += metrics[code].cellIncX;
            glyph(code);
        } else if (isLineBreak(c)) {
            lineBreak(lineAdvance);
            lineAdvance = 0;
        }
    }
}
