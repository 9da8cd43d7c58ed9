// Extruded 3D text: glyph display lists, the text layout in GL and the text slot.
#include "effects/text/TextLayer.h"

#include "effects/CommonGl.h"
#include "effects/text/GlyphMesh.h"
#include "effects/text/GlyphOutlines.h"
#include "effects/text/TextLayout.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>

#include <cmath>

namespace {

void emitOutlines(const GlyphOutline& glyph) {
    glNormal3f(0, 0, 1);
    for (const GlyphContour& contour : glyph.contours) {
        glBegin(GL_LINE_LOOP);
        for (QPointF p : contour)
            glVertex3d(p.x(), p.y(), 0);
        glEnd();
    }
}

void emitSolid(const GlyphMesh& mesh) {
    if (!mesh.faceTriangles.empty()) {
        glBegin(GL_TRIANGLES);
        glNormal3f(0, 0, 1);
        for (QPointF p : mesh.faceTriangles)
            glVertex3d(p.x(), p.y(), 0);
        glNormal3f(0, 0, -1);
        for (std::size_t i = mesh.faceTriangles.size(); i-- > 0;)
            glVertex3d(mesh.faceTriangles[i].x(), mesh.faceTriangles[i].y(), -kGlyphExtrusion);
        glEnd();
    }
    if (!mesh.wallQuads.empty()) {
        glBegin(GL_QUADS);
        for (const WallVertex& w : mesh.wallQuads) {
            glNormal3f(w.nx, w.ny, w.nz);
            glVertex3f(w.x, w.y, w.z);
        }
        glEnd();
    }
}

// The material follows the spot-light colour while "User Defined" applies: without a Text page,
// or while the page's material combo has that entry (0) selected.
bool userDefinedMaterial(const CZoetraView& v) {
    return !v.pageExists(DeckPage::Text) || v.textMaterialEntry == kMaterialUserDefined;
}

void enableSphereMap() {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

void setTexGenMode(GLint mode) {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, mode);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, mode);
}

