// The layout of sequence files: the 325 header items and the 240 slots of a key record, each
// with the format version it first appeared in and its place in the scene.
#pragma once

#include <QtGlobal>
#include <cstdint>
#include <string>
#include <vector>

class CZoetraView;

constexpr int kHeaderItemCount = 325;
constexpr int kKeySlotCount = 240;
constexpr int kItemVersion = 1; // item numbers of the items with a role of their own
constexpr int kItemReserved = 8;
constexpr int kItemKeyCount = 14;

enum class ItemKind : std::uint8_t { Float, Int, String };

struct HeaderItem {
    ItemKind kind = ItemKind::Float;
    float minVersion = 0; // read only from files of at least this version
    const char* id = "";  // name in the text form; for a start value the keyable id
    int keyable = -1;     // >= 0: the start value of this keyable parameter
    int lengthOf = 0;     // > 0: this float is the length of the string item with that number
    int repeats = 0;      // > 0: a second copy of the item with that number
    qint64 maxLength = 0; // strings: the longest one accepted
    // A texture path, cut to its length item when read; model and picture paths and the text
    // are taken whole.
    bool cutToLength = false;
    // The scene field (items that are neither start values, lengths nor the three above).
    float& (*floatField)(CZoetraView&) = nullptr;
    std::int32_t& (*intField)(CZoetraView&) = nullptr;
    std::string& (*stringField)(CZoetraView&) = nullptr;
};

struct KeySlot {
    int keyable;      // the keyable parameter the slot holds
    float minVersion; // read only from files of at least this version
};

// Items 1 ... 325 at indices 1 ... 325 (index 0 is unused).
const std::vector<HeaderItem>& headerItems();
// Slots 1 ... 240 at indices 0 ... 239.
const std::vector<KeySlot>& keySlots();

// Longest texts accepted from a file: the 3D text and every asset path.
constexpr qint64 kMaxTextLength = 30000;
constexpr qint64 kMaxPathLength = 1000;
constexpr qint64 kMaxFontFaceLength = 255;
