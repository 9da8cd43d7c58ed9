// The blur's declaration: keyable values, reset, render targets as texture slots.
#include "effects/blur/BlurEffect.h"

#include "effects/blur/BlurControls.h"
#include "effects/blur/BlurLayer.h"
#include "scene/CZoetraView.h"

#define KEY(name, label, field)                                                                    \
    {                                                                                              \
        name, label, [](CZoetraView& v, int) -> float& { return field; }                           \
    }

const KeyField kBlurKeys[] = {
    KEY("radial.density", "Radial Blur Density", v.radialBlurDensity),
    KEY("radial.fade", "Blur Alpha Fade", v.radialBlurFade),
    KEY("radial.separation", "Blur Seperation", v.radialBlurSeparation),
    KEY("radial.colour.r", "Radial Blur Colour Red", v.radialBlurRed),
    KEY("radial.colour.g", "Radial Blur Colour Green", v.radialBlurGreen),
    KEY("radial.colour.b", "Radial Blur Colour Blue", v.radialBlurBlue),
    KEY("motion.fade", "Motion Blur Fade", v.motionBlurFade),
    KEY("motion.trim", "Motion Blur Trim", v.motionBlurTrim),
    KEY("motion.stretch.x", "Motion Blur Stetch Left / Right", v.motionBlurStretchX),
    KEY("motion.stretch.y", "Motion Blur Stretch Up / Down", v.motionBlurStretchY),
    // Written by playback, read by no effect, reached by no control.
    {"spare", "Blur Spare (unused)", [](CZoetraView& v, int) -> float& { return v.blurSpare; },
     nullptr, 0},
};

#undef KEY

namespace {

void resetBlur(CZoetraView& v) {
    static_cast<BlurParams&>(v) = BlurParams{};
}

void blurSlots(CZoetraView& v, std::vector<unsigned*>& list) {
    list.insert(list.end(), {&v.radialBlurTexture, &v.modelBlurTexture1, &v.modelBlurTexture2,
                             &v.modelBlurTexture3, &v.motionBlurTexture});
}

constexpr KeySlice kBlurKeySlices[] = {{"blur", kBlurKeys}};
constexpr const ControlPage* kBlurPages[] = {&kBlurPage};

} // namespace

const EffectDescriptor kBlurEffect{
    .name = "blur",
    .keys = kBlurKeySlices,
    .pages = kBlurPages,
    .reset = resetBlur,
    .startUp = createBlurTargets,
    .textureSlots = blurSlots,
};
