// The Text page's own controls as scene operations.
#include "effects/text/TextPageActions.h"

#include "effects/text/TextLayer.h"
#include "effects/text/TextLayout.h"
#include "platform/Platform.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

namespace {
constexpr int kStyleEntrySolid = 6;
constexpr int kStyleEntryShinyOn = 7;
constexpr int kStyleEntryShinyOff = 8;
} // namespace

QStringList textStyleEntries() {
    return {QStringLiteral("Reflection Map"),
            QStringLiteral("Glass"),
            QStringLiteral("Single Color"),
            QStringLiteral("Textured (Object)"),
            QStringLiteral("Texture (Eye]"),
            QStringLiteral("WireFrame"),
            QStringLiteral("Solid"),
            QStringLiteral("Shiny Texture On"),
            QStringLiteral("Shiny Texture Off")};
}

QStringList textMaterialEntries() {
    return {
        QStringLiteral("User Defined"),    QStringLiteral("Brass"),        QStringLiteral("Bronze"),
        QStringLiteral("Polished Bronze"), QStringLiteral("Chrome"),       QStringLiteral("Gold"),
        QStringLiteral("Polished Gold"),   QStringLiteral("Pewter"),       QStringLiteral("Silver"),
        QStringLiteral("Polished Silver"), QStringLiteral("Emerald"),      QStringLiteral("Jade"),
        QStringLiteral("Obsidian"),        QStringLiteral("Pearl"),        QStringLiteral("Ruby"),
        QStringLiteral("Turquoise"),       QStringLiteral("Black Plastic")};
}

QString textForEdit(const CZoetraView& v) {
    QString text = QString::fromLatin1(v.textString.data(), qsizetype(v.textString.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void setTextFromEdit(CZoetraView& v, const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    // The glyph lists cover the 8-bit codes: what lies beyond them cannot be drawn.
    QByteArray bytes = lines.toLatin1();
    if (bytes.size() > qsizetype(kMaxTextLength)) bytes.truncate(qsizetype(kMaxTextLength));
    v.textString.assign(bytes.constData(), size_t(bytes.size()));
}

void chooseTextStyleEntry(CZoetraView& v, int entry) {
    if (entry < 0 || entry > kStyleEntryShinyOff) return;
    v.textStyleEntry = entry;
    if (entry <= int(kStyleTexturedEye)) {
        v.textStyle = float(entry);
    } else if (entry == kStyleEntryWireFrame || entry == kStyleEntrySolid) {
        v.textWireframe = entry == kStyleEntryWireFrame ? kSwitchOn : kSwitchOff;
        buildTextLists(v);
    } else {
        v.textShiny = entry == kStyleEntryShinyOn ? kSwitchOn : kSwitchOff;
    }
}

void chooseTextMaterialEntry(CZoetraView& v, int entry) {
    if (entry < 0 || entry >= int(textMaterialEntries().size())) return;
    v.textMaterialEntry = entry;
}

bool askTextFont(CZoetraView& v) {
    FontChoice initial;
    initial.face = QString::fromStdString(v.fontFace);
    initial.weight = v.fontWeight > 0 ? v.fontWeight : 400;
    initial.italic = v.fontItalic != 0;
    initial.colour = QColor(int(v.fontColour.x), int(v.fontColour.y), int(v.fontColour.z));
    const std::optional<FontChoice> chosen = platform().chooseFont(initial);
    if (!chosen || chosen->face.isEmpty()) return false;
    v.fontFace = chosen->face.toStdString();
    v.fontWeight = chosen->weight;
    v.fontItalic = chosen->italic ? 1 : 0;
    return true;
}

void rebuildTextGlyphs(CZoetraView& v) {
    buildTextLists(v);
}

bool askFontColour(CZoetraView& v, QColor& lastChosen) {
    const std::optional<QColor> chosen = platform().chooseColour(lastChosen);
    if (!chosen || !chosen->isValid()) return false;
    lastChosen = *chosen;
    v.fontColour = {float(chosen->red()), float(chosen->green()), float(chosen->blue())};
    return true;
}
