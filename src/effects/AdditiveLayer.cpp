// The single-sample picture of an additive layer and its one pass over the frame.
#include "effects/AdditiveLayer.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace {

// The target of that size, or the one to make at that size.
OverlayTarget& targetFor(AdditiveTargets& t, int width, int height) {
    for (OverlayTarget& target : t.sized)
        if (target.fbo != 0 && target.width == width && target.height == height) return target;
    return t.sized[0].fbo == 0 ? t.sized[0] : t.sized[1];
}

} // namespace

bool AdditiveLayerPass::begin(AdditiveTargets& targets) {
    glGetIntegerv(GL_VIEWPORT, viewport_);
    OverlayTarget& target = targetFor(targets, viewport_[2], viewport_[3]);
    if (!prepareOverlayTarget(target, viewport_[2], viewport_[3])) return false;
    target_ = &target;
    previous_ = currentFramebuffers();
    beginOverlay(target);
    return true;
}

void AdditiveLayerPass::end() {
    GLint blendSrc = 0, blendDst = 0, texture = 0, matrixMode = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &blendSrc);
    glGetIntegerv(GL_BLEND_DST_RGB, &blendDst);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glPushAttrib(GL_ENABLE_BIT);

    bindFramebuffers(previous_);
    glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, target_->texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(1, 0);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(0, 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();

    glPopAttrib();
    glMatrixMode(GLenum(matrixMode));
    glBlendFunc(GLenum(blendSrc), GLenum(blendDst));
    glBindTexture(GL_TEXTURE_2D, GLuint(texture));
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
}
