// The tests' platform: answers come from a script, messages and requests are recorded.
#pragma once

#include "platform/Platform.h"

#include <deque>
#include <vector>

class ScriptedPlatform : public Platform {
  public:
    struct Message {
        QString text;
        QString caption;
        MessageIcon icon;
    };

    bool askYesNo(const QString& text, const QString& caption) override;
    void inform(const QString& text, const QString& caption, MessageIcon icon) override;
    SaveChoice askSaveChanges(const QString& documentName) override {
        questions << QStringLiteral("Save changes to %1?").arg(documentName);
        if (saveAnswers.empty()) return SaveChoice::Discard;
        const SaveChoice answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void notice(const QString& text) override;
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
    void setBusy(bool busy) override { busy_ = busy; }
    std::optional<VideoCompression>
    chooseVideoCompression(const QList<VideoCodecChoice>& codecs,
                           const VideoCompression& initial) override;
    void showProgress(const QString& text, int total) override;
    bool setProgress(int done) override;
    void setProgressText(const QString& text) override { progressTexts << text; }
    void hideProgress() override { progressVisible = false; }
    void resizeMainWindow(int outerWidth, int outerHeight) override {
        mainWindowSize = {outerWidth, outerHeight};
    }
    void setMainWindowStripped(bool stripped) override { mainWindowStripped = stripped; }

    // Scripted answers, consumed in order. With none left, questions answer `defaultAnswer` and
    // choosers are cancelled.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    // Answers to "Save changes to NAME?"; with none left, Discard.
    std::deque<SaveChoice> saveAnswers;
    std::deque<QString> files;
    std::deque<QColor> colours;
    std::deque<FontChoice> fonts;
    // Compression dialog answers; nullopt stands for Cancel.
    std::deque<std::optional<VideoCompression>> compressions;
    // The progress window's Cancel is pressed when `done` reaches this (-1: never).
    int cancelProgressAt = -1;

    // What the program asked for.
    QStringList questions;
    std::vector<Message> messages;
    struct Notice {
        QString text;
        QString file; // the file in hand when it was given
    };
    std::vector<Notice> notices;
    std::vector<FileChoice> fileRequests;
    QStringList splashTexts; // every text shown on the splash, in order
    bool splashVisible = false;
    QStringList openedUrls;
    QImage clipboard;
    int waitedMs = 0;
    bool busy_ = false;
    bool mainWindowStripped = false;
    std::pair<int, int> mainWindowSize{0, 0};           // last size asked for
    QList<QList<VideoCodecChoice>> compressionRequests; // the codec lists offered
    QStringList progressTexts;
    int progressTotal = 0;
    int progressDone = 0;
    bool progressVisible = false;
};
