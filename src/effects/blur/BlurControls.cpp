// The "Blur Control" page as data: its entries (each also chooses radial or motion blur), the
// "Blur On" / "Blur Off" button, the "Apply Blur to:" boxes, opening and Reset.
#include "effects/blur/BlurControls.h"

#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "platform/Platform.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

namespace {

constexpr SliderRange kWide{-360, 360};
constexpr SliderRange kHundredths{0, 100};

void chooseRadial(CZoetraView& v, int) {
    v.radialBlurOn = 2.0f;
    v.motionBlurOn = 0;
}
void chooseMotion(CZoetraView& v, int) {
    v.radialBlurOn = 0;
    v.motionBlurOn = 2.0f;
}

// The page's edits only show the values; no drag reaches the blur.
constexpr ControlEntry entry(const char* text, ValueRef x, ValueRef y, ValueRef z,
                             SliderRange range, void (*choose)(CZoetraView&, int)) {
    ControlEntry e;
    e.text = text;
    e.values[0] = x;
    e.values[1] = y;
    e.values[2] = z;
    for (int n = 0; n < 3; ++n) {
        e.enabled[n] = !e.values[n].empty();
        e.ranges[n] = e.enabled[n] ? range : SliderRange{};
        e.editSets[n] = false;
    }
    e.onChoose = choose;
    return e;
}

const ControlEntry kBlurEntries[] = {
    entry("Radial Blur Density (X)  Blur Alpha Fade (Y)  Blur Seperation (Z)",
          {"blur.radial.density"}, {"blur.radial.fade"}, {"blur.radial.separation"}, kWide,
          chooseRadial),
    entry("Radial Blur Colour Red (X)  Colour Green (Y) Colour Blue (Z)", {"blur.radial.colour.r"},
          {"blur.radial.colour.g"}, {"blur.radial.colour.b"}, kHundredths, chooseRadial),
    entry("Motion Blur Density (X) Motion Blur Fade (Y) Motion Blur Trim (Z)",
          {nullptr, sceneField<&CZoetraView::motionBlurDensity>}, {"blur.motion.fade"},
          {"blur.motion.trim"}, kWide, chooseMotion),
    entry("Motion Blur Stetch Left / Right (X)  Stretch Up / Down (Y)  ", {"blur.motion.stretch.x"},
          {"blur.motion.stretch.y"}, {}, kWide, chooseMotion),
};

bool noDrag(const CZoetraView&, int) {
    return false;
}

// Every click of "Blur On" / "Blur Off" first switches both blurs off; the second click of a
// cycle then switches the radial blur on again.
void blurButtonClicked(CZoetraView& v, int, bool) {
    v.motionBlurOn = 0;
}

const ToggleSpec kBlurToggles[] = {
    switchButton<&CZoetraView::radialBlurOn, &CZoetraView::blurOnClicks>("Blur Off", "Blur On",
                                                                         {0, 2}, blurButtonClicked),
    // "Apply Blur to:" check boxes; "Fire" and "Model" are on the page but hidden.
    checkBox<&CZoetraView::blurText, &CZoetraView::blurTextClicks>("Text"),
    checkBox<&CZoetraView::blurStars, &CZoetraView::blurStarsClicks>("Stars"),
    checkBox<&CZoetraView::blurParticles, &CZoetraView::blurParticlesClicks>("Particles"),
    checkBox<&CZoetraView::blurFire, &CZoetraView::blurFireClicks>("Fire", true),
    checkBox<&CZoetraView::blurModel, &CZoetraView::blurModelClicks>("Model", true),
};

// Creating the page switches the radial blur on while the text is a blur source.
void openBlurPage(CZoetraView& v, int) {
    if (isOn(v.blurText)) v.radialBlurOn = 2.0f;
    v.blurOnClicks = 0;
}

// Reset: the overlay's density, separation and colour, the motion blur and the "Apply Blur to:"
// boxes back to their start values (only the text ticked); the switch and the colour mode stay.
void resetBlurPage(CZoetraView& v, int) {
    using P = BlurParams;
    restoreStartValues<P>(v, &P::radialBlurDensity, &P::radialBlurSeparation, &P::legacyBlurColour,
                          &P::motionBlurDensity, &P::motionBlurFade, &P::motionBlurTrim,
                          &P::motionBlurStretchX, &P::motionBlurStretchY, &P::motionBlurOn,
                          &P::blurText, &P::blurTextClicks, &P::blurStars, &P::blurStarsClicks,
                          &P::blurParticles, &P::blurParticlesClicks, &P::blurFire,
                          &P::blurFireClicks, &P::blurModel, &P::blurModelClicks);
    // A new scene starts the overlay at a fade of 0.2; Reset clears it to nothing.
    v.radialBlurFade = 0;
}

} // namespace

const ControlPage kBlurPage{
    .page = DeckPage::Blur,
    .caption = "Blur Control",
    .entries = kBlurEntries,
    .leftDragGate = noDrag,
    .rightDragGate = noDrag,
    .routesMouse = false,
    .toggles = kBlurToggles,
    .open = openBlurPage,
    .reset = resetBlurPage,
};

bool changeLegacyBlurColour(CZoetraView& v) {
    v.deckUi().setVisible(false);
    const unsigned last = v.lastBlurColourChoice;
    const std::optional<QColor> chosen = platform().chooseColour(
        QColor(int((last >> 16) & 0xff), int((last >> 8) & 0xff), int(last & 0xff)));
    if (chosen) {
        v.lastBlurColourChoice = unsigned(chosen->rgb()) & 0xffffffu;
        v.legacyBlurColour = {float(chosen->red()) / 255, float(chosen->green()) / 255,
                              float(chosen->blue()) / 255};
    }
    v.deckUi().setVisible(true);
    return chosen.has_value();
}
