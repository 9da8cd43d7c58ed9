// Radial and motion blur: render targets, captures and overlays.
#pragma once

class CZoetraView;

void createBlurTargets(CZoetraView& v);
void captureMotionBlur(CZoetraView& v);
void prepareRadialBlur(CZoetraView& v);
void drawRadialBlurMain(CZoetraView& v);
void drawModelRadialBlur(CZoetraView& v, int index);
void drawMotionBlurOverlay(CZoetraView& v);
