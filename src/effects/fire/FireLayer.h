// Fire: the particle pool and its drawing.
#pragma once

class CZoetraView;

// Start-up: 300 dead flames at the spawn origin (0, 0, 0).
void buildFirePool(CZoetraView& v);

// The time units each copy steps the pool by: the fire life plus the fire number plus 1, whole
// (0 when that is no number).
int fireTimeStep(const CZoetraView& v);
// After playback of a loaded sequence ended: raises a fire life at or below -180 by 20 per
// frame, and ends the request once the life reaches -1.
void rampFireLife(CZoetraView& v);

// The fire slot of both composers: fire numbers at or below 116 become 118, one copy of the pool
// per step along the chain (50 - number / 5 copies), and in the live composer the ramp.
void drawFire(CZoetraView& v);
// The fire chain again for a blur capture; the radial capture raises a low fire number to 243
// instead of 118.
void drawFireBlurSource(CZoetraView& v, bool radialCapture);
