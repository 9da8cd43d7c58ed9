// The update check: the update text file fetched, read and compared with the program's version.
#include "platform/UpdateCheck.h"

#include "platform/Platform.h"

#include <QRegularExpression>

namespace {
// The largest update text file worth reading.
constexpr qint64 kUpdateTextMaxBytes = 64 * 1024;

// The numbers of a version ("Version 1.2.3", "v1.2" ...), or nothing.
std::optional<QList<qulonglong>> versionNumbers(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(?:version\s*|v\s*)?(\d{1,9}(?:\.\d{1,9})*)\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    QList<qulonglong> numbers;
    for (const QString& part : match.captured(1).split(QLatin1Char('.')))
        numbers << part.toULongLong();
    return numbers;
}

QString versionText(const QString& text) {
    static const QRegularExpression prefix(QStringLiteral(R"(^\s*(?:version\s*|v\s*))"),
                                           QRegularExpression::CaseInsensitiveOption);
    return QString(text).remove(prefix).trimmed();
}
} // namespace

std::optional<UpdateNotice> parseUpdateText(const QByteArray& text) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        QString trimmed = line.trimmed();
        if (trimmed.startsWith(QChar(0xFEFF))) trimmed = trimmed.mid(1).trimmed();
        if (!trimmed.isEmpty()) lines << trimmed;
        if (lines.size() == 2) break;
    }
    if (lines.isEmpty() || !versionNumbers(lines[0])) return std::nullopt;
    return UpdateNotice{versionText(lines[0]), lines.value(1)};
}

std::optional<int> compareVersions(const QString& a, const QString& b) {
    const auto left = versionNumbers(a), right = versionNumbers(b);
    if (!left || !right) return std::nullopt;
    for (qsizetype i = 0; i < std::max(left->size(), right->size()); ++i) {
        const qulonglong x = left->value(i, 0), y = right->value(i, 0);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

UpdateOutcome checkForUpdates(const QString& address, const QString& programVersion,
                              int timeoutMs) {
    const QString caption = QString::fromLatin1(kUpdateCheckCaption);
    Platform& p = platform();
    const auto cannotTell = [&](const QString& why) {
        p.inform(QStringLiteral("Lumatoy could not tell whether a newer version exists: %1.\n\n"
                                "The update information is read from %2.")
                     .arg(why, address),
                 caption, MessageIcon::Warning);
        return UpdateOutcome::Unknown;
    };

    p.setBusy(true);
    const WebFetchResult fetched = fetchWebFile(address, timeoutMs, kUpdateTextMaxBytes);
    p.setBusy(false);
    if (!fetched.ok) return cannotTell(fetched.error);
    const std::optional<UpdateNotice> notice = parseUpdateText(fetched.body);
    if (!notice) return cannotTell(QStringLiteral("the update information names no version"));
    const std::optional<int> order = compareVersions(notice->version, programVersion);
    if (!order)
        return cannotTell(
            QStringLiteral("this program's version \"%1\" cannot be compared").arg(programVersion));

    if (*order > 0) {
        QString text = QStringLiteral("A newer version of Lumatoy is available: version %1 "
                                      "(this is version %2).")
                           .arg(notice->version, programVersion);
        if (!notice->downloadAddress.isEmpty())
            text += QStringLiteral("\n\nDownload it from %1").arg(notice->downloadAddress);
        p.inform(text, caption, MessageIcon::Information);
        return UpdateOutcome::NewerAvailable;
    }
    p.inform(QStringLiteral("This version of Lumatoy (%1) is the newest.").arg(programVersion),
             caption, MessageIcon::Information);
    return UpdateOutcome::UpToDate;
}
