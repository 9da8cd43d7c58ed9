// Fuzz target: any bytes as a 3DS file, imported twice into one model record.
#include "assets/Parser3ds.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Model3ds model;
    parse3ds(model, data, size);
    model.objectCount = 0; // a re-import, as the model picker and the sequence reader do it
    parse3ds(model, data, size);
    // Everything the drawing code indexes must be in range.
    for (int i = 0; i < model.objectCount; ++i) {
        const Object3ds& o = model.objects[size_t(i)];
        if (o.vertices.size() != size_t(o.vertexCount) ||
            o.normals.size() != size_t(o.vertexCount) || o.faces.size() != size_t(o.faceCount) ||
            (o.texVertexCount != 0 && o.texVertexCount != o.vertexCount))
            std::abort();
        for (const Face3ds& f : o.faces)
            for (int v : f.vertexIndex)
                if (v < 0 || v >= o.vertexCount) std::abort();
        for (const Point3ds& n : o.normals)
            if (!std::isfinite(n.x) || !std::isfinite(n.y) || !std::isfinite(n.z)) std::abort();
        if (o.materialId > 0 && o.materialId >= model.materialCount) std::abort();
    }
    return 0;
}
