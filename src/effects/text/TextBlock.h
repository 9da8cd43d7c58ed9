// Scene fields of the text layer: its switches, parameter triples and simulation state.
#pragma once

#include "scene/Vec3.h"

struct TextBlock {
};
