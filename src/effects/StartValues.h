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
