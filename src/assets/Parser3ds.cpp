// Bounded chunk walker for 3DS files: main, object and material walkers, axis conversion, normals.
#include "assets/Parser3ds.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kHeaderSize = 6;
// Deeper nesting than any real file uses; it keeps a crafted file from exhausting the stack.
constexpr int kMaxDepth = 32;

struct Chunk {
    uint16_t id = 0;
    size_t data = 0; // first byte after the header
    size_t end = 0;  // one past the last byte, never past the parent's end
};

class Parser {
  public:
    Parser(Model3ds& model, const uint8_t* bytes, size_t size, Parse3dsReport& report)
        : model_(model), bytes_(bytes), size_(size), report_(report) {}

    bool run() {
        Chunk primary;
        if (!readHeader(0, size_, primary) || primary.id != chunk3ds::kPrimary) return false;
        walkMain(primary.data, primary.end, 0);
        return true;
    }

  private:
    // A child header at `at` inside a parent ending at `limit`. A length shorter than a header
    // cannot be stepped over, so it ends the parent's walk; a length past the parent is cut.
    bool readHeader(size_t at, size_t limit, Chunk& c) const {
        if (limit < at || limit - at < kHeaderSize) return false;
        c.id = u16(at);
        const uint32_t length = u32(at + 2);
        if (length < kHeaderSize) return false;
        c.data = at + kHeaderSize;
        c.end = at + std::min<size_t>(length, limit - at);
        return true;
    }

    uint16_t u16(size_t at) const { return uint16_t(bytes_[at] | bytes_[at + 1] << 8); }

