// Reads the chunks of a 3DS file held in memory into a Model3ds and computes its vertex normals.
#pragma once

#include "assets/Model3ds.h"

#include <cstddef>
#include <cstdint>

// Chunk ids of the 3DS format that the reader understands.
namespace chunk3ds {
constexpr uint16_t kPrimary = 0x4D4D;
constexpr uint16_t kVersion = 0x0002;
constexpr uint16_t kColourFloat = 0x0010;
constexpr uint16_t kColour24 = 0x0011;
constexpr uint16_t kLinearColour24 = 0x0012;
constexpr uint16_t kLinearColourFloat = 0x0013;
constexpr uint16_t kEditor = 0x3D3D;
constexpr uint16_t kMeshVersion = 0x3D3E;
constexpr uint16_t kMaterial = 0xAFFF;
constexpr uint16_t kMaterialName = 0xA000;
constexpr uint16_t kDiffuse = 0xA020;
constexpr uint16_t kTextureMap = 0xA200;
constexpr uint16_t kMapFile = 0xA300;
constexpr uint16_t kObject = 0x4000;
constexpr uint16_t kTriangleMesh = 0x4100;
constexpr uint16_t kVertexList = 0x4110;
constexpr uint16_t kFaceList = 0x4120;
constexpr uint16_t kFaceMaterial = 0x4130;
constexpr uint16_t kMapCoords = 0x4140;
constexpr uint16_t kKeyframer = 0xB000;
} // namespace chunk3ds

struct Parse3dsReport {
    bool primary = false;    // the first chunk was a main chunk; nothing is read otherwise
    int versionWarnings = 0; // version chunks that named a version above 3
    int droppedFaces = 0;    // faces whose corners named vertices the object does not have
};

// Appends the file's materials and objects to `model` the way an import does (objects from
// index objectCount on, materials after materialCount), then computes the normals. Every read is
// bounded by its chunk and by `size`; malformed parts are left out and the rest is kept.
Parse3dsReport parse3ds(Model3ds& model, const uint8_t* data, size_t size);

// The normal pass alone: for every vertex, the negated average of the unnormalised normals of
// the faces that use it, made unit length.
void computeNormals3ds(Object3ds& object);
