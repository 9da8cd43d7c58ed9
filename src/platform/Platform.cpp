// The platform switch, the file in hand and the headless platform.
#include "platform/HeadlessPlatform.h"

namespace {
HeadlessPlatform g_defaultPlatform;
Platform* g_platform = &g_defaultPlatform;
thread_local QString t_fileInHand;

template <typename T> std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = queue.front();
    queue.pop_front();
    return value;
}
} // namespace

Platform& platform() {
    return *g_platform;
}
void setPlatform(Platform* p) {
    g_platform = p ? p : &g_defaultPlatform;
}

QString fileInHand() {
    return t_fileInHand;
}

FileInHand::FileInHand(const QString& file) : previous_(t_fileInHand) {
    t_fileInHand = file;
}

FileInHand::~FileInHand() {
    t_fileInHand = previous_;
}

bool HeadlessPlatform::askYesNo(const QString& text, const QString&) {
    questions << text;
    return takeFront(answers).value_or(defaultAnswer);
}

void HeadlessPlatform::inform(const QString& text, const QString& caption, MessageIcon icon) {
    messages.push_back({text, caption, icon});
}

void HeadlessPlatform::notice(const QString& text) {
    notices.push_back({text, fileInHand()});
}

QString HeadlessPlatform::chooseOpenFile(const FileChoice& choice) {
    fileRequests.push_back(choice);
    return takeFront(files).value_or(QString());
}

QString HeadlessPlatform::chooseSaveFile(const FileChoice& choice) {
    fileRequests.push_back(choice);
    return takeFront(files).value_or(QString());
}

std::optional<QColor> HeadlessPlatform::chooseColour(const QColor&) {
    return takeFront(colours);
}
std::optional<FontChoice> HeadlessPlatform::chooseFont(const FontChoice&) {
    return takeFront(fonts);
}

void HeadlessPlatform::showSplash(const QString& text, const SplashLook&) {
    splashVisible = true;
    splashTexts << text;
}
void HeadlessPlatform::setSplashText(const QString& text) {
    splashTexts << text;
}
void HeadlessPlatform::hideSplash() {
    splashVisible = false;
}
void HeadlessPlatform::openUrl(const QString& address) {
    openedUrls << address;
}
void HeadlessPlatform::copyImageToClipboard(const QImage& image) {
    clipboard = image;
}
void HeadlessPlatform::wait(int ms) {
    waitedMs += ms;
}

std::optional<VideoCompression>
HeadlessPlatform::chooseVideoCompression(const QList<VideoCodecChoice>& codecs,
                                         const VideoCompression&) {
    compressionRequests << codecs;
    return takeFront(compressions).value_or(std::nullopt);
}

void HeadlessPlatform::showProgress(const QString& text, int total) {
    progressTexts << text;
    progressTotal = total;
    progressDone = 0;
    progressVisible = true;
}

bool HeadlessPlatform::setProgress(int done) {
    progressDone = done;
    return cancelProgressAt < 0 || done < cancelProgressAt;
}
