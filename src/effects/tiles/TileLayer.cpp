// Two tiled quads.
#include "effects/tiles/TileLayer.h"

#include "effects/CommonGl.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float kHalfSide = 2.1f;
constexpr float kRepeats = 3.0f;

// A value that is not finite is drawn as 0.
float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

struct Quad {
    float rotate[3];
    float position[3];
    float roll[2];
    float opaque, hidden;
    unsigned texture;
};

Quad quad(const CZoetraView& v, int n) {
    if (n == 0)
        return {{v.tileRotateX1, v.tileRotateY1, v.tileRotateZ1},
                {v.tilePosX1, v.tilePosY1, v.tilePosZ1},
                {v.tileRollX1, v.tileRollY1},
                v.tileOpaque1,
                v.tileHidden1,
                v.tileTexture1};
    return {{v.tileRotateX2, v.tileRotateY2, v.tileRotateZ2},
            {v.tilePosX2, v.tilePosY2, v.tilePosZ2},
            {v.tileRollX2, v.tileRollY2},
            v.tileOpaque2,
            v.tileHidden2,
            v.tileTexture2};
}

void drawQuad(const Quad& q) {
    glLoadIdentity();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_LIGHTING);
    // Quad 2 sets it too, so that it does not depend on quad 1 being drawn.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    setCapability(GL_BLEND, !isOn(q.opaque));
    glBindTexture(GL_TEXTURE_2D, q.texture);
    glColor3f(1, 1, 1);

    glTranslatef(finiteOrZero(q.position[0]) / 20.0f, finiteOrZero(q.position[1]) / 20.0f,
                 finiteOrZero(q.position[2]) / 20.0f);
    glRotatef(finiteOrZero(q.rotate[0]), 1, 0, 0);
    glRotatef(finiteOrZero(q.rotate[1]), 0, 1, 0);
    glRotatef(finiteOrZero(q.rotate[2]), 0, 0, 1);

    const float a = finiteOrZero(q.roll[0]) / 100.0f;
    const float b = finiteOrZero(q.roll[1]) / 100.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(a + kRepeats, b + kRepeats);
    glVertex3f(-kHalfSide, -kHalfSide, 0);
    glTexCoord2f(a, b + kRepeats);
    glVertex3f(kHalfSide, -kHalfSide, 0);
    glTexCoord2f(a, b);
    glVertex3f(kHalfSide, kHalfSide, 0);
    glTexCoord2f(a + kRepeats, b);
    glVertex3f(-kHalfSide, kHalfSide, 0);
    glEnd();
}

} // namespace

void drawTiles(CZoetraView& v) {
    for (int n = 0; n < 2; ++n) {
        const Quad q = quad(v, n);
        // A quad is drawn while its hide switch is off; 1.5 is neither and hides it too.
        if (isOff(q.hidden)) drawQuad(q);
    }
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
