// Scene fields of the stars layer: its switches, parameter triples and simulation state.
#pragma once

#include "scene/Vec3.h"

struct StarBlock {
};
