// The tunnel layer as the rest of the program sees it: its keyable values, its "Tunnel Controls"
// page, reset, loads and sequence reload.
#pragma once

#include "effects/EffectDescriptor.h"

#include <QString>
#include <string>

extern const ControlPage kTunnelPage;
extern const EffectDescriptor kTunnelEffect;

// "Load Texture" of the tunnel page: the chosen file keyed into `tunnelTexture` and
// `recordedPath` stored for the sequence file. False when the file cannot be loaded.
bool loadUserTunnelTexture(CZoetraView& v, const QString& path, const std::string& recordedPath);

// "Change Color" of the tunnel page: the colour chosen in the colour dialog (0-255 a channel)
// becomes the wall colour, stored as 0...1.
void setTunnelColour(CZoetraView& v, int red, int green, int blue);
