// The main window's commands, one function each.
#include "app/MenuCommands.h"

#include "app/AboutBox.h"
#include "app/EditHistory.h"
#include "app/MainFrame.h"
#include "app/QtPlatform.h"
#include "app/WebAddresses.h"
#include "app/ZoetraGLWidget.h"
#include "export/ExportRun.h"
#include "export/ui/ExportSettingsDialog.h"
#include "platform/Platform.h"
#include "platform/UpdateCheck.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "timeline/SequenceLibrary.h"

void onFileNew(CMainFrame& frame) {
    // With unsaved edits, "Save changes?" answered Save or Discard stands for the usual question.
    EditHistory& history = frame.history();
    history.commitStep();
    if (!history.stack().isClean()) {
        if (!frame.maybeSaveChanges()) return;
    } else if (!platform().askYesNo(QString::fromLatin1(kNewProjectQuestion))) {
        return;
    }
    // Every block back to its defaults, textures and glyph lists reloaded, the timeline emptied,
    // the deck closed.
    history.runAsStep(QObject::tr("New"), [&] {
        if (frame.sceneReady())
            frame.withViewContext([&] { resetScene(frame.scene()); });
        else
            resetSceneValues(frame.scene());
        return true;
    });
    frame.setDocument(QString());
}

void onOpenSequence(CMainFrame& frame) {
    const QString path = chooseSequenceToOpen();
    if (path.isEmpty() || !frame.maybeSaveChanges()) return;
    // A sequence reloads its textures and models.
    frame.openDocument(path);
}

void onSaveSequence(CMainFrame& frame) {
    frame.saveDocument(false);
}
namespace {
ViewContextRunner viewContextOf(CMainFrame& frame) {
    return [&frame](const std::function<void()>& work) { frame.withViewContext(work); };
}
} // namespace

void onSaveBitmap(CMainFrame& frame) {
    if (frame.sceneReady()) saveBitmapCommand(frame.scene(), viewContextOf(frame));
}

void onCopyToClipboard(CMainFrame& frame) {
    if (frame.sceneReady()) copyToClipboardCommand(frame.scene(), viewContextOf(frame));
}

void onExportVideo(CMainFrame& frame) {
    if (!frame.sceneReady()) return;
    ZoetraGLWidget* gl = frame.viewWidget();
    exportVideo(frame.scene(), viewContextOf(frame),
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
    openExportSettings(frame.scene(), dialogOwner(&frame));
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
