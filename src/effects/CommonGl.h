// GL steps several layers share: a capability switched by a flag, and light 0 as the layers'
// spot light.
#pragma once

#include <GL/gl.h>

// Enables `capability` when `on`, disables it otherwise.
inline void setCapability(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

// Light 0 as a spot light at (x, y, z) in eye coordinates, shining into the screen with a wide
// cone (cut-off 90 degrees) that is brightest along its axis (exponent 100).
inline void placeSpotLight(GLfloat x, GLfloat y, GLfloat z) {
    const GLfloat position[4] = {x, y, z, 1};
    const GLfloat direction[3] = {0, 0, -1};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 90);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 100);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
}

// What a layer drawn unlit, textured, blended and fogged hands back: lighting and texture
// coordinate generation on again; texturing, blending and fog off.
inline void leaveUnlitFoggedLayer() {
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
    glDisable(GL_FOG);
}
