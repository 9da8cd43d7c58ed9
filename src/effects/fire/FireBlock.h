// Scene fields of the fire layer: its switches, parameter triples and simulation state.
#pragma once

#include "scene/Vec3.h"

struct FireBlock {
};
