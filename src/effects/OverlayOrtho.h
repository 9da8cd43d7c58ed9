// The overlay bracket: an orthographic projection with y growing downwards, for drawing in
// window pixels, and the return to the projection before it.
#pragma once

#include <GL/gl.h>

// Projects (0, 0)-(width, height) onto the viewport, y growing downwards; the projection before
// is pushed, and the model-view matrix reset.
inline void beginOrtho(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Pops the projection pushed by beginOrtho.
inline void endOrtho() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
