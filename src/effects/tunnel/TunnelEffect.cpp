// The tunnel layer's declaration: keyable values, reset, loads, texture slot, sequence reload.
#include "effects/tunnel/TunnelEffect.h"

#include "effects/CommonEffectSteps.h"
#include "effects/EffectLoads.h"
#include "effects/TextureSlots.h"
#include "scene/CZoetraView.h"

const KeyField kTunnelKeys[] = {
    KEYED_VALUE("speed", "Tunnel Speed", v.tunnelSpeed),
    KEYED_VALUE("twist", "Tunnel Twist", v.tunnelTwist),
    KEYED_VALUE("rotate", "Tunnel Rotate", v.tunnelRotate),
    KEYED_VALUE("position.x", "Tunnel Position X", v.tunnelPosX),
    KEYED_VALUE("position.y", "Tunnel Position Y", v.tunnelPosY),
    KEYED_VALUE("position.z", "Tunnel Position Z", v.tunnelPosZ),
    KEYED_VALUE("fogStart", "Fog Start", v.tunnelFogStart),
    KEYED_VALUE("fogEnd", "Fog End", v.tunnelFogEnd),
    // The arcs of the wall have no control on the page.
    KEYED_VALUE("arc.x", "Tunnel Arc X", v.tunnelArcX, 0),
    KEYED_VALUE("arc.y", "Tunnel Arc Y", v.tunnelArcY, 0),
    KEYED_VALUE("squeeze.x", "Tunnel Squeeze X", v.tunnelSqueezeX),
    KEYED_VALUE("squeeze.y", "Tunnel Squeeze Y", v.tunnelSqueezeY),
};

bool loadUserTunnelTexture(CZoetraView& v, const QString& path, const std::string& recordedPath) {
    if (!loadKeyedTexture(v, takeUserPath(v, path), v.tunnelTexture)) return false;
    v.tunnelTextureName = recordedPath;
    return true;
}

namespace {

void loadTunnelDefaults(CZoetraView& v, EffectLoads& loads) {
    loads.mipmappedTexture(v, kTunnelTexturePath, v.tunnelTexture);
}

constexpr KeySlice kTunnelKeySlices[] = {{"tunnel", kTunnelKeys}};
constexpr const ControlPage* kTunnelPages[] = {&kTunnelPage};

} // namespace

const EffectDescriptor kTunnelEffect{
    .name = "tunnel",
    .keys = kTunnelKeySlices,
    .pages = kTunnelPages,
    .reset = resetToDefaults<TunnelParams>,
    .loadDefaults = loadTunnelDefaults,
    .textureSlots = appendTextureSlots<&CZoetraView::tunnelTexture>,
    .reloadAfterItem = "tunnel.texturePathLength",
    .reloadFromSequence =
        reloadKeyedTexture<&CZoetraView::tunnelTexture, &CZoetraView::tunnelTextureName>,
};
