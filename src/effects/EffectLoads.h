// The loads an effect asks for at start-up, on "New" and while a sequence is read. The program
// performs them with the texture, sprite, model and glyph loaders; tests record them instead.
#pragma once

#include "platform/ScopedOverride.h"

#include <string>

class CZoetraView;

class EffectLoads {
  public:
    virtual ~EffectLoads() = default;
    virtual void mipmappedTexture(CZoetraView& v, const std::string& path, unsigned& slot) = 0;
    virtual void keyedTexture(CZoetraView& v, const std::string& path, unsigned& slot) = 0;
    virtual void particleTexture(CZoetraView& v, const std::string& path) = 0;
    // Model `index` (0-2) from the 3DS file; a file the slot holds unchanged is kept as it is.
    virtual void model(CZoetraView& v, int index, const std::string& path) = 0;
    // Picture `index` 0 or 1 (pictures 1 and 2).
    virtual void picture(CZoetraView& v, int index, const std::string& path) = 0;
    virtual void textLists(CZoetraView& v) = 0;
};

// Makes other loads (not owned) the loads in force for the lifetime of this object.
using EffectLoadsOverride = ScopedOverride<EffectLoads>;

// The loads in force: the program's loaders unless an EffectLoadsOverride is alive.
inline EffectLoads& effectLoads() {
    return EffectLoadsOverride::inForce();
}
