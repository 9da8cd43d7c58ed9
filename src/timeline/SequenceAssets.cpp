// The asset reloads of a loaded sequence, through the program's texture, sprite, model and text
// loaders (the view's GL context must be current).
#include "timeline/SequenceScene.h"

#include "assets/TextureLoaders.h"
#include "assets/UserAssetLoads.h"
#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"

namespace {

class SceneAssetLoads : public SequenceAssetLoads {
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
        v.modelMesh[index].objectCount = 0;
        v.modelLoader[index].import3ds(v.modelMesh[index], path.c_str());
    }
    void picture(CZoetraView& v, int index, const std::string& path) override {
        loadPictureTexture(v, index + 1, path.c_str());
    }
    void textLists(CZoetraView& v) override { buildTextLists(v); }
};

} // namespace

namespace {
SceneAssetLoads g_sceneLoads;
SequenceAssetLoads* g_loads = &g_sceneLoads;
} // namespace

SequenceAssetLoads& sceneAssetLoads() {
    return *g_loads;
}

void useSequenceAssetLoads(SequenceAssetLoads* loads) {
    g_loads = loads ? loads : &g_sceneLoads;
}
