// Drawing of the three 3DS models.
#include "effects/models/ModelLayer.h"

#include "effects/CommonGl.h"
#include "effects/DrawableValue.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>

namespace {

bool validModel(int index) {
    return index >= 0 && index < kModelCount;
}

void sphereMapTexGen() {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
}

void enableTexGen(bool on) {
    if (on) {
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    } else {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
}

void diffuseColour(const CZoetraView& v, int index) {
    const Vec3& c = v.modelColour[index];
    glColor3f(drawable(c.x / 205), drawable(c.y / 205), drawable(c.z / 205));
}

void spotLight(const CZoetraView& v, int index) {
    const Vec3& spot = v.modelSpotPosition[index];
    glEnable(GL_LIGHT0);
    placeSpotLight(drawable(spot.x / 100), drawable(spot.y / 100), drawable(spot.z / 100));
}

bool inside(int32_t i, std::size_t size) {
    return i >= 0 && std::size_t(i) < size;
}

void drawObject(const Model3ds& model, const Object3ds& object, TexOffset offset) {
    const bool textured =
        object.hasTexture != 0 && modelObjectMaterial(model, object).textureFile[0] != '\0';
    if (textured) glEnable(GL_TEXTURE_2D);
    const bool hasCoords = object.texVertexCount > 0;
    const float s = drawable(offset.s / 360), t = drawable(offset.t / 360);
    glBegin(GL_TRIANGLES);
    for (const Face3ds& face : object.faces) {
        bool drawable = true;
        for (int32_t corner : face.vertexIndex)
            drawable = drawable && inside(corner, object.vertices.size());
        if (!drawable) continue;
        for (int32_t corner : face.vertexIndex) {
            if (inside(corner, object.normals.size())) {
                const Point3ds& n = object.normals[std::size_t(corner)];
                glNormal3f(n.x, n.y, n.z);
            }
            if (hasCoords && inside(corner, object.texVertices.size())) {
                const TexCoord3ds& uv = object.texVertices[std::size_t(corner)];
                glTexCoord2f(uv.u + s, uv.v + t);
            }
            const Point3ds& p = object.vertices[std::size_t(corner)];
            glVertex3f(p.x, p.y, p.z);
        }
    }
    glEnd();
}

} // namespace

float modelUnitsFactor(int units) {
    constexpr float factors[] = {0.001f, 0.01f, 0.1f, 1, 10, 100, 1000};
    return units >= 0 && units <= 6 ? factors[units] : 0.0f;
}

Vec3 modelTranslation(const CZoetraView& v, int index) {
    if (!validModel(index)) return {0, 0, 0};
    const float f = modelUnitsFactor(v.modelUnits[index]);
    if (f == 0) return {0, 0, 0};
    const Vec3& p = v.modelPosition[index];
    return {p.x * f, p.y * f, p.z * f};
}

const Material3ds& modelObjectMaterial(const Model3ds& model, const Object3ds& object) {
    static const Material3ds none{};
    const int32_t listed = model.materialCount < int32_t(model.materials.size())
                               ? model.materialCount
                               : int32_t(model.materials.size());
    if (object.materialId < 0 || object.materialId >= listed) return none;
    return model.materials[std::size_t(object.materialId)];
}

void drawModelGeometry(CZoetraView& v, int index) {
    if (!validModel(index)) return;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vec3 at = modelTranslation(v, index);
    glTranslatef(at.x, at.y, at.z);
    const Vec3& turn = v.modelRotation[index];
    glRotatef(turn.x, 1, 0, 0);
    glRotatef(turn.y, 0, 1, 0);
    glRotatef(turn.z, 0, 0, 1);
    const Vec3& scale = v.modelScale[index];
    glScalef(1 + scale.x / 100, 1 + scale.y / 100, 1 + scale.z / 100);

    const Model3ds& model = v.modelMesh[index];
    const std::size_t count =
        model.objectCount > 0 ? std::min(std::size_t(model.objectCount), model.objects.size()) : 0;
    for (std::size_t i = 0; i < count; ++i)
        drawObject(model, model.objects[i], v.modelTexOffset[index]);
}

void drawModel(CZoetraView& v, int index) {
    if (!validModel(index)) return;
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    enableTexGen(false);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    glBindTexture(GL_TEXTURE_2D, v.modelTextureSlot(index));
    if (isOn(v.modelSphereMap[index])) {
        sphereMapTexGen();
        enableTexGen(true);
    }
    diffuseColour(v, index);
    spotLight(v, index);
    const bool transparent = isOn(v.modelTransparency[index]);
    if (!transparent) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    const Vec3& c = v.modelColour[index];
    glColor4f(drawable(c.x / 205), drawable(c.y / 205), drawable(c.z / 205),
              drawable(v.modelFade[index] / 255));
    setCapability(GL_LIGHTING, isOn(v.modelLighting[index]));
    if (transparent) {
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    }
    drawModelGeometry(v, index);

    if (isOn(v.modelShiny[index])) {
        sphereMapTexGen();
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, v.reflectionTexture);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        enableTexGen(true);
        drawModelGeometry(v, index);
        enableTexGen(false);
        glDisable(GL_BLEND);
    }

    // What every slot leaves behind.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    enableTexGen(true);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void drawModelBlurSource(CZoetraView& v, int index) {
    if (!validModel(index) || !isOn(v.modelRadialBlur[index])) return;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    enableTexGen(false);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    diffuseColour(v, index);
    spotLight(v, index);
    if (!isOn(v.modelLighting[index])) glColor3f(255, 255, 255);
    if (isOn(v.modelTransparency[index])) {
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
    }
    glBindTexture(GL_TEXTURE_2D, v.modelTextureSlot(index));
    drawModelGeometry(v, index);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
