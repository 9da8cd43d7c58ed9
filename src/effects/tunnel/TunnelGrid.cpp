// The tunnel wall's vertices, texture coordinates and mapping switch.
#include "effects/tunnel/TunnelGrid.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kPhaseDivisor = 95.83f; // speed units per unit of phase

float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

bool finite(const Vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

} // namespace

Vec3 tunnelVertexAt(const TunnelParams& t, int i, int j) {
    const float depth = float(j) / 12.0f;
    const float fi = float(i);
    return {(t.tunnelSqueezeX / 100.0f - depth) * std::cos(fi * (t.tunnelArcX / 100.0f) * kPi / 32),
            (t.tunnelSqueezeY / 100.0f - depth) * std::sin(fi * (t.tunnelArcY / 100.0f) * kPi / 32),
            -float(j)};
}

TunnelTexCoord tunnelTexCoordAt(const TunnelParams& t, float phase, int i, int j) {
    const float fi = float(i), fj = float(j);
    const float twist = t.tunnelTwist / 20.0f;
    const float wobble = std::cos((4 * phase + twist * fj) / 30.0f) / 2.0f;
    TunnelTexCoord c;
    if (t.tunnelTexMode >= 2.0f) {
        c.u = fi + twist + wobble;
        c.v = fj / (t.tunnelRotate + 28.9f) + (6 * phase + fj) / 100.0f;
    } else {
        c.u = fi / 16.0f + twist + wobble;
        c.v = fj / 16.0f + (6 * phase + fj) / (t.tunnelRotate / 50.0f + 1.0f);
    }
    return {finiteOrZero(c.u), finiteOrZero(c.v)};
}

float nextTunnelTexMode(float rotate, float mode) {
    if (rotate >= -29.9f) return 0.0f;
    if (rotate <= -30.0f) return 2.0f;
    return mode;
}

bool buildTunnelFrame(TunnelBlock& t) {
    bool drawable = true;
    for (int i = 0; i < kTunnelGrid; ++i)
        for (int j = 0; j < kTunnelGrid; ++j) {
            t.tunnelVertex[i][j] = tunnelVertexAt(t, i, j);
            drawable = drawable && finite(t.tunnelVertex[i][j]);
        }
    for (int i = 0; i < kTunnelGrid; ++i)
        for (int j = 0; j < kTunnelGrid; ++j)
            t.tunnelTexCoord[i][j] = tunnelTexCoordAt(t, t.tunnelPhase, i, j);
    t.tunnelTexMode = nextTunnelTexMode(t.tunnelRotate, t.tunnelTexMode);
    t.tunnelPhase = finiteOrZero(t.tunnelSpeed / kPhaseDivisor);
    return drawable;
}
