// The list of the nine effect layers, in the order the frame composer draws them.
#pragma once

#include "effects/EffectDescriptor.h"

#include <span>

std::span<const EffectDescriptor* const> allEffects();

// Every control page of every effect, in deck tab order, and the page of one tab (null for the
// keyframe page and for a page whose effect has no table yet).
std::span<const ControlPage* const> allControlPages();
const ControlPage* controlPage(DeckPage page);

// Every texture slot of the scene.
std::vector<unsigned*> allTextureSlots(CZoetraView& v);
