// Drawing of the three 3DS models: the shared geometry pass, the model layer of a frame and the
// model's redraw into its radial-blur capture.
#pragma once

#include "assets/Model3ds.h"
#include "scene/Vec3.h"

class CZoetraView;

// The position multiplier of a "Model Units" setting: 0-6 give 1/1000, 1/100, 1/10, 1, 10, 100,
// 1000; any other setting gives 0 (the model is not moved).
float modelUnitsFactor(int units);
// Where model `index` (0-2) is moved to: its position times its units factor.
Vec3 modelTranslation(const CZoetraView& v, int index);

// The material an object names, or a default one (no name, no texture map, black) when its index
// lies outside the model's material list.
const Material3ds& modelObjectMaterial(const Model3ds& model, const Object3ds& object);

// Identity, units-scaled translation, rotations X, Y, Z, per-axis scale, then every object's
// triangles with their normals and (offset) texture coordinates. Corners whose index lies
// outside the object's vertices are not drawn.
void drawModelGeometry(CZoetraView& v, int index);

// The model layer: texture or sphere map, colour and fade, spot light, transparency (additive,
// without depth test) or alpha blending, lighting, the geometry, and the shiny reflection pass.
// Leaves lighting and texture-coordinate generation on, blending and texturing off.
void drawModel(CZoetraView& v, int index);

// The model drawn into its radial-blur capture (only while its "Radial Blur On" switch is on):
// textured, lit unless its lighting is off, additive while transparent.
void drawModelBlurSource(CZoetraView& v, int index);
