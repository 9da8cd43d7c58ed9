// Scene fields of the models layer: its switches, parameter triples and simulation state.
#pragma once

#include "scene/Vec3.h"

struct ModelBlock {
};
