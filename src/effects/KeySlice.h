// An effect's share of the keyable values: each value's name, label and place in the scene. The
// keyframe table joins the shares of all effects (215 values today).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

class CZoetraView;

// One keyable value as its effect declares it. Exactly one of the two accessors is set ("Flag
// Wave" is the one integer). `instance` picks the model or quad of a share that is declared once
// for several of them.
struct KeyField {
    const char* name;  // within the share, e.g. "rotate.x"
    const char* label; // e.g. "Rotations X"
    float& (*value)(CZoetraView&, int instance) = nullptr;
    std::int32_t& (*intValue)(CZoetraView&, int instance) = nullptr;
    // How many control page entries reach the value: 0 for a value that only keys and sequence
    // files set, 2 for one that two entries share.
    unsigned char controls = 1;
};

// An entry of a share's table: its name, its label and the float it keys, written as an
// expression of the scene `v` and the instance `n`; an optional last argument says how many
// control page entries reach it (1 when left out).
#define KEYED_VALUE(name, label, value, ...)                                                       \
    KeyField {                                                                                     \
        name, label, [](CZoetraView& v, [[maybe_unused]] int n) -> float& { return value; },       \
            nullptr __VA_OPT__(, ) __VA_ARGS__                                                     \
    }

// A run of keyable values under one id prefix: the value "rotate.x" of the share "model2" has the
// id "model2.rotate.x" and the label labelPrefix + "Rotations X" + labelSuffix.
struct KeySlice {
    const char* idPrefix;
    std::span<const KeyField> fields;
    int instance = 0;
    const char* labelPrefix = "";
    const char* labelSuffix = "";
};

// The keyable value with this whole id ("model2.rotate.x"), or nulls.
struct KeyFieldRef {
    const KeySlice* slice = nullptr;
    const KeyField* field = nullptr;
};
KeyFieldRef findKeyField(std::string_view id);

// A float written into an integer value: truncated toward zero, kept inside the integer's
// range, NaN as 0.
std::int32_t truncateToInt(float value);
