// Layout arithmetic of the 3D text: first-line width, line-break count and block offset.
#include "effects/text/TextLayout.h"

#include <algorithm>

std::string_view visibleText(std::string_view text) {
    // The text is a C string: an embedded NUL ends it.
    return text.substr(0, std::min(text.find('\0'), kMaxTextLength));
}

TextMeasure measureText(std::string_view text, const GlyphMetrics* metrics) {
    TextMeasure m;
    for (char c : visibleText(text)) {
        const int code = signedCode(c);
        // High characters have no entry to add; every other byte of the first line adds its
        // advance, the line-break character that ends the line included.
        if (m.lineBreaks == 0 && code >= 0) m.firstLineWidth += metrics[code].cellIncX;
        if (isLineBreak(c)) ++m.lineBreaks;
    }
    return m;
}

Vec3 textBlockOffset(const TextMeasure& m) {
    return {-m.firstLineWidth / 2, static_cast<float>(m.lineBreaks) * kTextLineHeight / 2, 0};
}
