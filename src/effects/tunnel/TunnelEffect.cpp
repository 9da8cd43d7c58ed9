// The tunnel layer's declaration: keyable values, reset, loads, texture slot, sequence reload.
#include "effects/tunnel/TunnelEffect.h"

#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "scene/CZoetraView.h"

#define KEY(name, label, field)                                                                    \
    {                                                                                              \
        name, label, [](CZoetraView& v, int) -> float& { return field; }                           \
    }
// The arcs of the wall have no control on the page.
#define KEY_ONLY(name, label, field)                                                               \
    {                                                                                              \
        name, label, [](CZoetraView& v, int) -> float& { return field; }, nullptr, 0               \
    }

const KeyField kTunnelKeys[] = {
    KEY("speed", "Tunnel Speed", v.tunnelSpeed),
    KEY("twist", "Tunnel Twist", v.tunnelTwist),
    KEY("rotate", "Tunnel Rotate", v.tunnelRotate),
    KEY("position.x", "Tunnel Position X", v.tunnelPosX),
    KEY("position.y", "Tunnel Position Y", v.tunnelPosY),
    KEY("position.z", "Tunnel Position Z", v.tunnelPosZ),
    KEY("fogStart", "Fog Start", v.tunnelFogStart),
    KEY("fogEnd", "Fog End", v.tunnelFogEnd),
    KEY_ONLY("arc.x", "Tunnel Arc X", v.tunnelArcX),
    KEY_ONLY("arc.y", "Tunnel Arc Y", v.tunnelArcY),
    KEY("squeeze.x", "Tunnel Squeeze X", v.tunnelSqueezeX),
    KEY("squeeze.y", "Tunnel Squeeze Y", v.tunnelSqueezeY),
};

#undef KEY
#undef KEY_ONLY

bool loadUserTunnelTexture(CZoetraView& v, const QString& path, const std::string& recordedPath) {
    if (!loadKeyedTexture(v, takeUserPath(v, path), v.tunnelTexture)) return false;
    v.tunnelTextureName = recordedPath;
    return true;
}

namespace {

void resetTunnel(CZoetraView& v) {
    static_cast<TunnelParams&>(v) = TunnelParams{};
}

void loadTunnelDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kTunnelTexturePath, v.tunnelTexture);
}

void tunnelSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    list.push_back(&v.tunnelTexture);
}

void reloadTunnelTexture(CZoetraView& v, EffectLoads& loads, float) {
    loads.keyedTexture(v, v.tunnelTextureName, v.tunnelTexture);
}

constexpr KeySlice kTunnelKeySlices[] = {{"tunnel", kTunnelKeys}};
constexpr const ControlPage* kTunnelPages[] = {&kTunnelPage};

} // namespace

const EffectDescriptor kTunnelEffect{
    .name = "tunnel",
    .keys = kTunnelKeySlices,
    .pages = kTunnelPages,
    .reset = resetTunnel,
    .loadDefaults = loadTunnelDefaults,
    .textureSlots = tunnelSlots,
    .reloadAfterItem = "tunnel.texturePathLength",
    .reloadFromSequence = reloadTunnelTexture,
};
