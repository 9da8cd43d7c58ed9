// The extruded text drawn headlessly: the default scene, the surface styles, outlines, the shiny
// pass, layout and transforms, each compared with its golden image and probed where a property
// is easy to state.
#include "effects/text/TextLayer.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/GoldenImage.h"
#include "support/SceneRenderTest.h"
#include "support/TempProfile.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

constexpr int kFrameWidth = 360; // the 3:2 shape of the default video size, small
constexpr int kFrameHeight = 240;

int brightness(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c);
}

long inkCount(const QImage& frame) {
    long n = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            n += brightness(frame.pixel(x, y)) > 3 * 24 ? 1 : 0;
    return n;
}

// The colour most ink pixels have.
QRgb commonestInk(const QImage& frame) {
    std::map<QRgb, long> counts;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (brightness(frame.pixel(x, y)) > 3 * 24) ++counts[frame.pixel(x, y) | 0xff000000u];
    QRgb best = 0;
    long most = 0;
    for (const auto& [colour, n] : counts)
        if (n > most) {
            best = colour;
            most = n;
        }
    return best;
}

// Share of the pixels inked in either frame that are inked in both.
double inkOverlap(const QImage& a, const QImage& b) {
    long both = 0, either = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const bool ia = brightness(a.pixel(x, y)) > 3 * 24;
            const bool ib = brightness(b.pixel(x, y)) > 3 * 24;
            both += ia && ib;
            either += ia || ib;
        }
    return either ? double(both) / double(either) : 0;
}

class TextRender : public SceneRenderTest {
  protected:
    TextRender() : SceneRenderTest(kFrameWidth, kFrameHeight) {}
};

} // namespace

TEST_F(TextRender, DefaultSceneShowsTheWordInGoldCentred) {
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "text-default"));
    const QRect ink = inkBounds(frame);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), kFrameWidth / 2, 12);
    EXPECT_NEAR(ink.center().y(), kFrameHeight / 2, 24);
    EXPECT_GT(ink.width(), kFrameWidth * 3 / 4);
    const QRgb gold = meanInk(frame, ink);
    EXPECT_GT(qRed(gold), qGreen(gold));
    EXPECT_GT(qGreen(gold), qBlue(gold) + 20);
}

TEST_F(TextRender, SingleColourIsTheFontColourOverTwoHundredAndFive) {
    view->textStyle = kStyleSingleColour;
    view->fontColour = {205, 102, 0};
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "text-style-single-colour"));
    // Inside the letters (away from their smoothed edges) every pixel has the one colour.
    const QRgb c = commonestInk(frame);
    EXPECT_EQ(qRed(c), 255);
    EXPECT_NEAR(qGreen(c), 128, 1);
    EXPECT_EQ(qBlue(c), 0);
}

TEST_F(TextRender, GlassAddsToWhatIsBehind) {
    view->textStyle = kStyleGlass;
    glClearColor(0, 0, 0.5f, 1);
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "text-style-glass"));
    // Additive: the blue background shows through the letters, which only get brighter.
    const QRect ink = inkBounds(frame, qRgb(0, 0, 128));
    ASSERT_FALSE(ink.isEmpty());
    const QRgb c = meanInk(frame, ink, qRgb(0, 0, 128));
    EXPECT_GE(qBlue(c), 124);
}

TEST_F(TextRender, TexturedStylesAndReflectionMapDiffer) {
    view->textStyle = kStyleTexturedObject;
    const QImage object = render();
    EXPECT_TRUE(matchesGolden(object, "text-style-textured-object"));
    view->textStyle = kStyleTexturedEye;
    const QImage eye = render();
    EXPECT_TRUE(matchesGolden(eye, "text-style-textured-eye"));
    view->textStyle = kStyleReflectionMap;
    const QImage reflection = render();
    EXPECT_TRUE(matchesGolden(reflection, "text-style-reflection-map"));
    // Same letters, different texturing.
    EXPECT_GT(inkOverlap(object, eye), 0.9);
    EXPECT_NE(object, eye);
    EXPECT_NE(object, reflection);
}

// "Textured (Object)" sets linear filters before the text's texture is bound: they land on the
// texture the slot found bound, and the text texture keeps its mipmaps.
TEST_F(TextRender, ObjectLinearStyleFiltersTheTextureBoundBeforeTheSlot) {
    render();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound); // the text slot drew last
    const GLuint text = GLuint(bound);
    GLint textFilter = 0;
    glBindTexture(GL_TEXTURE_2D, text);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &textFilter);
    ASSERT_NE(textFilter, GL_LINEAR);

    GLuint earlier = 0;
    glGenTextures(1, &earlier);
    glBindTexture(GL_TEXTURE_2D, earlier);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    view->textStyle = kStyleTexturedObject;
    drawTextSlot(*view);
    GLint min = 0, mag = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), text);
    glBindTexture(GL_TEXTURE_2D, earlier);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    EXPECT_EQ(min, GL_LINEAR);
    EXPECT_EQ(mag, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, text);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    EXPECT_EQ(min, textFilter);

    // Frames later, with another style, the text is still drawn from its mipmaps.
    view->textStyle = kStyleReflectionMap;
    render();
    glBindTexture(GL_TEXTURE_2D, text);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    EXPECT_EQ(min, textFilter);
    glDeleteTextures(1, &earlier);
}

TEST_F(TextRender, WireframeDrawsOnlyOutlines) {
    const long solid = inkCount(render());
    view->textWireframe = 2;
    buildTextLists(*view);
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "text-wireframe"));
    EXPECT_GT(inkCount(frame), 0);
    EXPECT_LT(inkCount(frame), solid / 2);
}

