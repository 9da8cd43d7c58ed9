// The list of effect layers and the walks over it that need no layer by name.
#include "effects/Effects.h"

#include "effects/blur/BlurEffect.h"
#include "effects/fire/FireEffect.h"
#include "effects/models/ModelEffect.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/pictures/PictureEffect.h"
#include "effects/stars/StarEffect.h"
#include "effects/text/TextEffect.h"
#include "effects/tiles/TileEffect.h"
#include "effects/tunnel/TunnelEffect.h"

#include <array>
#include <cmath>
#include <string>
#include <unordered_map>

namespace {
// In the order of the frame composer's slots.
constexpr std::array<const EffectDescriptor*, 9> kEffects{
    &kTileEffect, &kTunnelEffect, &kPictureEffect, &kFireEffect, &kParticleEffect,
    &kStarEffect, &kModelEffect,  &kBlurEffect,    &kTextEffect,
};
} // namespace

std::span<const EffectDescriptor* const> allEffects() {
    return kEffects;
}

std::span<const ControlPage* const> allControlPages() {
    static const std::vector<const ControlPage*> pages = [] {
        std::vector<const ControlPage*> all;
        for (int p = 0; p < kDeckPageCount; ++p)
            for (const EffectDescriptor* effect : kEffects)
                for (const ControlPage* page : effect->pages)
                    if (pageIndex(page->page) == p) all.push_back(page);
        return all;
    }();
    return pages;
}

const ControlPage* controlPage(DeckPage page) {
    for (const ControlPage* p : allControlPages())
        if (p->page == page) return p;
    return nullptr;
}

std::vector<unsigned*> allTextureSlots(CZoetraView& v) {
    std::vector<unsigned*> list;
    for (const EffectDescriptor* effect : kEffects)
        if (effect->textureSlots) effect->textureSlots(v, list);
    return list;
}

KeyFieldRef findKeyField(std::string_view id) {
    static const std::unordered_map<std::string, KeyFieldRef> byId = [] {
        std::unordered_map<std::string, KeyFieldRef> map;
        for (const EffectDescriptor* effect : kEffects)
            for (const KeySlice& slice : effect->keys)
                for (const KeyField& field : slice.fields)
                    map[std::string(slice.idPrefix) + "." + field.name] = {&slice, &field};
        return map;
    }();
    const auto found = byId.find(std::string(id));
    return found == byId.end() ? KeyFieldRef{} : found->second;
}

std::int32_t truncateToInt(float value) {
    const float whole = std::trunc(value);
    if (whole != whole) return 0;
    if (whole >= 2147483520.0f) return 2147483520;
    if (whole <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<std::int32_t>(whole);
}
