// The scene record: every layer's parameters and simulation state, textures, asset paths, the
// timeline tables, the sequence list, the settings and the mouse-drag state, in one object.
#pragma once

#include "effects/blur/BlurBlock.h"
#include "effects/fire/FireBlock.h"
#include "effects/models/ModelBlock.h"
#include "effects/particles/ParticleBlock.h"
#include "effects/pictures/PictureBlock.h"
#include "effects/stars/StarBlock.h"
#include "effects/text/TextBlock.h"
#include "effects/tiles/TileBlock.h"
#include "effects/tunnel/TunnelBlock.h"
#include "timeline/TimelineBlock.h"

class CZoetraView : public TimelineBlock,
                    public TextBlock,
                    public StarBlock,
                    public ParticleBlock,
                    public FireBlock,
                    public TunnelBlock,
                    public TileBlock,
                    public BlurBlock,
                    public ModelBlock,
                    public PictureBlock {
public:
    CZoetraView();
};
