// The blur's declaration: keyable values, reset, render targets as texture slots.
#include "effects/blur/BlurEffect.h"

#include "effects/CommonEffectSteps.h"
#include "effects/blur/BlurControls.h"
#include "effects/blur/BlurLayer.h"
#include "scene/CZoetraView.h"

const KeyField kBlurKeys[] = {
    KEYED_VALUE("radial.density", "Radial Blur Density", v.radialBlurDensity),
    KEYED_VALUE("radial.fade", "Blur Alpha Fade", v.radialBlurFade),
    KEYED_VALUE("radial.separation", "Blur Seperation", v.radialBlurSeparation),
    KEYED_VALUE("radial.colour.r", "Radial Blur Colour Red", v.radialBlurRed),
    KEYED_VALUE("radial.colour.g", "Radial Blur Colour Green", v.radialBlurGreen),
    KEYED_VALUE("radial.colour.b", "Radial Blur Colour Blue", v.radialBlurBlue),
    KEYED_VALUE("motion.fade", "Motion Blur Fade", v.motionBlurFade),
    KEYED_VALUE("motion.trim", "Motion Blur Trim", v.motionBlurTrim),
    KEYED_VALUE("motion.stretch.x", "Motion Blur Stetch Left / Right", v.motionBlurStretchX),
    KEYED_VALUE("motion.stretch.y", "Motion Blur Stretch Up / Down", v.motionBlurStretchY),
    // Written by playback, read by no effect, reached by no control.
    KEYED_VALUE("spare", "Blur Spare (unused)", v.blurSpare, 0),
};

namespace {

constexpr KeySlice kBlurKeySlices[] = {{"blur", kBlurKeys}};
constexpr const ControlPage* kBlurPages[] = {&kBlurPage};

} // namespace

const EffectDescriptor kBlurEffect{
    .name = "blur",
    .keys = kBlurKeySlices,
    .pages = kBlurPages,
    .reset = resetToDefaults<BlurParams>,
    .startUp = createBlurTargets,
    .textureSlots =
        appendTextureSlots<&CZoetraView::radialBlurTexture, &CZoetraView::modelBlurTexture1,
                           &CZoetraView::modelBlurTexture2, &CZoetraView::modelBlurTexture3,
                           &CZoetraView::motionBlurTexture>,
};
