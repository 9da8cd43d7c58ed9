// Fogged tunnel drawing.
#include "effects/tunnel/TunnelLayer.h"

#include "effects/CommonGl.h"
#include "effects/tunnel/TunnelFog.h"
#include "effects/tunnel/TunnelGrid.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>

#include <cmath>

namespace {

float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

void emitCorner(const CZoetraView& v, int i, int j) {
    const TunnelTexCoord& c = v.tunnelTexCoord[i][j];
    const Vec3& p = v.tunnelVertex[i][j];
    glTexCoord2f(c.u, c.v);
    glVertex3f(p.x, p.y, p.z);
}

} // namespace

void drawTunnel(CZoetraView& v) {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    // The wall glows over what is behind it, whichever layers ran before.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_DEPTH_TEST);

    const bool drawable = buildTunnelFrame(v);

    applyFog(v);
    glEnable(GL_FOG);
    glLoadIdentity();
    // The colour is not scaled: any channel of 1 or more is at full strength.
    glColor3f(finiteOrZero(v.tunnelRed), finiteOrZero(v.tunnelGreen), finiteOrZero(v.tunnelBlue));
    const float x = v.tunnelPosX / 10.0f, y = v.tunnelPosY / 10.0f, z = v.tunnelPosZ / 10.0f;
    if (drawable && std::isfinite(x) && std::isfinite(y) && std::isfinite(z)) {
        glTranslatef(x, y, z);
        for (int i = 0; i + 1 < kTunnelGrid; ++i) {
            glBindTexture(GL_TEXTURE_2D, v.tunnelTexture);
            glBegin(GL_QUADS);
            for (int j = 0; j + 1 < kTunnelGrid; ++j) {
                emitCorner(v, i, j);
                emitCorner(v, i + 1, j);
                emitCorner(v, i + 1, j + 1);
                emitCorner(v, i, j + 1);
            }
            glEnd();
        }
    }

    leaveUnlitFoggedLayer();
}
