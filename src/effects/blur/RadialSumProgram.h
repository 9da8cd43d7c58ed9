// The radial overlay's copies added up in one pass by a small fragment program: each pixel reads
// every copy's texel from the capture and adds what blending the copy would have added, with the
// same 8-bit rounding, so the frame is blended once instead of once per copy.
#pragma once

#include "effects/blur/BlurMath.h"

struct RadialSumProgram {
    unsigned program = 0;
    bool failed = false; // no GLSL here: the copies are drawn one by one
    int copiesAt = -1, copyAt = -1, colourAt = -1, captureAt = -1;
};

// Makes the program on first use (needs a current context). False when it cannot be made.
bool prepareRadialSumProgram(RadialSumProgram& p);

// One copy: where its texture square starts inside the capture (its inset) and its alpha.
struct RadialCopy {
    float inset, alpha;
};

// Draws the sum of `copies` copies (at most kMaxRadialCopies) of the bound capture texture,
// coloured (r, g, b) x alpha each, over the quad (0, 0)-(640, 480) of the current projection,
// additively (GL_ONE, GL_ONE); leaves no program in use.
void drawRadialSum(const RadialSumProgram& p, const RadialCopy* copies, int count, float r, float g,
                   float b);
