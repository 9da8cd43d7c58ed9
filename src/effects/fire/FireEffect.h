// The fire layer as the rest of the program sees it: its keyable values, reset, loads and
// sequence reload. It has no page: sequence files and keys set it.
#pragma once

#include "effects/EffectDescriptor.h"

extern const EffectDescriptor kFireEffect;
