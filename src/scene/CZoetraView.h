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

#include <QString>

#include <cstddef>
#include <cstdint>

// Control Deck sheet and pages; the deck creates them and the view only points at them.
class CMySheet;
class CmyPage10; // "Keyframe Controls"
class CMyPage1;  // "Text"
class CMyPage2;  // "Star Controls"
class CmyPage3;  // "Particle Controls"
class CmyPage5;  // "Tunnel Controls"
class CmyPage6;  // "Tile Controls"
class CmyPage7;  // "Blur Control"
class CmyPage8;  // "3DS Model"
class CMyPage12; // "Model 2"
class CMyPage13; // "Model 3"
class CmyPage9;  // "Picture Controls"

constexpr int kAssetPathSize = 250; // `assetPath` holds at most 249 characters and a NUL

struct DragPoint {
    int x = 0, y = 0;
};

// The one scene object. Every part of the program reads and writes its fields directly.
//
// The timeline tables and the particle slots make it about 18.6 MB: allocate it once on the heap
// (std::make_unique<CZoetraView>()), never on the stack. Allocation hands out zero-filled
// memory, so a field without an initialiser starts at 0; construction then gives every block
// its defaults and copies the keyable values into the timeline's start values.
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
    CZoetraView(const CZoetraView&) = delete;
    CZoetraView& operator=(const CZoetraView&) = delete;

    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

    // Asset path of the last user-initiated load and how relative paths are resolved.
    char assetPath[kAssetPathSize]{};
    int assetPathMode = 0; // 0: against the working folder; 2: paths used as given

    // Control deck: null until the deck is opened; `deckOpen` is 1 while it exists.
    CMySheet* deckSheet = nullptr;
    CmyPage10* keyframePage = nullptr;
    CMyPage1* textPage = nullptr;
    CMyPage2* starPage = nullptr;
    CmyPage3* particlePage = nullptr;
    CmyPage5* tunnelPage = nullptr;
    CmyPage6* tilePage = nullptr;
    CmyPage7* blurPage = nullptr;
    CmyPage8* modelPage1 = nullptr;
    CMyPage12* modelPage2 = nullptr;
    CMyPage13* modelPage3 = nullptr;
    CmyPage9* picturePage = nullptr;
    int deckOpen = 0;
    // Set by the deck when it opens: hides the sheet and lets go of its pages ("New" calls it).
    void (*hideDeck)(CZoetraView&) = nullptr;
    // Set by the deck when it opens: hides or shows the sheet, keeping its pages (the export and
    // the screenshot commands hide it while they read frames).
    void (*setDeckVisible)(CZoetraView&, bool visible) = nullptr;

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

    // Frame clock and GL.
    void* renderContext = nullptr;
    int viewportWidth = 0, viewportHeight = 0;
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
    int currentPreset = 0;     // index of the sequence loaded at start
    float sceneVersion = 6.0f; // format version of the last loaded sequence

    // The sequence named on the command line, loaded at start-up.
    QString startFilePath;
    std::uint8_t startFileRequested = 0;
};
