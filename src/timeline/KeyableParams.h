// The keyable scene values (215 today): one table that the keyframe store, the bake, playback, the
// sequence file and its text form all walk. Each entry has a stable id, a label and the place of
// its value in the scene record; the effects declare them, this table joins them.
#pragma once

#include "scene/TimelineBlock.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CZoetraView;

struct KeyableParam {
    std::string id;    // e.g. "text.rotate.x", "particles.gravity.speedMin"
    std::string label; // e.g. "Text Rotate X"
    // Where the value lives; exactly one of the two is set ("Flag Wave" is the one integer).
    float& (*value)(CZoetraView&, int instance) = nullptr;
    std::int32_t& (*intValue)(CZoetraView&, int instance) = nullptr;
    int instance = 0; // the model or quad of a value its effect declares once for several
};

// The entries, in the order of the keyframe tables: every value the effects declare, at most
// kKeyableCapacity.
const std::vector<KeyableParam>& keyableParams();
inline int keyableCount() {
    return int(keyableParams().size());
}

// Index of the entry with this id, or -1.
int keyableIndex(std::string_view id);

// The current scene value of parameter p (the integer converted to float).
float keyableValue(const CZoetraView& v, int p);
// Writes a value into the scene (the integer truncated toward zero).
void setKeyableValue(CZoetraView& v, int p, float value);
