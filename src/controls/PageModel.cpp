// What a Control Deck page does to the scene: positions, typed numbers, toggles, mouse targets
// and picker dialogs.
#include "controls/PageModel.h"

#include "effects/KeySlice.h"
#include "platform/ProgramFolder.h"
#include "scene/CZoetraView.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

int valuePosition(float value, float scale) {
    const double position = double(value) / double(scale == 0 ? 1.0f : scale);
    if (std::isnan(position)) return 0;
    if (position >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (position <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return int(std::trunc(position));
}

std::optional<int> entryPosition(CZoetraView& v, const ControlPage& page, const ControlEntry& entry,
                                 int n) {
    const ValueHandle value = controlValue(v, page, entry.values[n]);
    if (!value) return std::nullopt;
    return valuePosition(value.get(), entry.scale);
}

bool setEntryPosition(CZoetraView& v, const ControlPage& page, const ControlEntry& entry, int n,
                      int position) {
    const ValueHandle value = controlValue(v, page, entry.values[n]);
    if (!value) return false;
    value.set(float(position) * entry.scale);
    return true;
}

std::optional<int> parseEditNumber(const QString& text) {
    const QString t = text.trimmed();
    int start = 0;
    bool negative = false;
    if (!t.isEmpty() && (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+'))) {
        negative = t[0] == QLatin1Char('-');
        start = 1;
    }
    if (start >= t.size()) return std::nullopt;
    // Digits only; any number of them (a long number simply lies beyond the int range).
    long long magnitude = 0;
    const long long cap = 1LL << 40;
    for (int i = start; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].unicode() > 127) return std::nullopt;
        if (magnitude < cap) magnitude = magnitude * 10 + (t[i].unicode() - '0');
    }
    const long long number = negative ? -magnitude : magnitude;
    return int(std::clamp<long long>(number, std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()));
}

Click clickToggle(CZoetraView& v, const ControlPage& page, const ToggleSpec& toggle) {
    float dummy = 0;
    float& clicks = toggle.clicks ? toggle.clicks(v, page.instance) : dummy;
    // A counter left at an odd value (a file, an older page) still gives a two-click cycle.
    if (!(clicks >= 0.0f && clicks < 2.0f)) clicks = 0;
    const Click click = advanceClickCounter(clicks);
    if (click == Click::First) clicks = 1;
    if (toggle.flag) toggle.flag(v, page.instance) = toggle.values[click == Click::First ? 0 : 1];
    if (toggle.onClick) toggle.onClick(v, page.instance, click == Click::Second);
    return click;
}

int toggleCaption(CZoetraView& v, const ControlPage& page, const ToggleSpec& toggle) {
    if (toggle.flag) {
        const float flag = toggle.flag(v, page.instance);
        if (flag == toggle.values[0] && flag != toggle.values[1]) return 0;
        if (flag == toggle.values[1] && flag != toggle.values[0]) return 1;
    }
    const float clicks = toggle.clicks ? toggle.clicks(v, page.instance) : 0.0f;
    return clicks == 1.0f ? 0 : 1;
}

const char* toggleButtonText(CZoetraView& v, const ControlPage& page, const ToggleSpec& toggle,
                             bool clickedSincePageOpened) {
    if (toggle.openingCaption && !clickedSincePageOpened) return toggle.openingCaption;
    return toggle.captions[toggleCaption(v, page, toggle)];
}

void activatePage(CZoetraView& v, const ControlPage& page) {
    if (page.routesMouse) {
        v.clearMouseTargets();
        if (page.mouseTarget) page.mouseTarget(v, page.instance) = kSwitchOn;
        v.mousePage = page.mousePageCode;
    }
    if (page.activated) page.activated(v, page.instance);
}

QString pickerFilter(const char* pairs) {
    const QStringList parts = QString::fromLatin1(pairs ? pairs : "").split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (label.isEmpty() && patterns.isEmpty()) break; // the closing "||"
        // The chooser reads the patterns from the brackets: the label keeps its words only.
        const qsizetype bracket = label.lastIndexOf(QLatin1Char('('));
        if (bracket > 0 && label.endsWith(QLatin1Char(')'))) label = label.left(bracket).trimmed();
        QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : list) {
            pattern = pattern.trimmed();
            // "*.*" would skip files without a full stop in their name.
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        }
        if (list.isEmpty()) list << QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(label, list.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

QString pickerFolder(const char* folder) {
    return resolveProgramPath(QString::fromLatin1(folder ? folder : "."));
}

FileChoice pickerChoice(const AssetPicker& picker) {
    FileChoice choice;
    choice.title = QString::fromLatin1(picker.title ? picker.title : "");
    choice.filter = pickerFilter(picker.filter);
    choice.initialPath = pickerFolder(picker.folder);
    return choice;
}

std::string pickerRecordedPath(const AssetPicker& picker, const QString& chosenPath) {
    return std::string(picker.prefix ? picker.prefix : "") +
           QFileInfo(chosenPath).fileName().toStdString();
}
