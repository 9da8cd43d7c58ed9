// Writes 3DS chunks and whole models (used by the default-asset generator and the tests).
#include "assets/Writer3ds.h"

#include "assets/Parser3ds.h"

#include <cstring>

void ChunkWriter3ds::begin(uint16_t id) {
    open_.push_back(bytes_.size());
    u16(id);
    u32(0);
}

void ChunkWriter3ds::end() {
    const size_t start = open_.back();
    open_.pop_back();
    const uint32_t length = uint32_t(bytes_.size() - start);
    for (int i = 0; i < 4; ++i)
        bytes_[start + 2 + size_t(i)] = uint8_t(length >> (8 * i));
}

void ChunkWriter3ds::u16(uint16_t v) {
    u8(uint8_t(v));
    u8(uint8_t(v >> 8));
}

void ChunkWriter3ds::u32(uint32_t v) {
    for (int i = 0; i < 4; ++i)
        u8(uint8_t(v >> (8 * i)));
}

void ChunkWriter3ds::f32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32(bits);
}

void ChunkWriter3ds::string(const std::string& s) {
    for (char c : s)
        u8(uint8_t(c));
    u8(0);
}

std::vector<uint8_t> write3ds(const std::vector<MaterialSpec3ds>& materials,
                              const std::vector<MeshSpec3ds>& meshes, uint32_t version) {
    using namespace chunk3ds;
    ChunkWriter3ds w;
    w.begin(kPrimary);
    w.begin(kVersion);
    w.u32(version);
    w.end();
    w.begin(kEditor);
    w.begin(kMeshVersion);
    w.u32(3);
    w.end();
    for (const MaterialSpec3ds& m : materials) {
        w.begin(kMaterial);
        w.begin(kMaterialName);
        w.string(m.name);
        w.end();
        w.begin(kDiffuse);
        w.begin(kColour24);
        for (uint8_t c : m.colour)
            w.u8(c);
        w.end();
        w.end();
        if (!m.textureFile.empty()) {
            w.begin(kTextureMap);
            w.begin(kMapFile);
            w.string(m.textureFile);
            w.end();
            w.end();
        }
        w.end();
    }
    for (const MeshSpec3ds& mesh : meshes) {
        w.begin(kObject);
        w.string(mesh.name);
        w.begin(kTriangleMesh);
        w.begin(kVertexList);
        w.u16(uint16_t(mesh.vertices.size()));
        for (const Point3ds& p : mesh.vertices) {
            w.f32(p.x);
            w.f32(p.y);
            w.f32(p.z);
        }
        w.end();
        if (!mesh.texVertices.empty()) {
            w.begin(kMapCoords);
            w.u16(uint16_t(mesh.texVertices.size()));
            for (const TexCoord3ds& t : mesh.texVertices) {
                w.f32(t.u);
                w.f32(t.v);
            }
            w.end();
        }
        w.begin(kFaceList);
        w.u16(uint16_t(mesh.faces.size()));
        for (const auto& f : mesh.faces) {
            w.u16(f[0]);
            w.u16(f[1]);
            w.u16(f[2]);
            w.u16(7); // edge flags: all three edges visible
        }
        if (!mesh.material.empty()) {
            w.begin(kFaceMaterial);
            w.string(mesh.material);
            w.u16(uint16_t(mesh.faces.size()));
            for (size_t i = 0; i < mesh.faces.size(); ++i)
                w.u16(uint16_t(i));
            w.end();
        }
        w.end(); // face list
        w.end(); // triangle mesh
        w.end(); // object
    }
    w.end(); // editor
    w.end(); // primary
    return w.bytes();
}
