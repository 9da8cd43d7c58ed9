// Radial and motion blur: render targets, captures and overlays.
#include "effects/blur/BlurLayer.h"

#include "assets/TextureLoaders.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>

void createBlurTargets(CZoetraView& v) {
    v.radialBlurTexture = createBlankTexture512();
    v.modelBlurTexture1 = createBlankTexture512();
    v.modelBlurTexture2 = createBlankTexture512();
    v.modelBlurTexture3 = createBlankTexture512();
    createBlankTexture(&v.motionBlurTexture, 512, 3, GL_RGB, 0);
}
void captureMotionBlur(CZoetraView&) {}
void prepareRadialBlur(CZoetraView&) {}
void drawRadialBlurMain(CZoetraView&) {}
void drawModelRadialBlur(CZoetraView&, int) {}
void drawMotionBlurOverlay(CZoetraView&) {}
