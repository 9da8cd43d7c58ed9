// The desktop services for the window: Qt message boxes, file, colour and font choosers, the
// splash window, web pages, the clipboard, waits and the main window's size.
#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

class QProgressDialog;
class SplashWindow;

class QtPlatform : public Platform {
  public:
    // A main window that can strip itself for recording implements this.
    class Strippable {
      public:
        virtual ~Strippable() = default;
        virtual void setStripped(bool stripped) = 0;
    };

    // `mainWindow` owns the dialogs and is the window resizeMainWindow sizes; it may be set later.
    explicit QtPlatform(QWidget* mainWindow = nullptr);
    ~QtPlatform() override;

    void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
    QWidget* mainWindow() const { return mainWindow_; }

    bool askYesNo(const QString& text, const QString& caption) override;
    void inform(const QString& text, const QString& caption, MessageIcon icon) override;
    SaveChoice askSaveChanges(const QString& documentName) override;
    QString chooseOpenFile(const FileChoice& choice) override;
    QString chooseSaveFile(const FileChoice& choice) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void showSplash(const QString& text, const SplashLook& look = SplashLook()) override;
    void setSplashText(const QString& text) override;
    void hideSplash() override;
    void openUrl(const QString& address) override;
    void copyImageToClipboard(const QImage& image) override;
    void wait(int ms) override;
    void setBusy(bool busy) override;
    std::optional<VideoCompression>
    chooseVideoCompression(const QList<VideoCodecChoice>& codecs,
                           const VideoCompression& initial) override;
    void showProgress(const QString& text, int total) override;
    bool setProgress(int done) override;
    void setProgressText(const QString& text) override;
    void hideProgress() override;
    void resizeMainWindow(int outerWidth, int outerHeight) override;
    void setMainWindowStripped(bool stripped) override;

    // The caption of message boxes that name none: the program's name.
    static QString defaultCaption();
    // The window this platform's dialogs belong to now (see dialogOwner).
    QWidget* dialogParent() const;

  private:
    QPointer<QWidget> mainWindow_;
    std::unique_ptr<SplashWindow> splash_;
    QPointer<QProgressDialog> progress_;
    int busyDepth_ = 0;
    int resizeRequests_ = 0; // counts resizeMainWindow calls: only the latest is corrected
    QObject timers_;         // context of pending corrections: they end with the platform
};

// The window a dialog opened now should belong to: an always-on-top tool window of the program
// that is showing (the Control Deck), so that the window manager stacks the dialog above it
// instead of under it; else `fallback` (the main window).
QWidget* dialogOwner(QWidget* fallback);
// For a window that must keep no owner (the modeless About box): shown while an always-on-top
// tool window is up, it is made that window's transient, which keeps it above it.
void keepAboveOnTopWindows(QWidget* window);
