// What an effect layer declares about itself, once: its keyable values, its control pages, its
// reset, its loads and texture slots, and its reloads from a sequence file. Start-up, "New", the
// texture-slot walk, the sequence reader, the mouse handler and the deck walk the list of all
// effects (Effects.h) instead of naming each layer.
#pragma once

#include "effects/ControlTable.h"
#include "effects/KeySlice.h"

#include <span>
#include <vector>

class CZoetraView;
class EffectLoads;

struct EffectDescriptor {
    const char* name = ""; // e.g. "stars"

    std::span<const KeySlice> keys{};            // the layer's keyable values
    std::span<const ControlPage* const> pages{}; // its Control Deck pages (none for the fire)

    // "New": the layer's values back to their defaults, with the few it keeps or sets otherwise.
    void (*reset)(CZoetraView&) = nullptr;
    // "New", once the values are reset: what must be reloaded (needs the GL context).
    void (*reloadAfterReset)(CZoetraView&, EffectLoads&) = nullptr;

    // Start-up, in two rounds over all effects: first the default files are loaded, then the
    // layers set up their tables and GL objects (both with the GL context current).
    void (*loadDefaults)(CZoetraView&, EffectLoads&) = nullptr;
    void (*startUp)(CZoetraView&) = nullptr;

    // Appends the layer's texture slots, so that a texture name is deleted only once no slot
    // holds it.
    void (*textureSlots)(CZoetraView&, std::vector<unsigned*>&) = nullptr;

    // The sequence reader runs `reloadFromSequence` right after the item with id
    // `reloadAfterItem`, whether or not the file's version holds that item.
    const char* reloadAfterItem = nullptr;
    void (*reloadFromSequence)(CZoetraView&, EffectLoads&, float version) = nullptr;
};
