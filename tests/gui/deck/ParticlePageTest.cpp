// The "Number of Particles" edit of the "Particle Controls" page: typed counts rebuild the
// emitter on the next frame, bad input leaves it alone, Reset shows 800 again.
#include "support/gui/DeckFixture.h"

#include "deck/ParticlePage.h"
#include "effects/particles/ParticleSystem.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
class ParticlePage : public DeckFixture {};
} // namespace

TEST_F(ParticlePage, TheCountEditRebuildsTheEmitterWithThatManySlots) {
    CMySheet* sheet = openDeck();
    auto* page = static_cast<CmyPage3*>(clickTab(sheet, DeckPage::Particles));
    QLineEdit* count = page->countEdit();
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(), "800");
    viewPicture();
    EXPECT_EQ(scene().particleSystem.maxParticles, 800);

    count->setFocus();
    count->selectAll();
    QTest::keyClicks(count, "2500");
    EXPECT_EQ(scene().particleCount, 2500);
    viewPicture();
    EXPECT_EQ(scene().particleSystem.maxParticles, 2500);

    // Bad input: nothing typed, a lone sign, letters keep the last count; a number past the
    // emitter's limit is held at it, and the box shows what the emitter got once typing ends.
    for (const char* typed : {"", "-", "many"}) {
        SCOPED_TRACE(typed);
        count->selectAll();
        QTest::keyClick(count, Qt::Key_Backspace);
        QTest::keyClicks(count, typed);
        EXPECT_EQ(scene().particleCount, 2500);
    }
    count->selectAll();
    QTest::keyClicks(count, "99999999999999999999");
    QTest::keyClick(count, Qt::Key_Return);
    EXPECT_EQ(scene().particleCount, kMaxParticles);
    EXPECT_EQ(count->text(), QString::number(kMaxParticles));
    viewPicture();
    EXPECT_EQ(scene().particleSystem.maxParticles, kMaxParticles);

    page->resetButton()->click();
    EXPECT_EQ(scene().particleCount, 800);
    EXPECT_EQ(count->text(), "800");
}
