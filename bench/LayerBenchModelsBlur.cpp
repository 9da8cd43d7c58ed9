// The model slots and the blur passes at 720 x 480: each model switch, the radial captures
// (layers and a model) with their overlays, and the motion capture with its overlays.
#include "LayerBenchScene.h"

#include "effects/blur/BlurLayer.h"
#include "effects/models/ModelLayer.h"

namespace {

bool alwaysCapture(float) {
    return true;
}

void modelSlot(benchmark::State& state, void (*setUp)(CZoetraView&)) {
    layerBenchScene().run(
        state,
        [setUp](CZoetraView& v) {
            v.modelOn[0] = 2;
            setUp(v);
        },
        [](CZoetraView& v) { drawModel(v, 0); });
}

void modelDefault(benchmark::State& state) {
    modelSlot(state, [](CZoetraView&) {});
}
void modelShiny(benchmark::State& state) {
    modelSlot(state, [](CZoetraView& v) { v.modelShiny[0] = 2; });
}
void modelSphereMapTransparent(benchmark::State& state) {
    modelSlot(state, [](CZoetraView& v) {
        v.modelSphereMap[0] = 2;
        v.modelTransparency[0] = 2;
    });
}
void threeModels(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView&) {},
        [](CZoetraView& v) {
            for (int i = 0; i < 3; ++i)
                drawModel(v, i);
        });
}

// The radial capture of the text (the default blur source) alone, and with its 25 copies.
void radialCaptureText(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView& v) { v.blurText = 2; }, [](CZoetraView& v) { captureRadial(v); });
}
void radialOverlay25(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView& v) { v.radialBlurDensity = 0; },
        [](CZoetraView& v) { drawRadialBlurMain(v); });
}
void radialOverlay385(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView& v) { v.radialBlurDensity = 360; },
        [](CZoetraView& v) { drawRadialBlurMain(v); });
}
void modelRadialCapture(benchmark::State& state) {
    layerBenchScene().run(
        state,
        [](CZoetraView& v) {
            v.modelRadialBlur[0] = 2;
            v.radialBlurDensity = 0;
        },
        [](CZoetraView& v) { captureModelRadial(v, 0); });
}
// An empty capture: the framebuffer switch, clear, resolve and copy alone.
void radialCaptureEmpty(benchmark::State& state) {
    layerBenchScene().run(
        state,
        [](CZoetraView& v) {
            v.blurText = 0;
            v.blurStars = v.blurParticles = v.blurFire = v.blurModel = 0;
        },
        [](CZoetraView& v) { captureRadial(v); });
}
void motionCaptureText(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView& v) { v.blurText = 2; },
        [](CZoetraView& v) { captureMotionBlur(v, alwaysCapture); });
}
void motionOverlay(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView&) {}, [](CZoetraView& v) { drawMotionBlurOverlay(v); });
}

} // namespace

BENCHMARK(modelDefault)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(modelShiny)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(modelSphereMapTransparent)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(threeModels)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(radialCaptureEmpty)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(radialCaptureText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(modelRadialCapture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(radialOverlay25)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(radialOverlay385)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(motionCaptureText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(motionOverlay)->Unit(benchmark::kMillisecond)->UseRealTime();
