// The 215 keyable scene values: one table that the keyframe store, the bake, playback, the
// sequence file and its text form all walk. Each entry has a stable id, a label and the place of
// its value in the scene record.
#pragma once

#include "timeline/TimelineBlock.h"

#include <array>
#include <cstdint>
#include <string_view>

class CZoetraView;

struct KeyableParam {
    const char* id;    // e.g. "text.rotate.x", "particles.gravity.speedMin"
    const char* label; // e.g. "Text Rotate X"
    // Where the value lives; exactly one of the two is set ("Flag Wave" is the one integer).
    float& (*value)(CZoetraView&);
    std::int32_t& (*intValue)(CZoetraView&);
};

const std::array<KeyableParam, kKeyableCount>& keyableParams();

// Index of the entry with this id, or -1.
int keyableIndex(std::string_view id);

// The current scene value of parameter p (the integer converted to float).
float keyableValue(const CZoetraView& v, int p);
// Writes a value into the scene (the integer truncated toward zero).
void setKeyableValue(CZoetraView& v, int p, float value);