TEST_F(TextRender, ShinyPassBrightensAndLeavesTexturingOff) {
    view->textStyle = kStyleSingleColour;
    view->fontColour = {102, 102, 102};
    const QImage plain = render();
    view->textShiny = 2;
    const QImage shiny = render();
    EXPECT_TRUE(matchesGolden(shiny, "text-shiny"));
    EXPECT_GT(brightness(meanInk(shiny, inkBounds(shiny))),
              brightness(meanInk(plain, inkBounds(plain))) + 30);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
}

TEST_F(TextRender, TwoLinesStackBelowEachOther) {
    const QRect one = inkBounds(render());
    view->textString = "Luma\r\ntoy";
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "text-two-lines"));
    const QRect two = inkBounds(frame);
    EXPECT_GT(two.height(), one.height() * 3 / 2);
    EXPECT_LT(two.width(), one.width() * 3 / 4);
    // Both lines start at the same left edge (give or take the letters' side bearings).
    const QRect top = inkBounds(frame.copy(0, two.top(), kFrameWidth, two.height() / 3));
    const QRect bottom = inkBounds(frame.copy(0, two.bottom() - two.height() / 3, kFrameWidth, 10));
    EXPECT_NEAR(top.left(), bottom.left(), 8);
}

TEST_F(TextRender, TwistAndSpacingAccumulateAlongTheText) {
    view->textString = "Luma";
    const QRect straight = inkBounds(render());
    view->textTwist = {0, 0, 100};
    const QImage twisted = render();
    EXPECT_TRUE(matchesGolden(twisted, "text-twist-z"));
    // Each letter turns 10 degrees more than the one before: the word curls upwards.
    const QRect curl = inkBounds(twisted);
    EXPECT_GT(curl.height(), straight.height() * 3 / 2);
    const QRect left = inkBounds(twisted.copy(0, 0, curl.center().x(), kFrameHeight));
    const QRect right = inkBounds(
        twisted.copy(curl.center().x(), 0, kFrameWidth - curl.center().x(), kFrameHeight));
    EXPECT_LT(right.top() + 20, left.top());

    view->textTwist = {0, 0, 0};
    view->textString = "Lum";
    const QRect close = inkBounds(render());
    view->charSpacing = {40, 0, 0};
    const QImage spaced = render();
    EXPECT_TRUE(matchesGolden(spaced, "text-char-spacing"));
    // 0.2 more before each of three letters; the centring does not count spacing.
    EXPECT_GT(inkBounds(spaced).width(), close.width() + 20);
    EXPECT_GT(inkBounds(spaced).left(), close.left());
}

TEST_F(TextRender, FadeHalvesTheLetters) {
    view->textStyle = kStyleSingleColour;
    const QImage full = render();
    view->textFade = 128;
    const QImage faded = render();
    EXPECT_TRUE(matchesGolden(faded, "text-fade-128"));
    const double ratio = double(brightness(meanInk(faded, inkBounds(full)))) /
                         double(brightness(meanInk(full, inkBounds(full))));
    EXPECT_NEAR(ratio, 0.5, 0.06);
}

TEST_F(TextRender, HalfTurnAboutYMirrorsTheWord) {
    view->textStyle = kStyleSingleColour;
    const QImage front = render();
    view->textRotation = {0, 180, 0};
    const QImage back = render();
    EXPECT_TRUE(matchesGolden(back, "text-rotate-y-180"));
    EXPECT_GT(inkOverlap(back, front.mirrored(true, false)), 0.75);
    EXPECT_LT(inkOverlap(back, front), 0.6);
}

TEST_F(TextRender, SlotStateAndBindings) {
    view->textOn = 0;
    const QImage empty = render();
    EXPECT_TRUE(inkBounds(empty).isEmpty());
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint src = 0, dst = 0, bound = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);

    // The user's texture is bound once a user path is in force, the built-in one otherwise.
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), view->textUserTexture);
    view->textUseDefaultTexture = 2;
    render();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), view->textDefaultTexture);
    view->textUseDefaultTexture = 0;
    view->assetPathMode = 0;
    render();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), view->textDefaultTexture);

    // The material follows the spot-light colour; the spot light sits at its position / 100.
    view->spotColour = {51, 102, 255};
    render();
    GLfloat specular[4], shininess = 0, light[4], exponent = 0;
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    glGetLightfv(GL_LIGHT0, GL_POSITION, light);
    glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, &exponent);
    EXPECT_NEAR(specular[0], 0.2f, 1e-3);
    EXPECT_NEAR(specular[2], 1.0f, 1e-3);
    EXPECT_NEAR(shininess, 0.2f, 1e-3);
    EXPECT_FLOAT_EQ(light[2], 40.0f);
    EXPECT_FLOAT_EQ(exponent, 100.0f);
}

TEST_F(TextRender, FontChangeRebuildsTheLists) {
    const float before = view->glyphMetrics['W'].cellIncX;
    const unsigned oldBase = view->textListBase;
    view->fontFace = "DejaVu Sans Mono";
    buildTextLists(*view);
    EXPECT_NE(view->glyphMetrics['W'].cellIncX, before);
    EXPECT_FLOAT_EQ(view->glyphMetrics['W'].cellIncX, view->glyphMetrics['i'].cellIncX);
    EXPECT_TRUE(glIsList(view->textListBase + 'W'));
    // The previous lists are gone unless their names were handed out again.
    if (view->textListBase != oldBase) {
        EXPECT_FALSE(glIsList(oldBase + 'W'));
    }
    EXPECT_FALSE(inkBounds(render()).isEmpty());
}