    // How many records of `recordSize` bytes a list in chunk `c` holds: the list's 16-bit count,
    // but no more than follow it inside the chunk.
    size_t listedRecords(const Chunk& c, size_t recordSize) const {
        const size_t available = c.end - c.data;
        const size_t count = available >= 2 ? u16(c.data) : 0;
        return std::min(count, (available - std::min<size_t>(available, 2)) / recordSize);
    }
    uint32_t u32(size_t at) const {
        return uint32_t(bytes_[at]) | uint32_t(bytes_[at + 1]) << 8 |
               uint32_t(bytes_[at + 2]) << 16 | uint32_t(bytes_[at + 3]) << 24;
    }
    float f32(size_t at) const {
        const uint32_t bits = u32(at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return std::isfinite(value) ? value : 0.0f;
    }

    // Reads a NUL-terminated string starting at `at`, never past `end`; keeps at most 254
    // characters. Returns the position after the NUL (or `end` when there is none).
    size_t readString(size_t at, size_t end, char (&out)[kName3dsSize]) const {
        size_t i = at;
        size_t kept = 0;
        while (i < end && bytes_[i] != 0) {
            if (kept < kName3dsSize - 1) out[kept++] = char(bytes_[i]);
            ++i;
        }
        out[kept] = 0;
        return i < end ? i + 1 : end;
    }

    template <typename Handler> void walk(size_t from, size_t to, Handler&& handle) {
        size_t at = from;
        Chunk c;
        while (readHeader(at, to, c)) {
            const size_t next = handle(c);
            at = std::max(next, c.data); // always moves on by at least a header
        }
    }

    void walkMain(size_t from, size_t to, int depth) {
        if (depth > kMaxDepth) return;
        walk(from, to, [&](const Chunk& c) -> size_t {
            switch (c.id) {
            case chunk3ds::kVersion: {
                uint32_t version = 0;
                for (size_t i = 0; i < 4 && c.data + i < c.end; ++i)
                    version |= uint32_t(bytes_[c.data + i]) << (8 * i);
                if (version > 3) ++report_.versionWarnings;
                break;
            }
            case chunk3ds::kEditor:
                // Its mesh-version child falls under "anything else" and is skipped.
                walkMain(c.data, c.end, depth + 1);
                break;
            case chunk3ds::kMaterial:
                ++model_.materialCount;
                model_.materials.resize(size_t(model_.materialCount));
                walkMaterial(model_.materials.back(), c.data, c.end, depth + 1);
                break;
            case chunk3ds::kObject: {
                ++model_.objectCount;
                if (model_.objects.size() < size_t(model_.objectCount))
                    model_.objects.resize(size_t(model_.objectCount));
                Object3ds& object = model_.objects[size_t(model_.objectCount - 1)];
                object = Object3ds();
                const size_t children = readString(c.data, c.end, object.name);
                walkObject(object, children, c.end, depth + 1);
                break;
            }
            default: // keyframer data and everything else
                break;
            }
            return c.end;
        });
    }

    void walkObject(Object3ds& object, size_t from, size_t to, int depth) {
        if (depth > kMaxDepth) return;
        walk(from, to, [&](const Chunk& c) -> size_t {
            const size_t available = c.end - c.data;
            switch (c.id) {
            case chunk3ds::kTriangleMesh:
                walkObject(object, c.data, c.end, depth + 1);
                return c.end;
            case chunk3ds::kVertexList: {
                const size_t n = listedRecords(c, 12);
                object.vertices.assign(n, Point3ds());
                for (size_t i = 0; i < n; ++i) {
                    const size_t at = c.data + 2 + i * 12;
                    // File axes (x, y, z) become (x, z, -y): the file's z points up.
                    object.vertices[i] = {f32(at), f32(at + 8), -f32(at + 4)};
                }
                object.vertexCount = int32_t(n);
                return c.end;
            }
            case chunk3ds::kFaceList: {
                const size_t n = listedRecords(c, 8);
                object.faces.assign(n, Face3ds());
                for (size_t i = 0; i < n; ++i) {
                    const size_t at = c.data + 2 + i * 8;
                    for (int k = 0; k < 3; ++k)
                        object.faces[i].vertexIndex[k] = u16(at + 2 * k);
                }
                object.faceCount = int32_t(n);
                // The smoothing groups and face-material lists that follow are read as
                // further children of the mesh.
                return available >= 2 ? c.data + 2 + n * 8 : c.end;
            }
            case chunk3ds::kFaceMaterial: {
                char name[kName3dsSize];
                readString(c.data, c.end, name);
                object.materialId = -1;
                for (int i = 0; i < model_.materialCount; ++i) {
                    const Material3ds& m = model_.materials[size_t(i)];
                    if (std::strcmp(m.name, name) == 0) {
                        object.materialId = i;
                        if (m.textureFile[0] != 0) object.hasTexture = 1;
                        break;
                    }
                }
                return c.end;
            }
            case chunk3ds::kMapCoords: {
                const size_t n = listedRecords(c, 8);
                object.texVertices.assign(n, TexCoord3ds());
                for (size_t i = 0; i < n; ++i) {
                    const size_t at = c.data + 2 + i * 8;
                    object.texVertices[i] = {f32(at), f32(at + 4)};
                }
                object.texVertexCount = int32_t(n);
                return c.end;
            }
            default:
                return c.end;
            }
        });
    }

    void walkMaterial(Material3ds& material, size_t from, size_t to, int depth) {
        if (depth > kMaxDepth) return;
        walk(from, to, [&](const Chunk& c) -> size_t {
            switch (c.id) {
            case chunk3ds::kMaterialName:
                readString(c.data, c.end, material.name);
                break;
            case chunk3ds::kDiffuse:
                readColour(c, material.colour);
                break;
            case chunk3ds::kTextureMap:
                walkMaterial(material, c.data, c.end, depth + 1);
                break;
            case chunk3ds::kMapFile:
                readString(c.data, c.end, material.textureFile);
                break;
            default:
                break;
            }
            return c.end;
        });
    }

    // The first colour sub-chunk of a colour chunk: 24-bit bytes, or floats 0...1.
    void readColour(const Chunk& parent, uint8_t (&colour)[3]) const {
        Chunk c;
        if (!readHeader(parent.data, parent.end, c)) return;
        const size_t available = c.end - c.data;
        if ((c.id == chunk3ds::kColour24 || c.id == chunk3ds::kLinearColour24) && available >= 3) {
            for (int i = 0; i < 3; ++i)
                colour[i] = bytes_[c.data + size_t(i)];
        } else if ((c.id == chunk3ds::kColourFloat || c.id == chunk3ds::kLinearColourFloat) &&
                   available >= 12) {
            for (int i = 0; i < 3; ++i) {
                const float v = std::clamp(f32(c.data + 4 * size_t(i)), 0.0f, 1.0f);
                colour[i] = uint8_t(std::lround(v * 255.0f));
            }
        }
    }

    Model3ds& model_;
    const uint8_t* bytes_;
    size_t size_;
    Parse3dsReport& report_;
};

// Makes an object safe to draw: faces only name existing vertices, and texture coordinates,
// when present, exist for every vertex.
int sanitise(Object3ds& object) {
    const int32_t vertices = object.vertexCount;
    const auto bad = [vertices](const Face3ds& f) {
        for (int32_t v : f.vertexIndex)
            if (v < 0 || v >= vertices) return true;
        return false;
    };
    const size_t before = object.faces.size();
    object.faces.erase(std::remove_if(object.faces.begin(), object.faces.end(), bad),
                       object.faces.end());
    object.faceCount = int32_t(object.faces.size());
    if (!object.texVertices.empty() && object.texVertices.size() != size_t(vertices)) {
        object.texVertices.resize(size_t(vertices));
        object.texVertexCount = vertices;
    }
    return int(before - object.faces.size());
}

} // namespace

