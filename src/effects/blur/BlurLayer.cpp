// Radial and motion blur: render targets, captures and overlays.
#include "effects/blur/BlurLayer.h"

#include "scene/CZoetraView.h"

void createBlurTargets(CZoetraView&) {}
void captureMotionBlur(CZoetraView&) {}
void prepareRadialBlur(CZoetraView&) {}
void drawRadialBlurMain(CZoetraView&) {}
void drawModelRadialBlur(CZoetraView&, int) {}
void drawMotionBlurOverlay(CZoetraView&) {}
