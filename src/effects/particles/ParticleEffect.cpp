// The particle layer's declaration: keyable values, reset, loads, texture slot, sequence reload.
#include "effects/particles/ParticleEffect.h"

#include "assets/TgaTexture.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>

const KeyField kParticleKeys[] = {
    KEYED_VALUE("rotate.x", "Particle Rotate X", v.particleRotate.x),
    KEYED_VALUE("rotate.y", "Particle Rotate Y", v.particleRotate.y),
    KEYED_VALUE("rotate.z", "Particle Rotate Z", v.particleRotate.z),
    KEYED_VALUE("position.x", "Particles Position X", v.particlePosition.x),
    KEYED_VALUE("position.y", "Particles Position Y", v.particlePosition.y),
    KEYED_VALUE("position.z", "Particles Position Z", v.particlePosition.z),
    KEYED_VALUE("gravity.speedMax", "Particle Gravity Speed 1", v.particleGravitySpeedMax),
    KEYED_VALUE("gravity.upDown", "Particle Gravity Up/Down", v.particleGravityUpDown),
    // "Double Direction": the Z value of two combo entries.
    KEYED_VALUE("gravity.speedMin", "Particle Gravity Double Direction", v.particleGravitySpeedMin,
                2),
    KEYED_VALUE("gravity.leftRight", "Particle Gravity Left/Right", v.particleGravityLeftRight),
    KEYED_VALUE("gravity.inOut", "Particle Gravity In/Out", v.particleGravityInOut),
    KEYED_VALUE("scale.x", "Particle Scale X", v.particleScale.x),
    KEYED_VALUE("scale.y", "Particle Scale Y", v.particleScale.y),
    KEYED_VALUE("scale.z", "Particle Scale Z", v.particleScale.z),
    KEYED_VALUE("colour.r", "Particle Colours Red", v.particleColour.x),
    KEYED_VALUE("colour.g", "Particle Colours Green", v.particleColour.y),
    KEYED_VALUE("colour.b", "Particle Colours Blue", v.particleColour.z),
    KEYED_VALUE("maxAge", "Particles Maximum Age", v.particleMaxAge),
    KEYED_VALUE("minAge", "Particles Minimum Age", v.particleMinAge),
    KEYED_VALUE("speed", "Particles Speed", v.particleSpeed),
    KEYED_VALUE("direction1.x", "Particles Direction 1 X", v.particleDirection1.x),
    KEYED_VALUE("direction1.y", "Particles Direction 1 Y", v.particleDirection1.y),
    KEYED_VALUE("direction1.z", "Particles Direction 1 Z", v.particleDirection1.z),
    KEYED_VALUE("direction2.x", "Particles Direction 2 X", v.particleDirection2.x),
    KEYED_VALUE("direction2.y", "Particles Direction 2 Y", v.particleDirection2.y),
    KEYED_VALUE("direction2.z", "Particles Direction 2 Z", v.particleDirection2.z),
    KEYED_VALUE("fogEnd", "Particles Fog", v.particleFogEnd),
};

bool loadParticleSprite(CZoetraView& v, const char* path) {
    TgaTexture texture;
    if (!texture.load(path, nullptr, true)) return false;
    ParticleSystem& ps = v.particleSystem;
    replaceTextureName(v, ps.texture, texture.textureName);
    texture.bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    ps.textured = 1;
    return true;
}

int setParticleCount(CZoetraView& v, int count) {
    v.particleCount = count < 0 ? 0 : count > kMaxParticles ? kMaxParticles : count;
    v.particleRebuildRequest = 2.0f;
    return v.particleCount;
}

bool loadUserParticleSprite(CZoetraView& v, const QString& path, const std::string& recordedPath) {
    if (!loadParticleSprite(v, takeUserPath(v, path))) return false;
    v.particleTextureChosen = 2.0f;
    v.particleTextureName = recordedPath;
    return true;
}

namespace {

void resetParticles(CZoetraView& v) {
    const float fogEnd = v.particleFogEnd; // "New" keeps the fog
    static_cast<ParticleParams&>(v) = ParticleParams{};
    v.particleFogEnd = fogEnd;
}

void loadParticleDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.particleTexture(v, kParticleSpritePath);
}

// The first drawn frame builds the emitter.
void startParticles(CZoetraView& v) {
    v.particleCount = 800;
    v.particleRebuildRequest = 2.0f;
}

void particleSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    list.push_back(&v.particleSystem.texture);
}

void reloadParticleSprite(CZoetraView& v, EffectLoads& loads, float) {
    if (v.particleTextureChosen >= 2.0f) loads.particleTexture(v, v.particleTextureName);
}

constexpr KeySlice kParticleKeySlices[] = {{"particles", kParticleKeys}};
constexpr const ControlPage* kParticlePages[] = {&kParticlePage};

} // namespace

const EffectDescriptor kParticleEffect{
    .name = "particles",
    .keys = kParticleKeySlices,
    .pages = kParticlePages,
    .reset = resetParticles,
    .loadDefaults = loadParticleDefaults,
    .startUp = startParticles,
    .textureSlots = particleSlots,
    .reloadAfterItem = "particles.textureChosen",
    .reloadFromSequence = reloadParticleSprite,
};