void computeNormals3ds(Object3ds& object) {
    const size_t n = object.vertices.size();
    std::vector<Point3ds> sum(n);
    std::vector<int> uses(n, 0);
    for (const Face3ds& f : object.faces) {
        const Point3ds& p = object.vertices[size_t(f.vertexIndex[0])];
        const Point3ds& q = object.vertices[size_t(f.vertexIndex[1])];
        const Point3ds& r = object.vertices[size_t(f.vertexIndex[2])];
        const Point3ds a{p.x - r.x, p.y - r.y, p.z - r.z};
        const Point3ds b{r.x - q.x, r.y - q.y, r.z - q.z};
        const Point3ds normal{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        for (int k = 0; k < 3; ++k) {
            const int32_t v = f.vertexIndex[k];
            // A face that names the same vertex twice counts once for it.
            if ((k > 0 && v == f.vertexIndex[0]) || (k > 1 && v == f.vertexIndex[1])) continue;
            Point3ds& s = sum[size_t(v)];
            s.x += normal.x;
            s.y += normal.y;
            s.z += normal.z;
            ++uses[size_t(v)];
        }
    }
    object.normals.assign(n, Point3ds{0, 1, 0});
    for (size_t i = 0; i < n; ++i) {
        if (uses[i] == 0) continue; // a vertex no face uses keeps an upward normal
        const float d = -float(uses[i]);
        const Point3ds avg{sum[i].x / d, sum[i].y / d, sum[i].z / d};
        const float length = std::sqrt(avg.x * avg.x + avg.y * avg.y + avg.z * avg.z);
        if (length > 0 && std::isfinite(length))
            object.normals[i] = {avg.x / length, avg.y / length, avg.z / length};
    }
}

Parse3dsReport parse3ds(Model3ds& model, const uint8_t* data, size_t size) {
    Parse3dsReport report;
    const int32_t firstNew = model.objectCount;
    Parser parser(model, data, size, report);
    report.primary = parser.run();
    for (int32_t i = std::max(0, firstNew); i < model.objectCount; ++i) {
        Object3ds& object = model.objects[size_t(i)];
        report.droppedFaces += sanitise(object);
        computeNormals3ds(object);
    }
    return report;
}
