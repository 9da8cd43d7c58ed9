// Platform of the command line: no windows. Every message and warning is printed with the file it
// concerns; questions and choosers get their safe answer (No, Cancel) and say so.
#pragma once

#include "platform/Platform.h"

#include <cstdio>
#include <mutex>

class ConsolePlatform : public Platform {
  public:
    // Lines go to `out` (stderr unless a test gives another stream).
    explicit ConsolePlatform(std::FILE* out = stderr) : out_(out) {}

    bool askYesNo(const QString& text, const QString& caption) override;
    void inform(const QString& text, const QString& caption, MessageIcon icon) override;
    void notice(const QString& text) override;
    QString chooseOpenFile(const FileChoice& choice) override;
    QString chooseSaveFile(const FileChoice& choice) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void showSplash(const QString&, const SplashLook&) override {}
    void setSplashText(const QString&) override {}
    void hideSplash() override {}
    void openUrl(const QString& address) override;
    void copyImageToClipboard(const QImage& image) override;
    void wait(int) override {}
    void setBusy(bool) override {}
    std::optional<VideoCompression>
    chooseVideoCompression(const QList<VideoCodecChoice>& codecs,
                           const VideoCompression& initial) override;
    void showProgress(const QString&, int) override {}
    bool setProgress(int) override { return true; }
    void setProgressText(const QString&) override {}
    void hideProgress() override {}
    void resizeMainWindow(int, int) override {}
    void setMainWindowStripped(bool) override {}

  private:
    // "lumatoy: FILE: CAPTION: TEXT", without the file when none is in hand and without the
    // caption when there is none.
    void print(const QString& caption, const QString& text);

    std::FILE* out_;
    std::mutex mutex_; // renders may report from several threads
};
