// The particle emitter: births, ageing, the step over all slots, and drawing.
#include "effects/particles/ParticleSystem.h"

#include "scene/Random.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// A fresh draw in [0, 1], both ends possible.
float r01() {
    return static_cast<float>(crand()) / static_cast<float>(kCrandMax);
}
// A fresh draw in [-1, 1].
float s11() {
    return 2.0f * r01() - 1.0f;
}
// Uniform between a and b (also when b < a).
float between(float a, float b) {
    return a + r01() * (b - a);
}

// Full-saturation colour of the wheel at `turn` (0...1 for one turn).
Vec3 wheelColour(float turn) {
    const float h = (turn - std::floor(turn)) * 6.0f;
    const int sector = static_cast<int>(h) % 6;
    const float f = h - std::floor(h);
    switch (sector) {
    case 0:
        return {1, f, 0};
    case 1:
        return {1 - f, 1, 0};
    case 2:
        return {0, 1, f};
    case 3:
        return {0, 1 - f, 1};
    case 4:
        return {f, 0, 1};
    default:
        return {1, 0, 1 - f};
    }
}

} // namespace

bool Particle::emitFrom(ParticleSystem& e) {
    life = between(e.lifeMin, e.lifeMax);
    if (life == 0.0f) return false;
    age = 0;

    position = e.emitAtOrigin == 1 ? e.origin : Vec3{};
    position.x += s11() * e.originSpread.x;
    position.y += s11() * e.originSpread.y;
    position.z += s11() * e.originSpread.z;

    velocity.x = e.direction.x + s11() * e.directionSpread.x;
    velocity.y = e.direction.y + s11() * e.directionSpread.y;
    velocity.z = e.direction.z + s11() * e.directionSpread.z;
    velocity *= between(e.speedMin, e.speedMax);

    acceleration = e.gravityDirection * between(e.gravityMin, e.gravityMax);

    colour = e.colourStartA + (e.colourStartB - e.colourStartA) * r01();
    Vec3 deathColour = e.colourEndA + (e.colourEndB - e.colourEndA) * r01();
    if (e.colourWheelBirths > 0) {
        const double turn = double(e.colourWheelCount++) / double(e.colourWheelBirths);
        deathColour = wheelColour(static_cast<float>(turn - std::floor(turn)));
    }
    colourDelta = (deathColour - colour) / life;

    alpha = between(e.alphaStartMin, e.alphaStartMax);
    alphaDelta = (between(e.alphaEndMin, e.alphaEndMax) - alpha) / life;

    size = between(e.sizeStartMin, e.sizeStartMax);
    sizeDelta = (between(e.sizeEndMin, e.sizeEndMax) - size) / life;

    angle = 0;
    spinRate = between(e.spinMin, e.spinMax);
    spinAcceleration = between(e.spinAccelMin, e.spinAccelMax);

    alive = 1;
    owner = &e;
    return true;
}

void Particle::advance(float dt) {
    age += dt;
    // An age that is no number (an infinite step times 0) ends the particle too.
    if (!(age < life)) {
        age = 0;
        alive = 0;
        return;
    }
    size += dt * sizeDelta;
    alpha += dt * alphaDelta;
    colour += colourDelta * dt;
    velocity += acceleration * dt;
    position += velocity * dt;
    spinRate += dt * spinAcceleration;
    angle += dt * spinRate;
}

bool ParticleSystem::allocate(int count) {
    if (count > kMaxParticles) return false;
    if (count < 0) count = 0;
    for (int i = 0; i < count; ++i)
        particles[i] = Particle{};
    maxParticles = count;
    return true;
}

