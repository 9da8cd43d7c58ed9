// The frame composer's own fog colour, used with the tunnel's fog values (black; no control sets
// it).
#pragma once

#include "scene/Vec3.h"

struct FogBlock {
    Vec3 fogColour{0, 0, 0}; // red, green, blue, 0-255
};
