// The program's effect loads: texture files into slots, the particle sprite, 3DS models,
// pictures and the text's glyph lists.
#include "effects/EffectLoads.h"

#include "effects/TextureSlots.h"
#include "effects/models/ModelEffect.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/pictures/PictureEffect.h"
#include "effects/text/TextLayer.h"

#include "platform/Platform.h"
#include "platform/WebFetch.h"

#include <QString>

namespace {

// A file that names a texture, sprite or picture but cannot be loaded leaves its slot as it
// was, and the window says nothing; the platform is told, so that the command line can say it.
// A web address that cannot be fetched has been reported by the fetch, with its reason.
void noteUnloaded(bool loaded, const std::string& path, const char* what) {
    if (loaded || path.empty() || isWebAddress(QString::fromLocal8Bit(path.c_str()))) return;
    const FileInHand concerning(QString::fromLocal8Bit(path.c_str()));
    platform().notice(QStringLiteral("The %1 cannot be loaded (a missing or unreadable file); the "
                                     "layer keeps what it had.")
                          .arg(QLatin1String(what)));
}

class ProgramLoads : public EffectLoads {
  public:
    void mipmappedTexture(CZoetraView& v, const std::string& path, unsigned& slot) override {
        noteUnloaded(loadMipmappedTexture(v, path.c_str(), slot), path, "texture");
    }
    void keyedTexture(CZoetraView& v, const std::string& path, unsigned& slot) override {
        noteUnloaded(loadKeyedTexture(v, path.c_str(), slot), path, "texture");
    }
    void particleTexture(CZoetraView& v, const std::string& path) override {
        noteUnloaded(loadParticleSprite(v, path.c_str()), path, "particle sprite");
    }
    // A model that cannot be loaded is reported by the 3DS loader itself.
    void model(CZoetraView& v, int index, const std::string& path) override {
        reloadModelMesh(v, index, QString::fromLocal8Bit(path.c_str()));
    }
    void picture(CZoetraView& v, int index, const std::string& path) override {
        noteUnloaded(loadPictureTexture(v, index + 1, path.c_str()), path, "picture");
    }
    void textLists(CZoetraView& v) override { buildTextLists(v); }
};

} // namespace

template <> EffectLoads& ScopedOverride<EffectLoads>::fallback() {
    static ProgramLoads programLoads;
    return programLoads;
}
