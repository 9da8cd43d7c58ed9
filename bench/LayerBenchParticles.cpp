// Layer benchmarks of the particle fountain, the star spiral and the fire: each slot at
// 720 x 480 with its start-up values (the cloud warmed up and the fire pool filled first).
#include "LayerBenchScene.h"

#include "effects/fire/FireLayer.h"
#include "effects/particles/ParticleLayer.h"
#include "effects/stars/StarLayer.h"

namespace {

void particlesSlot(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView& v) { v.particleWarmUpRequest = 2; },
        [](CZoetraView& v) { drawParticles(v); });
}
BENCHMARK(particlesSlot)->Unit(benchmark::kMillisecond)->UseRealTime();

void starsSlot(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView&) {}, [](CZoetraView& v) { drawStars(v); });
}
BENCHMARK(starsSlot)->Unit(benchmark::kMillisecond)->UseRealTime();

// The default fire number draws one copy a frame; 118 draws the longest chain, 26 copies. The
// pool is first stepped into its steady state (about 270 live flames at the defaults).
void fireSlot(benchmark::State& state) {
    const float number = static_cast<float>(state.range(0));
    layerBenchScene().run(
        state,
        [number](CZoetraView& v) {
            v.fireNumber = number;
            v.fireLife = 14 - number; // 15 time units per copy, as with the defaults
            for (int i = 0; i < 400; ++i)
                v.fireSystem.stepFire(fireTimeStep(v), v);
        },
        [](CZoetraView& v) { drawFire(v); });
}
BENCHMARK(fireSlot)->Arg(243)->Arg(118)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
