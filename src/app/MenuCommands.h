// The main window's commands, one function each.
#pragma once

class CMainFrame;

// The question "New" asks before it resets the scene.
inline constexpr const char* kNewProjectQuestion = "Are you sure you want to create a new project?";

void onFileNew(CMainFrame& frame);
void onOpenSequence(CMainFrame& frame);
void onSaveSequence(CMainFrame& frame);
void onSaveBitmap(CMainFrame& frame);
void onCopyToClipboard(CMainFrame& frame);
void onSettings(CMainFrame& frame);
void onExportVideo(CMainFrame& frame);
void onControlDeck(CMainFrame& frame);
void onAbout(CMainFrame& frame);
void onOnlineHelp(CMainFrame& frame);
void onSequencePacks(CMainFrame& frame);
void onCheckForUpdates(CMainFrame& frame);
