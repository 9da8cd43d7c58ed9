// Pictures of every Control Deck page beside the view it drives, as the user guide shows them:
// each tab opened in turn on a scene where only its layer is on. Every page must draw something
// of its own; with LUMATOY_GUIDE_SHOTS naming a folder the screen is written there, one PNG per
// page (scripts/guide-screenshots.sh makes docs/guide/ that way).
#include "support/gui/DeckFixture.h"

#include "effects/Effects.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

namespace {

class GuideShots : public DeckFixture {};

// "Particle Controls" -> "particle-controls".
QString shotName(const QString& caption) {
    return caption.toLower().replace(QLatin1Char(' '), QLatin1Char('-')).remove(QLatin1Char(':'));
}

} // namespace

TEST_F(GuideShots, EveryPageDrawsAPictureOfItsOwn) {
    const QString folder = qEnvironmentVariable("LUMATOY_GUIDE_SHOTS");
    if (!folder.isEmpty()) {
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    CMySheet* sheet = openDeck();
    // The window at the top left, the deck below it.
    frame->move(0, 0);
    sheet->move(0, frame->frameGeometry().bottom() + 8);

    QList<QImage> pages;
    for (int index = 0; index < sheet->tabs()->count(); ++index) {
        const auto page = DeckPage(index);
        // Only the page's own layer is on (the keyframe page keeps the text as it is).
        if (page != DeckPage::Keyframes) {
            for (const ControlPage* table : allControlPages())
                if (!table->toggles.empty() && table->toggles[0].flag)
                    table->toggles[0].flag(scene(), table->instance) = 0;
            scene().textOn = 0;
        }
        clickTab(sheet, page);
        viewPicture(600, 8);
        const QImage deck = sheet->grab().toImage();
        SCOPED_TRACE(sheet->tabs()->tabText(index).toStdString());
        for (const QImage& other : pages)
            EXPECT_NE(deck, other);
        pages.append(deck);
        if (!folder.isEmpty()) {
            const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            const QRect used = frame->frameGeometry().united(sheet->frameGeometry());
            EXPECT_TRUE(screen.copy(used).save(
                QDir(folder).filePath(shotName(sheet->tabs()->tabText(index)) + ".png")));
        }
    }
}
