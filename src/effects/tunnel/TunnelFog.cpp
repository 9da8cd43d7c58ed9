// The tunnel's fog set-up.
#include "effects/tunnel/TunnelFog.h"

#include "scene/CZoetraView.h"

#include <GL/gl.h>

#include <cmath>

namespace {
float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}
} // namespace

void applyFog(const CZoetraView& v) {
    const GLfloat colour[4] = {finiteOrZero(v.tunnelFogRed) / 255.0f,
                               finiteOrZero(v.tunnelFogGreen) / 255.0f,
                               finiteOrZero(v.tunnelFogBlue) / 255.0f, 1.0f};
    const float density = finiteOrZero(v.tunnelFogDensity);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, colour);
    glFogf(GL_FOG_DENSITY, density > 0 ? density : 0.0f);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, finiteOrZero(v.tunnelFogStart) / 10.0f);
    glFogf(GL_FOG_END, finiteOrZero(v.tunnelFogEnd) / 10.0f);
}
