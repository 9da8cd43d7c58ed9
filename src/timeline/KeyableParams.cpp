// The 215 keyable scene values, in the order of the keyframe tables: text, stars, particles,
// fire, tunnel, tiles, blur, models 1-3, pictures.
#include "timeline/KeyableParams.h"

#include "scene/CZoetraView.h"

#include <cmath>

namespace {

#define KEY(id, label, field)                                                                      \
    {                                                                                              \
        id, label, [](CZoetraView& v) -> float& { return field; }, nullptr                         \
    }

const std::array<KeyableParam, kKeyableCount> kParams{{
    KEY("text.rotate.x", "Text Rotate X", v.textRotation.x),
    KEY("text.rotate.y", "Text Rotate Y", v.textRotation.y),
    KEY("text.rotate.z", "Text Rotate Z", v.textRotation.z),
    KEY("text.pan.x", "Text Pan and Zoom X", v.textPosition.x),
    KEY("text.pan.y", "Text Pan and Zoom Y", v.textPosition.y),
    KEY("text.pan.z", "Text Pan and Zoom Z", v.textPosition.z),
    KEY("text.fontColour.r", "Colour Font Red", v.fontColour.x),
    KEY("text.fontColour.g", "Colour Font Green", v.fontColour.y),
    KEY("text.fontColour.b", "Colour Font Blue", v.fontColour.z),
    KEY("text.background.r", "Colour Background Red", v.backgroundColour.x),
    KEY("text.background.g", "Colour Background Green", v.backgroundColour.y),
    KEY("text.background.b", "Colour Background Blue", v.backgroundColour.z),
    KEY("text.twist.x", "Twist Text X", v.textTwist.x),
    KEY("text.twist.y", "Twist Text Y", v.textTwist.y),
    KEY("text.twist.z", "Twist Text Z", v.textTwist.z),
    KEY("text.lineSpacing.x", "Line Spacing X", v.lineSpacing.x),
    KEY("text.lineSpacing.y", "Line Spacing Y", v.lineSpacing.y),
    KEY("text.lineSpacing.z", "Line Spacing Z", v.lineSpacing.z),
    KEY("text.charSpacing.x", "Character Spacing X", v.charSpacing.x),
    KEY("text.charSpacing.y", "Character Spacing Y", v.charSpacing.y),
    KEY("text.charSpacing.z", "Character Spacing Z", v.charSpacing.z),
    KEY("text.spotPosition.x", "SpotLight Position X", v.spotPosition.x),
    KEY("text.spotPosition.y", "SpotLight Position Y", v.spotPosition.y),
    KEY("text.spotPosition.z", "SpotLight Position Z", v.spotPosition.z),
    KEY("text.spotColour.r", "SpotLight Color Red", v.spotColour.x),
    KEY("text.spotColour.g", "SpotLight Color Green", v.spotColour.y),
    KEY("text.spotColour.b", "SpotLight Color Blue", v.spotColour.z),
    KEY("text.scale.x", "Scale Text X", v.textScale.x),
    KEY("text.scale.y", "Scale Text Y", v.textScale.y),
    KEY("text.scale.z", "Scale Text Z", v.textScale.z),
    KEY("text.fade", "Fade Alpha", v.textFade),

    KEY("stars.rotate.x", "Star Rotate X", v.starRotateX),
    KEY("stars.rotate.y", "Star Rotate Y", v.starRotateY),
    KEY("stars.rotate.z", "Star Rotate Z", v.starRotateZ),
    KEY("stars.pan.x", "Star Pan X", v.starPanX),
    KEY("stars.pan.y", "Star Pan Y", v.starPanY),
    KEY("stars.zoom", "Star Zoom", v.starZoom),
    KEY("stars.direction", "Star Direction", v.starDirection),
    KEY("stars.spacing", "Star Spacing", v.starSpacing),
    KEY("stars.spin", "Star Spin", v.starSpin),
    KEY("stars.number", "Star Number", v.starNumber),
    KEY("stars.alphaFade", "Star Alpha Fade", v.starAlphaFade),
    KEY("stars.colour.r", "Star Colour Red", v.starRed),
    KEY("stars.colour.g", "Star Colour Green", v.starGreen),
    KEY("stars.colour.b", "Star Colour Blue", v.starBlue),

    KEY("particles.rotate.x", "Particle Rotate X", v.particleRotate.x),
    KEY("particles.rotate.y", "Particle Rotate Y", v.particleRotate.y),
    KEY("particles.rotate.z", "Particle Rotate Z", v.particleRotate.z),
    KEY("particles.position.x", "Particles Position X", v.particlePosition.x),
    KEY("particles.position.y", "Particles Position Y", v.particlePosition.y),
    KEY("particles.position.z", "Particles Position Z", v.particlePosition.z),
    KEY("particles.gravity.speedMax", "Particle Gravity Speed 1", v.particleGravitySpeedMax),
    KEY("particles.gravity.upDown", "Particle Gravity Up/Down", v.particleGravityUpDown),
    KEY("particles.gravity.speedMin", "Particle Gravity Double Direction",
        v.particleGravitySpeedMin),
    KEY("particles.gravity.leftRight", "Particle Gravity Left/Right", v.particleGravityLeftRight),
    KEY("particles.gravity.inOut", "Particle Gravity In/Out", v.particleGravityInOut),
    KEY("particles.scale.x", "Particle Scale X", v.particleScale.x),
    KEY("particles.scale.y", "Particle Scale Y", v.particleScale.y),
    KEY("particles.scale.z", "Particle Scale Z", v.particleScale.z),
    KEY("particles.colour.r", "Particle Colours Red", v.particleColour.x),
    KEY("particles.colour.g", "Particle Colours Green", v.particleColour.y),
    KEY("particles.colour.b", "Particle Colours Blue", v.particleColour.z),
    KEY("particles.maxAge", "Particles Maximum Age", v.particleMaxAge),
    KEY("particles.minAge", "Particles Minimum Age", v.particleMinAge),
    KEY("particles.speed", "Particles Speed", v.particleSpeed),
    KEY("particles.direction1.x", "Particles Direction 1 X", v.particleDirection1.x),
    KEY("particles.direction1.y", "Particles Direction 1 Y", v.particleDirection1.y),
    KEY("particles.direction1.z", "Particles Direction 1 Z", v.particleDirection1.z),
    KEY("particles.direction2.x", "Particles Direction 2 X", v.particleDirection2.x),
    KEY("particles.direction2.y", "Particles Direction 2 Y", v.particleDirection2.y),
    KEY("particles.direction2.z", "Particles Direction 2 Z", v.particleDirection2.z),
    KEY("particles.fogEnd", "Particles Fog", v.particleFogEnd),

    KEY("fire.gravity.x", "Fire Gravity Left/Right", v.fireGravityX),
    KEY("fire.gravity.y", "Fire Gravity Up/Down", v.fireGravityY),
    KEY("fire.gravity.z", "Fire Gravity In/Out", v.fireGravityZ),
    KEY("fire.move.x", "Fire Movement X", v.fireMoveX),
    KEY("fire.move.y", "Fire Movement Y", v.fireMoveY),
    KEY("fire.move.z", "Fire Movement Z", v.fireMoveZ),
    KEY("fire.life", "Fire Life", v.fireLife),
    KEY("fire.direction", "Fire Direction", v.fireDirection),
    KEY("fire.tilt", "Fire Tilt", v.fireTilt),
    KEY("fire.spiral", "Fire Spiral", v.fireSpiral),
    KEY("fire.spacing", "Fire Spacing", v.fireSpacing),
    KEY("fire.speed", "Fire Speed", v.fireSpeed),
    KEY("fire.number", "Fire Number", v.fireNumber),
    KEY("fire.colour.r", "Fire Color Red", v.fireRed),
    KEY("fire.colour.g", "Fire Color Green", v.fireGreen),
    KEY("fire.colour.b", "Fire Color Blue", v.fireBlue),

    KEY("tunnel.speed", "Tunnel Speed", v.tunnelSpeed),
    KEY("tunnel.twist", "Tunnel Twist", v.tunnelTwist),
    KEY("tunnel.rotate", "Tunnel Rotate", v.tunnelRotate),
    KEY("tunnel.position.x", "Tunnel Position X", v.tunnelPosX),
    KEY("tunnel.position.y", "Tunnel Position Y", v.tunnelPosY),
    KEY("tunnel.position.z", "Tunnel Position Z", v.tunnelPosZ),
    KEY("tunnel.fogStart", "Fog Start", v.tunnelFogStart),
    KEY("tunnel.fogEnd", "Fog End", v.tunnelFogEnd),
    KEY("tunnel.arc.x", "Tunnel Arc X", v.tunnelArcX),
    KEY("tunnel.arc.y", "Tunnel Arc Y", v.tunnelArcY),
    KEY("tunnel.squeeze.x", "Tunnel Squeeze X", v.tunnelSqueezeX),
    KEY("tunnel.squeeze.y", "Tunnel Squeeze Y", v.tunnelSqueezeY),

    KEY("tile1.rotate.x", "Quad Rotate X (Quad 1)", v.tileRotateX1),
    KEY("tile1.rotate.y", "Quad Rotate Y (Quad 1)", v.tileRotateY1),
    KEY("tile1.rotate.z", "Quad Rotate Z (Quad 1)", v.tileRotateZ1),
    KEY("tile1.position.x", "Quad Position X (Quad 1)", v.tilePosX1),
    KEY("tile1.position.y", "Quad Position Y (Quad 1)", v.tilePosY1),
    KEY("tile1.position.z", "Quad Position Z (Quad 1)", v.tilePosZ1),
    KEY("tile1.roll.x", "Quad Roll X (Quad 1)", v.tileRollX1),
    KEY("tile1.roll.y", "Quad Roll Y (Quad 1)", v.tileRollY1),
    KEY("tile2.rotate.x", "Quad Rotate X (Quad 2)", v.tileRotateX2),
    KEY("tile2.rotate.y", "Quad Rotate Y (Quad 2)", v.tileRotateY2),
    KEY("tile2.rotate.z", "Quad Rotate Z (Quad 2)", v.tileRotateZ2),
    KEY("tile2.position.x", "Quad Position X (Quad 2)", v.tilePosX2),
    KEY("tile2.position.y", "Quad Position Y (Quad 2)", v.tilePosY2),
    KEY("tile2.position.z", "Quad Position Z (Quad 2)", v.tilePosZ2),
    KEY("tile2.roll.x", "Quad Roll X (Quad 2)", v.tileRollX2),
    KEY("tile2.roll.y", "Quad Roll Y (Quad 2)", v.tileRollY2),

    KEY("blur.radial.density", "Radial Blur Density", v.radialBlurDensity),
    KEY("blur.radial.fade", "Blur Alpha Fade", v.radialBlurFade),
    KEY("blur.radial.separation", "Blur Seperation", v.radialBlurSeparation),
    KEY("blur.radial.colour.r", "Radial Blur Colour Red", v.radialBlurRed),
    KEY("blur.radial.colour.g", "Radial Blur Colour Green", v.radialBlurGreen),
    KEY("blur.radial.colour.b", "Radial Blur Colour Blue", v.radialBlurBlue),
    KEY("blur.motion.fade", "Motion Blur Fade", v.motionBlurFade),
    KEY("blur.motion.trim", "Motion Blur Trim", v.motionBlurTrim),
    KEY("blur.motion.stretch.x", "Motion Blur Stetch Left / Right", v.motionBlurStretchX),
    KEY("blur.motion.stretch.y", "Motion Blur Stretch Up / Down", v.motionBlurStretchY),
    KEY("blur.spare", "Blur Spare (unused)", v.blurSpare),

    KEY("model1.rotate.x", "Model 1 Rotations X", v.modelRotation[0].x),
    KEY("model1.rotate.y", "Model 1 Rotations Y", v.modelRotation[0].y),
    KEY("model1.rotate.z", "Model 1 Rotations Z", v.modelRotation[0].z),
    KEY("model1.position.x", "Model 1 Positions X", v.modelPosition[0].x),
    KEY("model1.position.y", "Model 1 Positions Y", v.modelPosition[0].y),
    KEY("model1.position.z", "Model 1 Positions Z", v.modelPosition[0].z),
    KEY("model1.scale.x", "Model 1 Scale X", v.modelScale[0].x),
    KEY("model1.scale.y", "Model 1 Scale Y", v.modelScale[0].y),
    KEY("model1.scale.z", "Model 1 Scale Z", v.modelScale[0].z),
    KEY("model1.colour.r", "Model 1 Defuse Light Colour Red", v.modelColour[0].x),
    KEY("model1.colour.g", "Model 1 Defuse Light Colour Green", v.modelColour[0].y),
    KEY("model1.colour.b", "Model 1 Defuse Light Colour Blue", v.modelColour[0].z),
    KEY("model1.spotPosition.x", "Model 1 Spot Light Position X", v.modelSpotPosition[0].x),
    KEY("model1.spotPosition.y", "Model 1 Spot Light Position Y", v.modelSpotPosition[0].y),
    KEY("model1.spotPosition.z", "Model 1 Spot Light Position Z", v.modelSpotPosition[0].z),
    KEY("model1.fade", "Model 1 Fade Alpha", v.modelFade[0]),
    KEY("model1.textureOffset.s", "Model 1 Texture Pos Y", v.modelTexOffset[0].s),
    KEY("model1.textureOffset.t", "Model 1 Texture Pos Z", v.modelTexOffset[0].t),
    KEY("model1.blur.density", "Model 1 Radial Blur Density", v.modelBlur[0].x),
    KEY("model1.blur.alpha", "Model 1 Radial Blur Alpha", v.modelBlur[0].y),
    KEY("model1.blur.separation", "Model 1 Radial Blur Seperation", v.modelBlur[0].z),
    KEY("model1.blur.colour.r", "Model 1 Radial Blur Colour Red", v.modelBlurColour[0].x),
    KEY("model1.blur.colour.g", "Model 1 Radial Blur Colour Green", v.modelBlurColour[0].y),
    KEY("model1.blur.colour.b", "Model 1 Radial Blur Colour Blue", v.modelBlurColour[0].z),

    KEY("model2.rotate.x", "Model 2 Rotations X", v.modelRotation[1].x),
    KEY("model2.rotate.y", "Model 2 Rotations Y", v.modelRotation[1].y),
    KEY("model2.rotate.z", "Model 2 Rotations Z", v.modelRotation[1].z),
    KEY("model2.position.x", "Model 2 Positions X", v.modelPosition[1].x),
    KEY("model2.position.y", "Model 2 Positions Y", v.modelPosition[1].y),
    KEY("model2.position.z", "Model 2 Positions Z", v.modelPosition[1].z),
    KEY("model2.scale.x", "Model 2 Scale X", v.modelScale[1].x),
    KEY("model2.scale.y", "Model 2 Scale Y", v.modelScale[1].y),
    KEY("model2.scale.z", "Model 2 Scale Z", v.modelScale[1].z),
    KEY("model2.colour.r", "Model 2 Defuse Light Colour Red", v.modelColour[1].x),
    KEY("model2.colour.g", "Model 2 Defuse Light Colour Green", v.modelColour[1].y),
    KEY("model2.colour.b", "Model 2 Defuse Light Colour Blue", v.modelColour[1].z),
    KEY("model2.spotPosition.x", "Model 2 Spot Light Position X", v.modelSpotPosition[1].x),
    KEY("model2.spotPosition.y", "Model 2 Spot Light Position Y", v.modelSpotPosition[1].y),
    KEY("model2.spotPosition.z", "Model 2 Spot Light Position Z", v.modelSpotPosition[1].z),
    KEY("model2.fade", "Model 2 Fade Alpha", v.modelFade[1]),
    KEY("model2.textureOffset.s", "Model 2 Texture Pos Y", v.modelTexOffset[1].s),
    KEY("model2.textureOffset.t", "Model 2 Texture Pos Z", v.modelTexOffset[1].t),
    KEY("model2.blur.density", "Model 2 Radial Blur Density", v.modelBlur[1].x),
    KEY("model2.blur.alpha", "Model 2 Radial Blur Alpha", v.modelBlur[1].y),
    KEY("model2.blur.separation", "Model 2 Radial Blur Seperation", v.modelBlur[1].z),
    KEY("model2.blur.colour.r", "Model 2 Radial Blur Colour Red", v.modelBlurColour[1].x),
    KEY("model2.blur.colour.g", "Model 2 Radial Blur Colour Green", v.modelBlurColour[1].y),
    KEY("model2.blur.colour.b", "Model 2 Radial Blur Colour Blue", v.modelBlurColour[1].z),

    KEY("model3.rotate.x", "Model 3 Rotations X", v.modelRotation[2].x),
    KEY("model3.rotate.y", "Model 3 Rotations Y", v.modelRotation[2].y),
    KEY("model3.rotate.z", "Model 3 Rotations Z", v.modelRotation[2].z),
    KEY("model3.position.x", "Model 3 Positions X", v.modelPosition[2].x),
    KEY("model3.position.y", "Model 3 Positions Y", v.modelPosition[2].y),
    KEY("model3.position.z", "Model 3 Positions Z", v.modelPosition[2].z),
    KEY("model3.scale.x", "Model 3 Scale X", v.modelScale[2].x),
    KEY("model3.scale.y", "Model 3 Scale Y", v.modelScale[2].y),
    KEY("model3.scale.z", "Model 3 Scale Z", v.modelScale[2].z),
    KEY("model3.colour.r", "Model 3 Defuse Light Colour Red", v.modelColour[2].x),
    KEY("model3.colour.g", "Model 3 Defuse Light Colour Green", v.modelColour[2].y),
    KEY("model3.colour.b", "Model 3 Defuse Light Colour Blue", v.modelColour[2].z),
    KEY("model3.spotPosition.x", "Model 3 Spot Light Position X", v.modelSpotPosition[2].x),
    KEY("model3.spotPosition.y", "Model 3 Spot Light Position Y", v.modelSpotPosition[2].y),
    KEY("model3.spotPosition.z", "Model 3 Spot Light Position Z", v.modelSpotPosition[2].z),
    KEY("model3.fade", "Model 3 Fade Alpha", v.modelFade[2]),
    KEY("model3.textureOffset.s", "Model 3 Texture Pos Y", v.modelTexOffset[2].s),
    KEY("model3.textureOffset.t", "Model 3 Texture Pos Z", v.modelTexOffset[2].t),
    KEY("model3.blur.density", "Model 3 Radial Blur Density", v.modelBlur[2].x),
    KEY("model3.blur.alpha", "Model 3 Radial Blur Alpha", v.modelBlur[2].y),
    KEY("model3.blur.separation", "Model 3 Radial Blur Seperation", v.modelBlur[2].z),
    KEY("model3.blur.colour.r", "Model 3 Radial Blur Colour Red", v.modelBlurColour[2].x),
    KEY("model3.blur.colour.g", "Model 3 Radial Blur Colour Green", v.modelBlurColour[2].y),
    KEY("model3.blur.colour.b", "Model 3 Radial Blur Colour Blue", v.modelBlurColour[2].z),

    KEY("pictures.rotate.x", "Rotate Picture X", v.pictureRotation.x),
    KEY("pictures.rotate.y", "Rotate Picture Y", v.pictureRotation.y),
    KEY("pictures.rotate.z", "Rotate Picture Z", v.pictureRotation.z),
    KEY("pictures.pan.x", "Pan Picture X", v.picturePan.x),
    KEY("pictures.pan.y", "Pan Picture Y", v.picturePan.y),
    KEY("pictures.pan.z", "Pan Picture Z", v.picturePan.z),
    KEY("pictures.scale.x", "Scale Picture X", v.pictureScale.x),
    KEY("pictures.scale.y", "Scale Picture Y", v.pictureScale.y),
    KEY("pictures.scale.z", "Scale Picture Z", v.pictureScale.z),
    KEY("pictures.light.x", "Picture Light Position X", v.pictureLight.x),
    KEY("pictures.light.y", "Picture Light Position Y", v.pictureLight.y),
    KEY("pictures.light.z", "Picture Light Position Z", v.pictureLight.z),
    KEY("pictures.wavy", "Wavy Picture", v.pictureWavy),
    KEY("pictures.separation", "Picture Seperation", v.pictureSeparation),
    {"pictures.flagWave", "Flag Wave", nullptr,
     [](CZoetraView& v) -> std::int32_t& { return v.flagWave; }},
    KEY("pictures.fade", "Picture Fade", v.pictureFade),
}};

#undef KEY

} // namespace

const std::array<KeyableParam, kKeyableCount>& keyableParams() {
    return kParams;
}

int keyableIndex(std::string_view id) {
    for (int p = 0; p < kKeyableCount; ++p)
        if (id == kParams[p].id) return p;
    return -1;
}

float keyableValue(const CZoetraView& v, int p) {
    auto& scene = const_cast<CZoetraView&>(v);
    const KeyableParam& param = kParams[p];
    return param.value ? param.value(scene) : static_cast<float>(param.intValue(scene));
}

void setKeyableValue(CZoetraView& v, int p, float value) {
    const KeyableParam& param = kParams[p];
    if (param.value) {
        param.value(v) = value;
        return;
    }
    // Truncation toward zero, kept inside the integer's range.
    const float whole = std::trunc(value);
    param.intValue(v) = whole != whole            ? 0
                        : whole >= 2147483520.0f  ? 2147483520
                        : whole <= -2147483648.0f ? -2147483647 - 1
                                                  : static_cast<std::int32_t>(whole);
}
