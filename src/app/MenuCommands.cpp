// The main window's commands, one function each.
#include "app/MenuCommands.h"

#include "app/AboutBox.h"
#include "app/MainFrame.h"
#include "app/QtPlatform.h"
#include "app/WebAddresses.h"
#include "app/ZoetraGLWidget.h"
#include "export/ExportRun.h"
#include "export/SoundtrackChoice.h"
#include "export/ui/ExportSettingsDialog.h"
#include "platform/Platform.h"
#include "platform/UpdateCheck.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "timeline/SequenceLibrary.h"

void onFileNew(CMainFrame& frame) {
    if (!platform().askYesNo(QString::fromLatin1(kNewProjectQuestion))) return;
    // Every block back to its defaults, textures and glyph lists reloaded, the timeline emptied,
    // the deck closed.
    if (frame.sceneReady())
        frame.withViewContext([&] { resetScene(frame.view()); });
    else
        resetSceneValues(frame.view());
}

void onOpenSequence(CMainFrame& frame) {
    // A sequence reloads its textures and models.
    frame.withViewContext([&] { openSequence(frame.view()); });
}

void onSaveSequence(CMainFrame& frame) {
    CZoetraView& v = frame.view();
    const QString before = v.sequenceFilePath;
    saveSequence(v);
    // The file's format has no room for the soundtrack: the profile keeps it for the new path.
    if (v.sequenceFilePath != before) rememberSoundtrack(v.sequenceFilePath, v.soundtrackPath);
}
namespace {
ViewContextRunner viewContextOf(CMainFrame& frame) {
    return [&frame](const std::function<void()>& work) { frame.withViewContext(work); };
}
} // namespace

void onSaveBitmap(CMainFrame& frame) {
    if (frame.sceneReady()) saveBitmapCommand(frame.view(), viewContextOf(frame));
}

void onCopyToClipboard(CMainFrame& frame) {
    if (frame.sceneReady()) copyToClipboardCommand(frame.view(), viewContextOf(frame));
}

void onExportVideo(CMainFrame& frame) {
    if (!frame.sceneReady()) return;
    ZoetraGLWidget* gl = frame.viewWidget();
    exportVideo(frame.view(), viewContextOf(frame),
                [gl](const std::uint8_t* bgr, int width, int height) {
                    gl->showRecordedFrame(bgr, width, height);
                });
    gl->forgetFrameShown();
    // The window may have been resized while the export owned the viewport.
    frame.withViewContext([gl] { gl->applyClientSize(); });
}
void onControlDeck(CMainFrame& frame) {
    frame.openControlDeck();
}

// Over an open deck, the dialogs come up above it.
void onSettings(CMainFrame& frame) {
    openExportSettings(frame.view(), dialogOwner(&frame));
}

void onAbout(CMainFrame&) {
    showAboutBox();
}

void onOnlineHelp(CMainFrame&) {
    platform().openUrl(makerAddress(kOnlineHelpPath));
}

void onSequencePacks(CMainFrame&) {
    platform().openUrl(makerAddress(kSequencePacksPath));
}

// The program's own checker: the update text file is read and its version compared with this
// one; a message box gives the answer.
void onCheckForUpdates(CMainFrame&) {
    checkForUpdates(updateTextAddress(), QStringLiteral(LUMATOY_VERSION));
}
