// Per-layer benchmarks of the scenery layers: the tiles, tunnel and pictures slots at 720 x 480
// with their start-up values (the layer switched on, nothing else changed).
#include "LayerBenchScene.h"

#include "effects/pictures/PictureLayer.h"
#include "effects/tiles/TileLayer.h"
#include "effects/tunnel/TunnelLayer.h"

namespace {

void tilesSlot(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView& v) { v.tilesOn = 2; }, [](CZoetraView& v) { drawTiles(v); });
}
BENCHMARK(tilesSlot)->Unit(benchmark::kMillisecond)->UseRealTime();

void tunnelSlot(benchmark::State& state) {
    layerBenchScene().run(
        state, [](CZoetraView& v) { v.tunnelOn = 2; }, [](CZoetraView& v) { drawTunnel(v); });
}
BENCHMARK(tunnelSlot)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both sheets (picture 2 and picture 1) and the wave refresh that follows them every frame.
void picturesSlot(benchmark::State& state) {
    layerBenchScene().run(
        state,
        [](CZoetraView& v) {
            v.pictureOn = 2;
            rebuildPictureMesh(v, 0);
            rebuildPictureMesh(v, 1);
        },
        [](CZoetraView& v) {
            drawPictures(v);
            updatePictureWave(v);
        });
}
BENCHMARK(picturesSlot)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
