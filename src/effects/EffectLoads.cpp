// The program's effect loads: texture files into slots, the particle sprite, 3DS models,
// pictures and the text's glyph lists.
#include "effects/EffectLoads.h"

#include "effects/TextureSlots.h"
#include "effects/models/ModelEffect.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/pictures/PictureEffect.h"
#include "effects/text/TextLayer.h"

#include <QString>

namespace {

class ProgramLoads : public EffectLoads {
  public:
    void mipmappedTexture(CZoetraView& v, const std::string& path, unsigned& slot) override {
        loadMipmappedTexture(v, path.c_str(), slot);
    }
    void keyedTexture(CZoetraView& v, const std::string& path, unsigned& slot) override {
        loadKeyedTexture(v, path.c_str(), slot);
    }
    void particleTexture(CZoetraView& v, const std::string& path) override {
        loadParticleSprite(v, path.c_str());
    }
    void model(CZoetraView& v, int index, const std::string& path) override {
        reloadModelMesh(v, index, QString::fromLocal8Bit(path.c_str()));
    }
    void picture(CZoetraView& v, int index, const std::string& path) override {
        loadPictureTexture(v, index + 1, path.c_str());
    }
    void textLists(CZoetraView& v) override { buildTextLists(v); }
};

ProgramLoads g_programLoads;
EffectLoads* g_loads = &g_programLoads;

} // namespace

EffectLoads& effectLoads() {
    return *g_loads;
}

void useEffectLoads(EffectLoads* loads) {
    g_loads = loads ? loads : &g_programLoads;
}
