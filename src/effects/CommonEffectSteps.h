// The descriptor steps most layers share, made from the members they concern: "New" putting a
// block back to its defaults, the texture slots, and a texture reloaded from a sequence file.
#pragma once

#include "effects/EffectLoads.h"
#include "scene/CZoetraView.h"

#include <vector>

// "New" for a layer that keeps nothing: its block as a new scene has it.
template <typename Block> void resetToDefaults(CZoetraView& v) {
    static_cast<Block&>(v) = Block{};
}

// The layer's texture slots, e.g. appendTextureSlots<&CZoetraView::fireTexture>.
template <auto... Slots> void appendTextureSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    (list.push_back(&(v.*Slots)), ...);
}

// The texture a sequence file names (`Path`), loaded keyed into `Slot`.
template <auto Slot, auto Path> void reloadKeyedTexture(CZoetraView& v, EffectLoads& loads, float) {
    loads.keyedTexture(v, v.*Path, v.*Slot);
}