void ParticleSystem::setOrigin(Vec3 at, Vec3 spread) {
    origin = at;
    originSpread = spread;
}
void ParticleSystem::setDirection(Vec3 towards, Vec3 spread) {
    direction = towards;
    directionSpread = spread;
}
void ParticleSystem::setSpin(float min, float max) {
    spinMin = min;
    spinMax = max;
}
void ParticleSystem::setGravity(Vec3 towards, float min, float max) {
    gravityDirection = towards;
    gravityMin = min;
    gravityMax = max;
}
void ParticleSystem::setColourStart(Vec3 a, Vec3 b) {
    colourStartA = a;
    colourStartB = b;
}
void ParticleSystem::setColourEnd(Vec3 a, Vec3 b) {
    colourEndA = a;
    colourEndB = b;
}
void ParticleSystem::setAlpha(float startMin, float startMax, float endMin, float endMax) {
    alphaStartMin = startMin;
    alphaStartMax = startMax;
    alphaEndMin = endMin;
    alphaEndMax = endMax;
}
void ParticleSystem::setSize(float startMin, float startMax, float endMin, float endMax) {
    sizeStartMin = startMin;
    sizeStartMax = startMax;
    sizeEndMin = endMin;
    sizeEndMax = endMax;
}

int ParticleSystem::birthsFor(float dt, float r) const {
    const float perStep = static_cast<float>(emissionRate) * dt; // single precision, as tuned
    const double births = std::trunc(((double(r) - 0.5) * emissionVariation + 1.0) * perStep);
    if (!(births > 0)) return 0; // none, negative, or no number
    return births >= double(maxParticles) ? maxParticles : static_cast<int>(births);
}

void ParticleSystem::step(float dt) {
    int births = birthsFor(dt, r01());
    for (int i = 0; i < maxParticles; ++i) {
        Particle& p = particles[i];
        if (p.alive) p.advance(dt);
        if (births > 0 && !p.alive) {
            p.emitFrom(*this);
            p.advance(dt * r01()); // births spread over the step
            --births;
        }
    }
}

void ParticleSystem::draw() {
    if (textured) {
        glBindTexture(GL_TEXTURE_2D, texture);
        if (billboardMode == 1) {
            GLfloat m[16];
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            billboardRight = {m[0], m[4], m[8]};
            billboardUp = {m[1], m[5], m[9]};
        } else if (billboardMode == 2) {
            GLfloat m[16];
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            billboardRight = {m[0], m[4], m[8]};
            billboardUp = {0, 1, 0};
        } else {
            billboardRight = {1, 0, 0};
            billboardUp = {0, 1, 0};
        }
    } else {
        glGetFloatv(GL_POINT_SIZE, &pointSize);
        // A point takes one texel of the bound sprite: its centre, not whatever coordinate an
        // earlier layer left behind.
        glTexCoord2f(0.5f, 0.5f);
    }

    for (int i = 0; i < maxParticles; ++i) {
        const Particle& p = particles[i];
        if (!p.alive) continue;
        if (textured) {
            Vec3 right = billboardRight, up = billboardUp;
            if (p.angle > 0) { // a negative angle draws unrotated
                const float c = std::cos(p.angle), s = std::sin(p.angle);
                right = billboardRight * c + billboardUp * s;
                up = billboardUp * c - billboardRight * s;
            }
            const float h = p.size / 2;
            const Vec3 c1 = p.position - right * h - up * h;
            const Vec3 c2 = c1 + up * p.size;
            const Vec3 c3 = c2 + right * p.size;
            const Vec3 c4 = c3 - up * p.size;
            glColor4f(p.colour.x, p.colour.y, p.colour.z, p.alpha);
            glBegin(GL_POLYGON);
            glTexCoord2f(0, 0);
            glVertex3f(c1.x, c1.y, c1.z);
            glTexCoord2f(0, 1);
            glVertex3f(c2.x, c2.y, c2.z);
            glTexCoord2f(1, 1);
            glVertex3f(c3.x, c3.y, c3.z);
            glTexCoord2f(1, 0);
            glVertex3f(c4.x, c4.y, c4.z);
            glEnd();
        } else {
            // GL refuses a point size of 0 or below; such a particle is too small to see.
            const float size = p.size * pointSize;
            if (!(size > 0) || !std::isfinite(size)) continue;
            glPointSize(size);
            glColor4f(p.colour.x, p.colour.y, p.colour.z, p.alpha);
            glBegin(GL_POINTS);
            glVertex3f(p.position.x, p.position.y, p.position.z);
            glEnd();
        }
    }
}
