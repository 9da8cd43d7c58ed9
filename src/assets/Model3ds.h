// In-memory 3DS model: mesh objects with vertices, faces, texture coordinates, normals, and
// materials.
#pragma once

#include <cstdint>
#include <vector>

struct Point3ds {
    float x = 0, y = 0, z = 0;
};

struct TexCoord3ds {
    float u = 0, v = 0;
};

struct Face3ds {
    int32_t vertexIndex[3] = {0, 0, 0}; // into vertices, normals and texVertices alike
    int32_t coordIndex[3] = {0, 0, 0};  // kept for the record layout; always 0
};

// Fixed-size text fields hold at most 254 characters and always end in a NUL.
constexpr int kName3dsSize = 255;

struct Material3ds {
    char name[kName3dsSize] = {};
    char textureFile[kName3dsSize] = {}; // empty when the material has no texture map
    uint8_t colour[3] = {0, 0, 0};       // diffuse red, green, blue
};

struct Object3ds {
    int32_t vertexCount = 0;
    int32_t faceCount = 0;
    int32_t texVertexCount = 0; // 0, or equal to vertexCount once the load has finished
    int32_t materialId = 0;     // index into Model3ds::materials; -1 when the name was unknown
    uint8_t hasTexture = 0;     // 1 when the object's material has a texture file
    char name[kName3dsSize] = {};
    std::vector<Point3ds> vertices;
    std::vector<Point3ds> normals; // one unit vector per vertex
    std::vector<TexCoord3ds> texVertices;
    std::vector<Face3ds> faces;
};

struct Model3ds {
    int32_t objectCount = 0;   // the first objectCount entries of objects are the model
    int32_t materialCount = 0; // never reset between imports into the same record
    std::vector<Material3ds> materials;
    std::vector<Object3ds> objects;
};
