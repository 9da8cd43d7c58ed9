// Per-layer benchmarks: each layer's slot at 720 x 480 with its start-up values, headless.
//
//   lumatoy_layer_bench [--benchmark_filter=REGEX] [Google Benchmark options]
//
// Each layer's group adds its cases in a LayerBench<Group>.cpp of its own; this file holds the
// shared scene, the text layer and main().
#include "LayerBenchScene.h"

#include "effects/text/TextLayer.h"

#include <QGuiApplication>

LayerBenchScene& layerBenchScene() {
    static LayerBenchScene scene;
    return scene;
}

namespace {

void textSlot(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView&) {}, [](CZoetraView& v) { drawTextSlot(v); });
}
BENCHMARK(textSlot)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
