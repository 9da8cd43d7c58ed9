// The "Tunnel Controls" page as data: its parameter entries, mouse rules, toggle, picker,
// opening, Reset and the wall colour its "Change Color" button sets.
#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "effects/tunnel/TunnelEffect.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

namespace {

constexpr SliderRange kWide{-360, 360};
constexpr DragRule kPan{DragMove::PanXY};
constexpr DragRule kAlongZ{DragMove::AlongZ, 0.5f};

// An entry of one, two or three values (a null id leaves its slider and edit disabled).
constexpr ControlEntry entry(const char* text, const char* x, const char* y, const char* z,
                             SliderRange ry, DragRule right) {
    return keyedEntry(text, x, y, z, kWide, ry, kWide, kPan, right);
}

const ControlEntry kTunnelEntries[] = {
    entry("Tunnel Speed (Left Mouse X)  Tunnel Twist (Left Mouse Y)  Tunnel Rotate (Right Mouse "
          "Z)",
          "tunnel.speed", "tunnel.twist", "tunnel.rotate", kWide, kAlongZ),
    entry("Tunnel Position (Left Mouse X)  Position (Left Mouse Y)  Position (Right Mouse Z)",
          "tunnel.position.x", "tunnel.position.y", "tunnel.position.z", kWide, kAlongZ),
    entry("Fog Start (Left Mouse X)  Fog End (Left Mouse Y)", "tunnel.fogStart", "tunnel.fogEnd",
          nullptr, {0, 360}, {}),
    entry("Tunnel Squeeze (Left Mouse X)  (Left Mouse Y)", "tunnel.squeeze.x", "tunnel.squeeze.y",
          nullptr, kWide, {}),
};

const ToggleSpec kTunnelToggles[] = {
    switchButton<&CZoetraView::tunnelOn, &CZoetraView::tunnelOnClicks>("Tunnel Off", "Tunnel On"),
};

const AssetPicker kTunnelPickers[] = {
    {"Load Texture", "Select Tunnel Texture", "JPG Files (*.jpg)|*.jpg|All Files(*.*)|*.*||",
     ".\\Textures", "Textures/", nullptr, loadForLayer<loadUserTunnelTexture>},
};

// Reset: every value of the page back to its start value (the layer switch and the texture
// stay), and the first entry selected.
void resetTunnelPage(CZoetraView& v, int) {
    using T = TunnelParams;
    restoreStartValues<T>(v, &T::tunnelSpeed, &T::tunnelTwist, &T::tunnelRotate, &T::tunnelRed,
                          &T::tunnelGreen, &T::tunnelBlue, &T::tunnelFogDensity, &T::tunnelFogStart,
                          &T::tunnelFogEnd, &T::tunnelArcX, &T::tunnelArcY, &T::tunnelSqueezeX,
                          &T::tunnelSqueezeY, &T::tunnelTexMode, &T::tunnelPosX, &T::tunnelPosY,
                          &T::tunnelPosZ);
    if (v.pageExists(DeckPage::Tunnel)) v.selectedEntry[pageIndex(DeckPage::Tunnel)] = 0;
}

} // namespace

void setTunnelColour(CZoetraView& v, int red, int green, int blue) {
    v.tunnelRed = float(red) / 255.0f;
    v.tunnelGreen = float(green) / 255.0f;
    v.tunnelBlue = float(blue) / 255.0f;
}

const ControlPage kTunnelPage{
    .page = DeckPage::Tunnel,
    .caption = "Tunnel Controls",
    .entries = kTunnelEntries,
    .leftDragGate = sceneSwitchOn<&CZoetraView::mouseTargetTunnel>,
    .rightDragGate = sceneSwitchOn<&CZoetraView::mouseTargetTunnel>,
    .mouseTarget = sceneField<&CZoetraView::mouseTargetTunnel>,
    .mousePageCode = 1,
    .toggles = kTunnelToggles,
    .pickers = kTunnelPickers,
    .open = switchLayerOn<&CZoetraView::tunnelOn, &CZoetraView::tunnelOnClicks>,
    .reset = resetTunnelPage,
};
