// A headless 720 x 480 scene for the per-layer benchmarks: the start-up look drawn into an
// offscreen framebuffer, ready for one layer's slot to be timed.
#pragma once

#include "render/HeadlessRender.h"
#include "render/OffscreenTarget.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

class LayerBenchScene {
  public:
    LayerBenchScene() {
        RenderOptions options;
        options.width = 720;
        options.height = 480;
        options.lastFrame = 0;
        QString error;
        if (!render_.open(options, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            std::exit(1);
        }
        render_.target().bind();
    }
    CZoetraView& scene() { return render_.scene(); }

    // Times `slot` (and a clear) once per iteration, the GPU included: register the case with
    // UseRealTime(). `setUp` runs once before.
    template <typename SetUp, typename Slot>
    void run(benchmark::State& state, SetUp setUp, Slot slot) {
        setUp(scene());
        slot(scene()); // the first frame builds what the layer builds lazily
        glFinish();
        for (auto _ : state) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            slot(scene());
            glFinish();
        }
    }

  private:
    HeadlessRender render_;
};

// One scene for the whole benchmark run.
LayerBenchScene& layerBenchScene();
