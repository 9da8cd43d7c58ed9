// Putting chosen values of an effect's block back to the values a new block starts with, so that a
// page's Reset names what it resets and never repeats the numbers.
#pragma once

// Sets each of `values` (members of Block, e.g. &StarParams::starZoom) of `block` to its value in
// a default-made Block.
template <typename Block, typename... Values>
void restoreStartValues(Block& block, Values Block::*... values) {
    static const Block start{};
    ((block.*values = start.*values), ...);
}

// The same for array members that hold one value per instance (the three models): only entry
// `index` of each array is put back.
template <typename Block, typename... Arrays>
void restoreStartValuesAt(Block& block, int index, Arrays Block::*... arrays) {
    static const Block start{};
    (((block.*arrays)[index] = (start.*arrays)[index]), ...);
}
