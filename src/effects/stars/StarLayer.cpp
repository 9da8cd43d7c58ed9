// Star spiral: the star table laid out at start-up, the stars slot and its blur-source redraw.
#include "effects/stars/StarLayer.h"

#include "scene/CZoetraView.h"
#include "scene/Random.h"
#include "scene/Switch.h"

#include <GL/gl.h>

namespace {

// How many stars a star number draws: every whole star below it (so a fractional number draws
// the next star too), at most the table, none for a number that is no number.
int starsToDraw(float number) {
    int n = 0;
    while (n < kStarCount && static_cast<float>(n) < number)
        ++n;
    return n;
}

// Star alpha for multi-colour mode: half the fade, whole, within a byte.
GLubyte halfAlpha(float fade) {
    const float half = fade / 2;
    if (!(half > 0)) return 0;
    return half >= 255 ? 255 : static_cast<GLubyte>(static_cast<int>(half));
}

void enterStarState(const CZoetraView& v) {
    glLoadIdentity();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, v.starTexture);
}

void leaveStarState() {
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
}

// The spiral's frame, then out along star `star` and turned back to face the viewer.
void placeStar(const CZoetraView& v, const Star& star) {
    glLoadIdentity();
    glTranslatef(v.starPanX / 5, v.starPanY / 5, v.starZoom / 3);
    glRotatef(v.starRotateY, 0, 1, 0);
    glRotatef(v.starRotateX, 1, 0, 0);
    glRotatef(star.angle + v.starRotateZ, 0, 1, 0);
    glTranslatef(star.distance - v.starSpacing / 10, 0, 0);
    glRotatef(-star.angle - v.starRotateZ, 0, 1, 0);
    glRotatef(-v.starRotateX, 1, 0, 0);
    glRotatef(-v.starRotateY, 0, 1, 0);
}

void drawSprite() {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, -1, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-1, 1, 0);
    glEnd();
}

} // namespace

void buildStarTable(CZoetraView& v) {
    const int count = starsToDraw(v.starNumber);
    for (int i = 0; i < count; ++i) {
        Star& star = v.stars[i];
        star.angle = 0;
        star.distance = static_cast<float>(i) / 300.0f * 5.0f;
        star.starRedByte = crand() % 256;
        star.starGreenByte = crand() % 256;
        star.starBlueByte = crand() % 256;
    }
}

void updateStarAngle(CZoetraView& v, int i) {
    v.stars[i].angle = v.starDirection + static_cast<float>(i) * v.starDirection * 10.0f / 300.0f;
}

void drawStars(CZoetraView& v) {
    enterStarState(v);
    const int count = starsToDraw(v.starNumber);
    for (int i = 0; i < count; ++i) {
        const Star& star = v.stars[i];
        placeStar(v, star);
        if (isOn(v.starSingleColour))
            glColor4f(v.starRed / 255, v.starGreen / 255, v.starBlue / 255, v.starAlphaFade / 255);
        glRotatef(v.starSpin, 0, 0, 1);
        if (!(v.starAlphaFade > 0)) v.starAlphaFade = 1; // also a fade that is no number
        if (isOff(v.starSingleColour))
            glColor4ub(GLubyte(star.starRedByte), GLubyte(star.starGreenByte),
                       GLubyte(star.starBlueByte), halfAlpha(v.starAlphaFade));
        drawSprite();
        updateStarAngle(v, i); // drawn from the next frame on
    }
    leaveStarState();
}

void drawStarsBlurSource(CZoetraView& v) {
    enterStarState(v);
    const int count = starsToDraw(v.starNumber);
    for (int i = 0; i < count; ++i) {
        const Star& star = v.stars[i];
        placeStar(v, star);
        glColor4ub(GLubyte(star.starRedByte), GLubyte(star.starGreenByte),
                   GLubyte(star.starBlueByte), 255);
        drawSprite();
        updateStarAngle(v, i);
    }
    leaveStarState();
}
