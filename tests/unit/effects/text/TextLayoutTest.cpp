// Layout of the 3D text: first-line width, line-break counting, signed high characters, the walk.
#include "effects/text/TextLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

// Advances that tell every code apart: code c advances by (c + 1) / 100.
std::array<GlyphMetrics, kGlyphCount> distinctAdvances() {
    std::array<GlyphMetrics, kGlyphCount> table{};
    for (int c = 0; c < kGlyphCount; ++c)
        table[c].cellIncX = static_cast<float>(c + 1) / 100;
    return table;
}

float adv(char c) {
    return static_cast<float>(static_cast<unsigned char>(c) + 1) / 100;
}

struct Walk {
    std::vector<int> glyphs;
    std::vector<std::pair<std::size_t, float>> breaks; // glyphs drawn before it, line advance
};

Walk walk(std::string_view text, const GlyphMetrics* metrics) {
    Walk w;
    walkText(
        text, metrics, [&](int code) { w.glyphs.push_back(code); },
        [&](float lineAdvance) { w.breaks.emplace_back(w.glyphs.size(), lineAdvance); });
    return w;
}

const auto kMetrics = distinctAdvances();

} // namespace

TEST(TextLayout, OneLineIsCentredOnItsFullAdvance) {
    const TextMeasure m = measureText("AB", kMetrics.data());
    EXPECT_FLOAT_EQ(m.firstLineWidth, adv('A') + adv('B'));
    EXPECT_EQ(m.lineBreaks, 0);
    const Vec3 offset = textBlockOffset(m);
    EXPECT_FLOAT_EQ(offset.x, -(adv('A') + adv('B')) / 2);
    EXPECT_FLOAT_EQ(offset.y, 0);
}

TEST(TextLayout, CarriageReturnAndLineFeedCountTwoBreaks) {
    const TextMeasure m = measureText("A\r\nB", kMetrics.data());
    EXPECT_EQ(m.lineBreaks, 2);
    // The first line includes the advance of the break character that ends it, nothing after.
    EXPECT_FLOAT_EQ(m.firstLineWidth, adv('A') + adv('\r'));
    // Lifted by half of two breaks of 0.3: the lines end up at +0.3 and -0.3.
    EXPECT_FLOAT_EQ(textBlockOffset(m).y, 0.3f);

    const Walk w = walk("A\r\nB", kMetrics.data());
    EXPECT_EQ(w.glyphs, (std::vector<int>{'A', 'B'}));
    ASSERT_EQ(w.breaks.size(), 2u);
    // The first break returns by the line just drawn, the second by an empty line.
    EXPECT_FLOAT_EQ(w.breaks[0].second, adv('A'));
    EXPECT_FLOAT_EQ(w.breaks[1].second, 0);
}

TEST(TextLayout, HighCharactersAreSignedLineBreaksWithoutWidth) {
    const std::string text = "A\xE9"
                             "B\x80\xFF"
                             "C";
    const TextMeasure m = measureText(text, kMetrics.data());
    EXPECT_EQ(m.lineBreaks, 3);
    EXPECT_FLOAT_EQ(m.firstLineWidth, adv('A'));

    const Walk w = walk(text, kMetrics.data());
    EXPECT_EQ(w.glyphs, (std::vector<int>{'A', 'B', 'C'}));
    ASSERT_EQ(w.breaks.size(), 3u);
    EXPECT_EQ(w.breaks[0], std::make_pair(std::size_t{1}, adv('A')));
    EXPECT_EQ(w.breaks[1], std::make_pair(std::size_t{2}, adv('B')));
    EXPECT_EQ(w.breaks[2], std::make_pair(std::size_t{2}, 0.0f));
}

TEST(TextLayout, CodesBetweenBreaksAndPrintablesAreSkippedButMeasured) {
    // 27-30 neither draw nor break, yet they widen the first line; 31 and 127 draw.
    const std::string text = "\x1b\x1e\x1f\x7f";
    const TextMeasure m = measureText(text, kMetrics.data());
    EXPECT_EQ(m.lineBreaks, 0);
    EXPECT_FLOAT_EQ(m.firstLineWidth, adv('\x1b') + adv('\x1e') + adv('\x1f') + adv('\x7f'));
    EXPECT_EQ(walk(text, kMetrics.data()).glyphs, (std::vector<int>{31, 127}));
    EXPECT_TRUE(isLineBreak('\x1a'));
    EXPECT_FALSE(isLineBreak('\x1b'));
}

TEST(TextLayout, LineAdvanceCountsOnlyTheLineJustDrawn) {
    const Walk w = walk("AB\nCDE\n\nF", kMetrics.data());
    ASSERT_EQ(w.breaks.size(), 3u);
    EXPECT_FLOAT_EQ(w.breaks[0].second, adv('A') + adv('B'));
    EXPECT_FLOAT_EQ(w.breaks[1].second, adv('C') + adv('D') + adv('E'));
    EXPECT_FLOAT_EQ(w.breaks[2].second, 0);
}

TEST(TextLayout, PerCentSignsAreDrawnLiterally) {
    EXPECT_EQ(walk("5%d%%s%n", kMetrics.data()).glyphs,
              (std::vector<int>{'5', '%', 'd', '%', '%', 's', '%', 'n'}));
}

TEST(TextLayout, TextEndsAtNulAndAtThirtyThousandCharacters) {
    const std::string withNul("AB\0CD", 5);
    EXPECT_EQ(walk(withNul, kMetrics.data()).glyphs, (std::vector<int>{'A', 'B'}));
    EXPECT_FLOAT_EQ(measureText(withNul, kMetrics.data()).firstLineWidth, adv('A') + adv('B'));

    std::string longText(kMaxTextLength, 'x');
    longText += "\nyy";
    EXPECT_EQ(measureText(longText, kMetrics.data()).lineBreaks, 0);
    EXPECT_EQ(walk(longText, kMetrics.data()).glyphs.size(), kMaxTextLength);
}
