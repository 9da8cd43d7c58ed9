// The "Particle Controls" page as data: its parameter entries, mouse rules, toggles, picker,
// opening and Reset. The "Number of Particles" edit calls setParticleCount (ParticleEffect.h).
#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "effects/particles/ParticleEffect.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

namespace {

constexpr SliderRange kAngle{-360, 360};

// Every entry but the position turns the layer with the left button; the right button turns it
// about Z, or moves it in depth while the position is selected. Drags move half as far as on
// the other pages.
constexpr DragRule kTurnLayer{DragMove::TurnXY, 0.5f, 0};
constexpr DragRule kTurnLayerZ{DragMove::AlongZ, 0.5f, 0};

constexpr ControlEntry triple(const char* text, const char* x, const char* y, const char* z,
                              SliderRange rx, SliderRange ry, SliderRange rz,
                              DragRule left = kTurnLayer, DragRule right = kTurnLayerZ) {
    return keyedEntry(text, x, y, z, rx, ry, rz, left, right);
}

constexpr ControlEntry fogEntry() {
    ControlEntry e;
    e.text = "Particles Fog (X) ";
    e.values[0].key = "particles.fogEnd";
    e.ranges[0] = {0, 360};
    e.enabled[0] = true;
    e.leftDrag = kTurnLayer;
    e.rightDrag = kTurnLayerZ;
    return e;
}

// The eleventh entry: an empty line that selects nothing.
constexpr ControlEntry emptyEntry() {
    ControlEntry e;
    e.leftDrag = kTurnLayer;
    e.rightDrag = kTurnLayerZ;
    return e;
}

constexpr SliderRange kScale{0, 260};
constexpr SliderRange kColour{0, 255};

const ControlEntry kParticleEntries[] = {
    triple("Particle Rotate (Left Mouse Rotate X and Y, Right Mouse Rotate Z)",
           "particles.rotate.x", "particles.rotate.y", "particles.rotate.z", kAngle, kAngle,
           kAngle),
    triple("Particles Position (Left Mouse Pan X and Y, Right Mouse Pan Z)", "particles.position.x",
           "particles.position.y", "particles.position.z", kAngle, kAngle, kAngle,
           {DragMove::PanXY, 0.5f}, {DragMove::AlongZ, 0.5f}),
    triple("Particle Gravity  Speed 1 (X)  Gravity Up/Down (Y)  Double Direction (Z)",
           "particles.gravity.speedMax", "particles.gravity.upDown", "particles.gravity.speedMin",
           kAngle, kAngle, kAngle),
    triple("Particle Gravity  Left/Right (X)  Gravity In/Out (Y)  Double Direction (Z)",
           "particles.gravity.leftRight", "particles.gravity.inOut", "particles.gravity.speedMin",
           kAngle, kAngle, kAngle),
    triple("Particle Scale (XYZ)", "particles.scale.x", "particles.scale.y", "particles.scale.z",
           kScale, kScale, kScale),
    triple("Particle Colours   Red (X)  Green (Y)  Blue (Z)", "particles.colour.r",
           "particles.colour.g", "particles.colour.b", kColour, kColour, kColour),
    triple("Particles Maximum Age (X) Minimum Age (Y)  Speed (Z)", "particles.maxAge",
           "particles.minAge", "particles.speed", {0, 200}, {0, 200}, {0, 360}),
    triple("Particles Direction 1 (XYZ)", "particles.direction1.x", "particles.direction1.y",
           "particles.direction1.z", kAngle, kAngle, kAngle),
    triple("Particles Direction 2 (XYZ)", "particles.direction2.x", "particles.direction2.y",
           "particles.direction2.z", kAngle, kAngle, kAngle),
    fogEntry(),
    emptyEntry(),
};

// The first click also sets the wheel's level to 600, the second clears it with the switch.
void multiColourLevel(CZoetraView& v, int, bool second) {
    v.particleMultiColourLevel = second ? 0.0f : 600.0f;
}

const ToggleSpec kParticleToggles[] = {
    switchButton<&CZoetraView::particlesOn, &CZoetraView::particlesOnClicks>("Particles Off",
                                                                             "Particles On"),
    switchButton<&CZoetraView::particleMultiColour, &CZoetraView::particleMultiColourClicks>(
        "Multi Color On", "Multi Color Off", {2, 0}, multiColourLevel),
};

const AssetPicker kParticlePickers[] = {
    {"Load Texture", "Select a Particle Texture", "TGA Files (*.TGA)|*.TGA|All Files(*.*)|*.*||",
     ".\\Particles", "Particles/", nullptr, loadForLayer<loadUserParticleSprite>},
};

// Reset: transform, gravity, directions, scale, colour, ages and speed back to their start
// values, the wheel level cleared, and the emitter rebuilt with 800 slots.
void resetParticlePage(CZoetraView& v, int) {
    using P = ParticleParams;
    restoreStartValues<P>(v, &P::particleRotate, &P::particlePosition, &P::particleGravityUpDown,
                          &P::particleGravitySpeedMin, &P::particleGravityLeftRight,
                          &P::particleGravityInOut, &P::particleDirection1, &P::particleDirection2,
                          &P::particleScale, &P::particleColour, &P::particleMaxAge,
                          &P::particleMinAge, &P::particleSpeed, &P::particleGravitySpeedMax,
                          &P::particleMultiColourLevel);
    setParticleCount(v, 800);
}

} // namespace

const ControlPage kParticlePage{
    .page = DeckPage::Particles,
    .caption = "Particle Controls",
    .entries = kParticleEntries,
    .leftDragGate = sceneSwitchOn<&CZoetraView::mouseTargetParticles>,
    .rightDragGate = sceneSwitchOn<&CZoetraView::mouseTargetParticles>,
    .mouseTarget = sceneField<&CZoetraView::mouseTargetParticles>,
    .mousePageCode = 0,
    .toggles = kParticleToggles,
    .pickers = kParticlePickers,
    .open = switchLayerOn<&CZoetraView::particlesOn, &CZoetraView::particlesOnClicks>,
    .reset = resetParticlePage,
};
