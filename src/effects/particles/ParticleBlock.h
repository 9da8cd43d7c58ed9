// Scene fields of the particles layer: its switches, parameter triples and simulation state.
#pragma once

#include "scene/Vec3.h"

struct ParticleBlock {
};
