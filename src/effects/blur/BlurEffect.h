// The radial and motion blur as the rest of the program sees them: their keyable values, reset
// and render targets.
#pragma once

#include "effects/EffectDescriptor.h"

extern const EffectDescriptor kBlurEffect;
