// Pictures: the wave grid, the sheets' sizes and their drawing.
#include "effects/pictures/PictureLayer.h"

#include "effects/CommonGl.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>

namespace {

constexpr int kCells = kPictureGrid - 1; // quads per side

float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

// Light 0 in front of the pictures, pointing into the screen (eye coordinates).
void placeLight(const CZoetraView& v) {
    placeSpotLight(finiteOrZero(v.pictureLight.x), finiteOrZero(v.pictureLight.y),
                   finiteOrZero(v.picturePan.z / 8.0f + v.pictureLight.z));
}

void setLighting(const CZoetraView& v) {
    setCapability(GL_LIGHTING, isOn(v.pictureLighting));
}

// The shared transform, with the sheet `depth` units into the screen.
void placeSheet(const CZoetraView& v, float depth) {
    const Vec3& pan = v.picturePan;
    const float z = pan.z / 8.0f - depth;
    glTranslatef(finiteOrZero(pan.x / 8.0f), finiteOrZero(pan.y / 8.0f), finiteOrZero(z));
    glRotatef(finiteOrZero(v.pictureRotation.x), 1, 0, 0);
    glRotatef(finiteOrZero(v.pictureRotation.y), 0, 1, 0);
    glRotatef(finiteOrZero(v.pictureRotation.z), 0, 0, 1);
    glScalef(finiteOrZero(v.pictureScale.x / 10.0f), finiteOrZero(v.pictureScale.y / 10.0f),
             finiteOrZero(v.pictureScale.z));
}

void emitPoint(const CZoetraView& v, int i, int j) {
    const Vec3& p = v.pictureGrid[i][j];
    glTexCoord2f(float(i) / kCells, float(j) / kCells);
    glVertex3f(p.x, p.y, p.z);
}

// One sheet: the grid in the picture's size, its depth scaled by the wavy value.
void drawSheet(const CZoetraView& v, int index, unsigned texture, float alpha) {
    const PictureMesh& mesh = v.pictureMesh[index];
    if (!mesh.drawable) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glScalef(mesh.width, mesh.height, finiteOrZero(-1.0f - v.pictureWavy / 1000.0f));
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, alpha);
    for (int i = 0; i < kCells; ++i)
        for (int j = 0; j < kCells; ++j) {
            emitPoint(v, i, j);
            emitPoint(v, i, j + 1);
            emitPoint(v, i + 1, j + 1);
            emitPoint(v, i + 1, j);
        }
    glEnd();
}

void prepareSheet() {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glLoadIdentity();
}

} // namespace

float pictureWaveDepth(int column, int flagWave) {
    // In double: the degrees of a large phase are exact there, and 8 * column + flagWave does
    // not overflow.
    const double degrees = 8.0 * column + double(flagWave);
    return float(std::sin(2.0 * std::numbers::pi * degrees / 360.0));
}

void buildPictureGrid(CZoetraView& v) {
    for (int i = 0; i < kPictureGrid; ++i) {
        const float z = pictureWaveDepth(i, 0);
        for (int j = 0; j < kPictureGrid; ++j)
            v.pictureGrid[i][j] = {float(i) / 5.0f - 4.5f, float(j) / 5.0f - 4.5f, z};
    }
}

void updatePictureWave(CZoetraView& v) {
    for (int i = 0; i < kPictureGrid; ++i) {
        const float z = pictureWaveDepth(i, v.flagWave);
        for (int j = 0; j < kPictureGrid; ++j)
            v.pictureGrid[i][j].z = z;
    }
}

void rebuildPictureMesh(CZoetraView& v, int index) {
    if (index < 0 || index > 1) return;
    const NaturalSize size = v.pictureNaturalSize[index];
    PictureMesh& mesh = v.pictureMesh[index];
    mesh.drawable = size.width > 0 && size.height > 0;
    mesh.width = mesh.drawable ? float(size.width) / 1000.0f : 0.0f;
    mesh.height = mesh.drawable ? float(size.height) / 1000.0f : 0.0f;
}

void drawPictures(CZoetraView& v) {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    const float fade = finiteOrZero(v.pictureFade) / 255.0f;
    const float separation = v.pictureSeparation;

    // Unlit, picture 2 adds alpha x its colour and writes no depth (the test is off): at alpha 0
    // (fade 0, the start-up look) drawing it would change no pixel, so it is skipped.
    const bool picture2Adds = isOn(v.pictureLighting) || v.pictureAlpha[1] != 0.0f;
    if (!isOn(v.picture2Off) && picture2Adds) {
        prepareSheet();
        setLighting(v);
        placeLight(v);
        placeSheet(v, 550.0f + separation);
        drawSheet(v, 1, v.pictureTexture2, v.pictureAlpha[1]);
    }

    prepareSheet();
    glCullFace(GL_BACK); // the face to cull, were culling on; the sheets are seen from both sides
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_LIGHT0);
    setLighting(v);
    placeLight(v);
    placeSheet(v, 500.0f - separation);
    drawSheet(v, 0, v.pictureTexture1, v.pictureAlpha[0]);

    // The fade is read after the colours are set: this frame's value shows in the next.
    v.pictureAlpha[0] = 1.0f - fade;
    v.pictureAlpha[1] = fade;

    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
