// Particle layer drawing.
#pragma once

class CZoetraView;

void drawParticles(CZoetraView& v);
// The particles again for a blur capture: stepped once more, without fog or warm-up.
void drawParticlesBlurSource(CZoetraView& v);
