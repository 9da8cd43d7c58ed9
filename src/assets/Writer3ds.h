// Writes 3DS files: a chunk builder, and a whole-model writer for meshes with one material each.
#pragma once

#include "assets/Model3ds.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Builds nested chunks; each end() patches the length of the chunk its begin() opened.
class ChunkWriter3ds {
  public:
    void begin(uint16_t id);
    void end();
    void u8(uint8_t v) { bytes_.push_back(v); }
    void u16(uint16_t v);
    void u32(uint32_t v);
    void f32(float v);
    void string(const std::string& s); // with its terminating NUL
    void raw(const std::vector<uint8_t>& data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open_;
};

struct MaterialSpec3ds {
    std::string name;
    std::string textureFile; // empty: no texture map
    std::array<uint8_t, 3> colour{200, 200, 200};
};

// Vertices are given in the file's axes (z up); the reader turns them into (x, z, -y).
struct MeshSpec3ds {
    std::string name;
    std::vector<Point3ds> vertices;
    std::vector<std::array<uint16_t, 3>> faces;
    std::vector<TexCoord3ds> texVertices; // empty, or one per vertex
    std::string material;                 // empty: no face-material list
};

// A complete file: version, editor data with mesh version, materials, then the objects.
std::vector<uint8_t> write3ds(const std::vector<MaterialSpec3ds>& materials,
                              const std::vector<MeshSpec3ds>& meshes, uint32_t version = 3);
