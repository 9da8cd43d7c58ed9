// One star of the spiral: its own colour and its place about the spiral's axis.
#pragma once

constexpr int kStarCount = 300;

struct Star {
    int starRedByte = 0, starGreenByte = 0, starBlueByte = 0; // 0-255
    float distance = 0;                                       // from the spiral's axis
    float angle = 0; // degrees about the axis, recomputed every frame
};
