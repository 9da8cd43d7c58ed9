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
#include "scene/DeckBlock.h"
#include "scene/SequenceFormatVersion.h"
#include "scene/TimelineBlock.h"

#include <QString>

#include <cstddef>
#include <cstdint>

constexpr int kAssetPathSize = 250; // `assetPath` holds at most 249 characters and a NUL

struct DragPoint {
    int x = 0, y = 0;
};

// The one scene object. Every part of the program reads and writes its fields directly.
//
// The timeline tables and the particle slots make it about 22 MB: allocate it once on the heap,
// never on the stack, with makeScene() (startup/SceneStart.h), which also starts key 0 from
// the constructed look. Allocation hands out zero-filled memory, so a field without an
// initialiser starts at 0; construction gives every block its defaults.
class CZoetraView : public TimelineBlock,
                    public TextBlock,
                    public StarBlock,
                    public ParticleBlock,
                    public FireBlock,
                    public TunnelBlock,
                    public TileBlock,
                    public BlurBlock,
                    public ModelBlock,
                    public PictureBlock,
                    public DeckBlock {
  public:
    CZoetraView();
    CZoetraView(const CZoetraView&) = delete;
    CZoetraView& operator=(const CZoetraView&) = delete;

    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

    // Asset path of the last user-initiated load and how relative paths are resolved.
    char assetPath[kAssetPathSize]{};
    int assetPathMode = 0; // 0: against the working folder; 2: paths used as given

    // Mouse drag.
    std::uint8_t buttonDown = 0;
    std::uint8_t rightButtonDown = 0;
    DragPoint dragAnchor;
    float dragStepX = 0, dragStepY = 0; // half the pointer movement since the last message
    // Mouse targets (2 = the drag acts on that layer); the text is the target at start-up.
    float mouseTargetText = 2;
    float mouseTargetStars = 0;
    float mouseTargetParticles = 0;
    float mouseTargetTunnel = 0;
    float mouseTargetModel[kModelCount]{0, 0, 0};
    float mouseTargetPictures = 0;
    float mousePage = 0; // 1 text or tunnel, 2 stars, 8 models, 9 pictures, 0 particles or tiles
    // No layer is the drag's target.
    void clearMouseTargets() {
        mouseTargetText = mouseTargetStars = mouseTargetParticles = mouseTargetTunnel = 0;
        for (float& target : mouseTargetModel)
            target = 0;
        mouseTargetPictures = 0;
    }

    // Frame clock and GL.
    void* renderContext = nullptr;
    int viewportWidth = 0, viewportHeight = 0;
    bool multisampleAvailable = false; // the target drawn into has sample buffers
    bool exportRunning = false;        // a video export is recording the timeline
    int lockToAviRate = 0;
    int aviFrameRate = 30; // never 0: the frame clock divides by it
    int lastFrameClock = 0;
    int framesThisSecond = 0;
    int measuredFps = 0;
    int fpsWindowStart = 0;
    float showFps = 0;

    // Settings read from the profile at start-up.
    int randomSequenceAtStart = 0;
    int presetLoop = 0;
    int exportPreset = 0;
    int resizeToPreset = 0;
    int currentPreset = 0;                       // index of the sequence loaded at start
    float sceneVersion = kSequenceFormatVersion; // format version of the last loaded sequence

    // The sequence file last read or written (empty for a timeline never saved), and the sound
    // file the timeline is made to (empty: none).
    QString sequenceFilePath;
    QString soundtrackPath;

    // The sequence named on the command line, loaded at start-up.
    QString startFilePath;
    std::uint8_t startFileRequested = 0;
};
