// The fire particle pool: births, the step and the drawing of one copy.
#include "effects/fire/FireSystem.h"

#include "effects/fire/FireBlock.h"
#include "scene/Random.h"
#include "scene/Switch.h"

#include <GL/gl.h>

#include <climits>
#include <cstdint>

namespace {

// A fresh draw in [0, 0.999] in thousandths.
float u1000() {
    return static_cast<float>(crand() % 1000) / 1000.0f;
}

// Cycles one colour value: values of 255 or more (and values that are no number) start again
// at 0.
void cycle(float& value, float by) {
    value += by;
    if (!(value < 255)) value = 0;
}

// An age moved by dt without leaving the range of an int.
int agedBy(int age, int dt) {
    const std::int64_t sum = std::int64_t(age) + dt;
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return static_cast<int>(sum);
}

} // namespace

void FireSystem::clear() {
    for (FireParticle& p : particles)
        p = FireParticle{};
}

void FireSystem::birth(int slot, FireParams& fire) {
    FireParticle& p = particles[slot];
    p.position = Vec3{fire.fireMoveX, fire.fireMoveY, fire.fireMoveZ} / 40.0f + spawnOrigin;
    const float u1 = u1000();
    const float u2 = u1000();
    const float u3 = u1000();
    p.velocity = {u3 * fire.fireGravityX / 5000 - 0.0005f, u2 * fire.fireGravityY / 5000,
                  u1 * fire.fireGravityZ / 5000 - 0.0005f};
    p.fireColour = Vec3{fire.fireRed, fire.fireGreen, fire.fireBlue} / 255.0f;
    if (isOn(fire.fireMultiColour)) {
        cycle(fire.fireRed, 1.1f);
        cycle(fire.fireGreen, 2.2f);
        cycle(fire.fireBlue, 3.3f);
    }
    p.alive = 1;
    p.age = 0;
}

void FireSystem::stepFire(int dt, FireParams& fire) {
    const double due = dt * 0.1; // births this step may make
    int births = 0;
    const int count = particleCount < kFireParticles ? particleCount : kFireParticles;
    for (int i = 0; i < count; ++i) {
        FireParticle& p = particles[i];
        if (!p.alive && due > births) {
            birth(i, fire); // not moved until the next step
            ++births;
        } else if (p.age > kFireMaxAge) {
            p.alive = 0;
        } else {
            p.position += p.velocity * static_cast<float>(dt);
            p.age = agedBy(p.age, dt);
        }
    }
}

void FireSystem::drawFire(unsigned texture) const {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const Vec3 right{m[0], m[4], m[8]};
    const Vec3 up{m[1], m[5], m[9]};
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    const int count = particleCount < kFireParticles ? particleCount : kFireParticles;
    for (int i = 0; i < count; ++i) {
        const FireParticle& p = particles[i];
        if (!p.alive) continue;
        const float fade = static_cast<float>(p.age) / float(kFireMaxAge);
        glColor4f(p.fireColour.x - fade, p.fireColour.y - fade, p.fireColour.z - fade, 0.5f);
        const Vec3 a = p.position - right + up;
        const Vec3 b = p.position - right - up;
        const Vec3 c = p.position + right + up;
        const Vec3 d = p.position + right - up;
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0, 1);
        glVertex3f(a.x, a.y, a.z);
        glTexCoord2f(0, 0);
        glVertex3f(b.x, b.y, b.z);
        glTexCoord2f(1, 1);
        glVertex3f(c.x, c.y, c.z);
        glTexCoord2f(1, 0);
        glVertex3f(d.x, d.y, d.z);
        glEnd();
    }
    glDisable(GL_BLEND);
}