void applySurfaceStyle(float style) {
    if (style == kStyleReflectionMap) {
        glColor3f(1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        enableSphereMap();
    } else if (style == kStyleGlass) {
        glColor3f(1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        enableSphereMap();
    } else if (style == kStyleSingleColour) {
        glDisable(GL_TEXTURE_2D);
    } else if (style == kStyleTexturedObject) {
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glColor3f(1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        setTexGenMode(GL_OBJECT_LINEAR);
        // The filters go to the texture still bound from before the slot, which the text's own
        // is bound after: the text texture keeps its mipmaps.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else if (style == kStyleTexturedEye) {
        glColor3f(1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        setTexGenMode(GL_EYE_LINEAR);
    }
}

void bindTextTexture(const CZoetraView& v) {
    const bool userTexture = v.textUseDefaultTexture <= 1.0f && v.assetPathMode == 2;
    glBindTexture(GL_TEXTURE_2D, userTexture ? v.textUserTexture : v.textDefaultTexture);
}

void applyMaterial(const CZoetraView& v) {
    if (!userDefinedMaterial(v)) return;
    const Vec3 c = v.spotColour / 255.0f;
    const GLfloat colour[4] = {c.x, c.y, c.z, 1};
    glMaterialfv(GL_FRONT, GL_AMBIENT, colour);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
    glMaterialfv(GL_FRONT, GL_SPECULAR, colour);
    glMaterialf(GL_FRONT, GL_SHININESS, c.x);
    const Vec3 font = v.fontColour / 255.0f;
    glColor3f(font.x, font.y, font.z);
}

void applySpotLight(const CZoetraView& v) {
    const Vec3 p = v.spotPosition / 100.0f;
    placeSpotLight(p.x, p.y, p.z);
}

// Position, rotation and scale of the text block.
void placeText(const CZoetraView& v) {
    glTranslatef(v.textPosition.x / 50, v.textPosition.y / 50, (v.textPosition.z - 200) / 50);
    glRotatef(v.textRotation.x, 1, 0, 0);
    glRotatef(v.textRotation.y, 0, 1, 0);
    glRotatef(v.textRotation.z, 0, 0, 1);
    glScalef(v.textScale.x / 50, v.textScale.y / 50, v.textScale.z / 10);
}

} // namespace

void buildTextLists(CZoetraView& v) {
    if (v.textListBase != 0) glDeleteLists(v.textListBase, kGlyphCount);
    v.textListBase = glGenLists(kGlyphCount);
    // Outlines while the page's style combo shows "WireFrame", and whenever the switch is on.
    const bool outlines = isOn(v.textWireframe) || (v.pageExists(DeckPage::Text) &&
                                                    v.textStyleEntry == kStyleEntryWireFrame);
    const QRawFont font = resolveTextFont(v.fontFace, v.fontWeight, v.fontItalic != 0);

    // Codes 0-254 get a list; 255 reads as a line break and is never drawn.
    for (int code = 0; code < kGlyphCount - 1; ++code) {
        const GlyphOutline glyph = glyphOutline(font, code);
        v.glyphMetrics[code] = glyph.metrics;
        glNewList(v.textListBase + code, GL_COMPILE);
        if (outlines)
            emitOutlines(glyph);
        else
            emitSolid(buildGlyphMesh(glyph));
        glTranslatef(glyph.metrics.cellIncX, glyph.metrics.cellIncY, 0);
        glEndList();
    }
    v.glyphMetrics[kGlyphCount - 1] = GlyphMetrics{};
}

void drawText(const CZoetraView& v, std::string_view text) {
    glEnable(GL_COLOR_MATERIAL);
    if (v.textListBase == 0) return;
    const Vec3 offset = textBlockOffset(measureText(text, v.glyphMetrics));
    glTranslatef(offset.x, offset.y, offset.z);

    const Vec3 spacing = v.charSpacing / 200.0f;
    const Vec3 twist = v.textTwist / 10.0f;
    const Vec3 lineStep = v.lineSpacing / 200.0f;
    walkText(
        text, v.glyphMetrics,
        [&](int code) {
            // Neither the spacing nor the twist is undone: both accumulate along the text.
            glTranslatef(spacing.x, spacing.y, spacing.z);
            glRotatef(twist.x, 1, 0, 0);
            glRotatef(twist.y, 0, 1, 0);
            glRotatef(twist.z, 0, 0, 1);
            glCallList(v.textListBase + code);
        },
        [&](float lineAdvance) {
            glTranslatef(-lineAdvance - lineStep.x, lineStep.y, lineStep.z);
        });
}

void drawTextSlot(CZoetraView& v) {
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    setCapability(GL_LIGHTING, isOn(v.textLighting));

    applySurfaceStyle(v.textStyle);
    bindTextTexture(v);
    applyMaterial(v);
    applySpotLight(v);
    if (v.textStyle == kStyleReflectionMap || v.textStyle >= kStyleSingleColour) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    const Vec3 colour = v.fontColour / 205.0f;
    glColor4f(colour.x, colour.y, colour.z, v.textFade / 255);

    if (isOn(v.textOn)) {
        placeText(v);
        drawText(v, v.textString);
    }

    if (isOn(v.textShiny)) {
        glLoadIdentity();
        enableSphereMap();
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, v.reflectionTexture);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        placeText(v);
        if (isOn(v.textOn)) drawText(v, v.textString);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
    }

    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void normaliseTextAngles(Vec3& angles) {
    // Whole turns of 720 come off at once, so even huge angles take one step; an angle that is
    // not a number at all starts again from 0.
    for (float* a : {&angles.x, &angles.y, &angles.z}) {
        if (!std::isfinite(*a)) {
            *a = 0;
            continue;
        }
        if (*a >= -360 && *a <= 360) continue;
        *a = std::fmod(*a, 720.0f);
        if (*a > 360)
            *a -= 720;
        else if (*a < -360)
            *a += 720;
    }
}
