// Particle layer drawing.
#include "effects/particles/ParticleLayer.h"

#include "scene/CZoetraView.h"

void drawParticles(CZoetraView&) {}
void drawParticlesBlurSource(CZoetraView&) {}
