// The command line's platform: messages to a stream, safe answers, no windows.
#include "platform/ConsolePlatform.h"

namespace {

QString iconCaption(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QStringLiteral("Error");
    case MessageIcon::Warning:
        return QStringLiteral("Warning");
    case MessageIcon::Information:
        return QStringLiteral("Information");
    case MessageIcon::Question:
    case MessageIcon::None:
        break;
    }
    return {};
}

} // namespace

void ConsolePlatform::print(const QString& caption, const QString& text) {
    QString line = QStringLiteral("lumatoy: ");
    const QString file = fileInHand();
    if (!file.isEmpty()) line += file + QStringLiteral(": ");
    if (!caption.isEmpty()) line += caption + QStringLiteral(": ");
    line += text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line += QLatin1Char('\n');
    const std::lock_guard lock(mutex_);
    std::fputs(line.toLocal8Bit().constData(), out_);
    std::fflush(out_);
}

bool ConsolePlatform::askYesNo(const QString& text, const QString& caption) {
    print(caption, text + QStringLiteral(" No one can answer on the command line: No."));
    return false;
}

void ConsolePlatform::inform(const QString& text, const QString& caption, MessageIcon icon) {
    print(caption.isEmpty() ? iconCaption(icon) : caption, text);
}

void ConsolePlatform::notice(const QString& text) {
    print(QStringLiteral("Warning"), text);
}

QString ConsolePlatform::chooseOpenFile(const FileChoice& choice) {
    print(choice.title, QStringLiteral("No file can be chosen on the command line: cancelled."));
    return {};
}

QString ConsolePlatform::chooseSaveFile(const FileChoice& choice) {
    print(choice.title, QStringLiteral("No file can be chosen on the command line: cancelled."));
    return {};
}

std::optional<QColor> ConsolePlatform::chooseColour(const QColor&) {
    print({}, QStringLiteral("No colour can be chosen on the command line: cancelled."));
    return std::nullopt;
}

std::optional<FontChoice> ConsolePlatform::chooseFont(const FontChoice&) {
    print({}, QStringLiteral("No font can be chosen on the command line: cancelled."));
    return std::nullopt;
}

void ConsolePlatform::openUrl(const QString& address) {
    print({}, QStringLiteral("%1 is not opened from the command line.").arg(address));
}

void ConsolePlatform::copyImageToClipboard(const QImage&) {
    print({}, QStringLiteral("There is no clipboard on the command line: nothing was copied."));
}

std::optional<VideoCompression>
ConsolePlatform::chooseVideoCompression(const QList<VideoCodecChoice>&, const VideoCompression&) {
    print({}, QStringLiteral("No compression can be chosen on the command line: cancelled."));
    return std::nullopt;
}
