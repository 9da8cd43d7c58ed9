// The scripted platform: answers from its script, records what the program asked.
#include "support/ScriptedPlatform.h"

namespace {
template <typename T> std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = queue.front();
    queue.pop_front();
    return value;
}
} // namespace

bool ScriptedPlatform::askYesNo(const QString& text, const QString&) {
    questions << text;
    return takeFront(answers).value_or(defaultAnswer);
}

void ScriptedPlatform::inform(const QString& text, const QString& caption, MessageIcon icon) {
    messages.push_back({text, caption, icon});
}

void ScriptedPlatform::notice(const QString& text) {
    notices.push_back({text, fileInHand()});
}

QString ScriptedPlatform::chooseOpenFile(const FileChoice& choice) {
    fileRequests.push_back(choice);
    return takeFront(files).value_or(QString());
}

QString ScriptedPlatform::chooseSaveFile(const FileChoice& choice) {
    fileRequests.push_back(choice);
    return takeFront(files).value_or(QString());
}

std::optional<QColor> ScriptedPlatform::chooseColour(const QColor&) {
    return takeFront(colours);
}
std::optional<FontChoice> ScriptedPlatform::chooseFont(const FontChoice&) {
    return takeFront(fonts);
}

void ScriptedPlatform::showSplash(const QString& text, const SplashLook&) {
    splashVisible = true;
    splashTexts << text;
}
void ScriptedPlatform::setSplashText(const QString& text) {
    splashTexts << text;
}
void ScriptedPlatform::hideSplash() {
    splashVisible = false;
}
void ScriptedPlatform::openUrl(const QString& address) {
    openedUrls << address;
}
void ScriptedPlatform::copyImageToClipboard(const QImage& image) {
    clipboard = image;
}
void ScriptedPlatform::wait(int ms) {
    waitedMs += ms;
}

std::optional<VideoCompression>
ScriptedPlatform::chooseVideoCompression(const QList<VideoCodecChoice>& codecs,
                                         const VideoCompression&) {
    compressionRequests << codecs;
    return takeFront(compressions).value_or(std::nullopt);
}

void ScriptedPlatform::showProgress(const QString& text, int total) {
    progressTexts << text;
    progressTotal = total;
    progressDone = 0;
    progressVisible = true;
}

bool ScriptedPlatform::setProgress(int done) {
    progressDone = done;
    return cancelProgressAt < 0 || done < cancelProgressAt;
}
