// Scene fields of the tunnel layer: its switches, parameter values, fog and the wall grid.
#pragma once

#include "scene/Vec3.h"

#include <string>

// The tunnel wall loaded at start-up.
inline constexpr const char* kTunnelTexturePath = "Textures/pollav.jpg";

constexpr int kTunnelGrid = 33; // vertices around and along the tube

// The values the "Tunnel Controls" page, the mouse and the keyframes tune; "New" restores them.
struct TunnelParams {
    float tunnelOn = 0; // 2 once the page has been opened
    float tunnelOnClicks = 0;

    float tunnelSpeed = 0;
    float tunnelTwist = 0;
    float tunnelRotate = 272;
    float tunnelPosX = 0, tunnelPosY = 0, tunnelPosZ = 0; // divided by 10
    float tunnelFogStart = 0, tunnelFogEnd = 230;         // divided by 10 by the fog
    float tunnelFogDensity = 0.25f;
    float tunnelFogRed = 0, tunnelFogGreen = 0, tunnelFogBlue = 0; // fog colour 0-255
    float tunnelArcX = 200, tunnelArcY = 200;
    float tunnelSqueezeX = 300, tunnelSqueezeY = 300;
    float tunnelRed = 0, tunnelGreen = 255, tunnelBlue = 0; // passed unscaled to glColor3f
    float tunnelTexMode = 0;                                // 0: mapping A; 2: mapping B
};

struct TunnelTexCoord {
    float u = 0, v = 0;
};

struct TunnelBlock : TunnelParams {
    unsigned tunnelTexture = 0;
    std::string tunnelTextureName; // relative path for the sequence file

    // Rebuilt every frame the layer is drawn.
    Vec3 tunnelVertex[kTunnelGrid][kTunnelGrid]{};
    TunnelTexCoord tunnelTexCoord[kTunnelGrid][kTunnelGrid]{};
    float tunnelPhase = 0;
};
