// Every control page table the program has, walked through its page the way a user would: the
// tab switches its layer on in the view, every entry shows its ranges and values and enables what
// the table says, sliders and edits change the scene (bad input included), toggles count their
// clicks, pickers open their dialogs, Reset shows the first entry again. A layer whose table is
// added later is covered without a change here.
#include "support/gui/DeckFixture.h"

#include "controls/PageModel.h"
#include "effects/Effects.h"

#include <QAbstractButton>
#include <QPushButton>

namespace {

class DeckPageWalk : public DeckFixture {
  protected:
    // The value entry `entry` shows at n, as a slider position.
    int shown(const ControlPage& table, const ControlEntry& entry, int n) {
        return entryPosition(scene(), table, entry, n).value_or(0);
    }

    // Every other layer off, so that the picture stands still; the text stays on as a still
    // background unless it is the page's own layer.
    void quietOtherLayers(const ControlPage& table) {
        for (const ControlPage* other : allControlPages())
            if (other != &table && !other->toggles.empty() && other->toggles[0].flag)
                other->toggles[0].flag(scene(), other->instance) = 0;
        scene().textOn = table.page == DeckPage::Text ? 0.0f : 2.0f;
    }
};

// A position inside the slider's range other than the one it shows.
int anotherPosition(const QSlider* slider) {
    const int low = slider->minimum(), high = slider->maximum();
    int target = low + (high - low) / 3;
    if (target == slider->value()) target = target < high ? target + 1 : target - 1;
    return target;
}

} // namespace

TEST_F(DeckPageWalk, OpeningEachPageSwitchesItsLayerOnInTheView) {
    ASSERT_FALSE(allControlPages().empty());
    CMySheet* sheet = openDeck();
    for (const ControlPage* table : allControlPages()) {
        SCOPED_TRACE(table->caption);
        ASSERT_FALSE(table->toggles.empty());
        const ToggleSpec& own = table->toggles[0];
        ASSERT_NE(own.flag, nullptr);
        quietOtherLayers(*table);
        own.flag(scene(), table->instance) = 0;
        const QImage before = viewPicture(500);

        clickTab(sheet, table->page);
        EXPECT_TRUE(isOn(own.flag(scene(), table->instance)));
        // Layers that build up over frames (particles, fire) get a few of them, and the default
        // particles are faint: the rest of the picture stands still, so small changes count.
        const QImage after = viewPicture(700, 8);
        EXPECT_GT(differingPixels(before, after, 6), 200);
    }
}

TEST_F(DeckPageWalk, EveryEntryShowsItsRangesAndValuesAndItsControlsChangeTheScene) {
    CMySheet* sheet = openDeck();
    for (const ControlPage* table : allControlPages()) {
        CEffectPage* page = clickTab(sheet, table->page);
        ASSERT_EQ(page->entryCombo()->count(), int(table->entries.size()));
        for (int i = 0; i < int(table->entries.size()); ++i) {
            const ControlEntry& entry = table->entries[size_t(i)];
            SCOPED_TRACE(std::string(table->caption) + " / entry " + std::to_string(i));
            EXPECT_EQ(page->entryCombo()->itemText(i), QString::fromLatin1(entry.text));
            chooseEntry(page->entryCombo(), i);
            EXPECT_EQ(scene().pageEntry(table->page), i);
            if (!*entry.text) continue; // selects nothing

            for (int n = 0; n < 3; ++n) {
                QSlider* slider = page->slider(n);
                EXPECT_EQ(slider->isEnabled(), entry.enabled[n]) << n;
                EXPECT_EQ(page->edit(n)->isEnabled(), entry.enabled[n]) << n;
                if (!entry.ranges[n].empty()) {
                    EXPECT_EQ(slider->minimum(), entry.ranges[n].min) << n;
                    EXPECT_EQ(slider->maximum(), entry.ranges[n].max) << n;
                }
                if (!entry.enabled[n]) {
                    EXPECT_EQ(slider->value(), 0) << n;
                    continue;
                }
                ASSERT_TRUE(controlValue(scene(), *table, entry.values[n])) << n;
                const int value = shown(*table, entry, n);
                EXPECT_EQ(slider->value(), std::clamp(value, slider->minimum(), slider->maximum()));
                EXPECT_EQ(page->edit(n)->text(), QString::number(value)) << n;
            }

            // Sliders: the moved one's value follows, and its edit shows it.
            for (int n = 0; n < 3; ++n) {
                if (!entry.enabled[n]) continue;
                QSlider* slider = page->slider(n);
                const int target = anotherPosition(slider);
                slider->setValue(target);
                EXPECT_EQ(shown(*table, entry, n), target) << n;
                EXPECT_EQ(page->edit(n)->text(), QString::number(target)) << n;
                for (int m = 0; m < 3; ++m) {
                    if (entry.rangesAfterMove[m].empty()) continue;
                    EXPECT_EQ(page->slider(m)->minimum(), entry.rangesAfterMove[m].min);
                    EXPECT_EQ(page->slider(m)->maximum(), entry.rangesAfterMove[m].max);
                }
            }

            // Edits: a whole number sets the value and moves the slider; anything else leaves it,
            // and the box shows what the scene holds once typing ends.
            for (int n = 0; n < 3; ++n) {
                if (!entry.enabled[n]) continue;
                QSlider* slider = page->slider(n);
                QLineEdit* edit = page->edit(n);
                const int before = shown(*table, entry, n);
                if (!entry.editSets[n]) {
                    EXPECT_TRUE(edit->isReadOnly()) << n;
                    typeInto(edit, QStringLiteral("7"), true);
                    EXPECT_EQ(shown(*table, entry, n), before) << n;
                    EXPECT_EQ(edit->text(), QString::number(before)) << n;
                    continue;
                }
                const int low = slider->minimum(), high = slider->maximum();
                int typed = low + (high - low) / 4;
                if (typed == before) typed = typed < high ? typed + 1 : typed - 1;
                typeInto(edit, QString::number(typed));
                EXPECT_EQ(shown(*table, entry, n), typed) << n;
                EXPECT_EQ(slider->value(), typed) << n;
                for (const char* bad : {"abc", "-", "", "x12", ".5"}) {
                    typeInto(edit, QString::fromLatin1(bad), true);
                    EXPECT_EQ(shown(*table, entry, n), typed) << n << " " << bad;
                    EXPECT_EQ(edit->text(), QString::number(typed)) << n << " " << bad;
                }
                // Typing goes a key at a time: "1.5" is 1 once its first key is in.
                typeInto(edit, QStringLiteral("1.5"), true);
                EXPECT_EQ(shown(*table, entry, n), std::clamp(1, low, high)) << n;
                EXPECT_EQ(edit->text(), QString::number(std::clamp(1, low, high))) << n;
                // Past the slider's ends the number is kept as typed; the slider stops at its end.
                const int beyond = high + 1000;
                typeInto(edit, QString::number(beyond), true);
                EXPECT_EQ(shown(*table, entry, n), beyond) << n;
                EXPECT_EQ(slider->value(), high) << n;
                EXPECT_EQ(edit->text(), QString::number(beyond)) << n;
                typeInto(edit, QString::number(low - 1000), true);
                EXPECT_EQ(shown(*table, entry, n), low - 1000) << n;
                EXPECT_EQ(slider->value(), low) << n;
                // Twenty digits stop at the end of the edit's whole numbers.
                typeInto(edit, QStringLiteral("-99999999999999999999"), true);
                EXPECT_LE(shown(*table, entry, n), -2000000000) << n;
                EXPECT_EQ(slider->value(), low) << n;
                typeInto(edit, QString::number(typed), true);
                EXPECT_EQ(shown(*table, entry, n), typed) << n;
            }
        }
    }
}

TEST_F(DeckPageWalk, TogglesPickersAndReset) {
    CMySheet* sheet = openDeck();
    for (const ControlPage* table : allControlPages()) {
        SCOPED_TRACE(table->caption);
        CEffectPage* page = clickTab(sheet, table->page);
        CZoetraView& v = scene();
        ASSERT_EQ(page->toggleButtons().size(), qsizetype(table->toggles.size()));
        for (int i = 0; i < int(table->toggles.size()); ++i) {
            const ToggleSpec& toggle = table->toggles[size_t(i)];
            QAbstractButton* button = page->toggleButtons()[i];
            if (toggle.hidden) {
                EXPECT_FALSE(button->isVisibleTo(page)) << i;
                EXPECT_FALSE(button->isEnabled()) << i;
                continue;
            }
            EXPECT_TRUE(button->isVisibleTo(page)) << i;
            if (toggle.openingCaption) {
                EXPECT_EQ(button->text(), QString::fromLatin1(toggle.openingCaption)) << i;
            }
            for (int click = 0; click < 2; ++click) {
                float counter = toggle.clicks ? toggle.clicks(v, table->instance) : 0.0f;
                if (!(counter >= 0 && counter < 2)) counter = 0;
                const bool second = counter + 1 >= 2;
                button->click();
                if (toggle.clicks) {
                    EXPECT_FLOAT_EQ(toggle.clicks(v, table->instance), second ? 0.0f : 1.0f) << i;
                }
                if (toggle.flag) {
                    EXPECT_FLOAT_EQ(toggle.flag(v, table->instance), toggle.values[second ? 1 : 0])
                        << i;
                }
                if (toggle.ticked)
                    EXPECT_EQ(button->isChecked(), toggle.ticked(v, table->instance)) << i;
                else
                    EXPECT_EQ(button->text(), QString::fromLatin1(toggle.captions[second ? 1 : 0]))
                        << i;
            }
        }

        ASSERT_EQ(page->pickerButtons().size(), qsizetype(table->pickers.size()));
        for (int i = 0; i < int(table->pickers.size()); ++i) {
            const AssetPicker& picker = table->pickers[size_t(i)];
            QPushButton* button = page->pickerButtons()[i];
            EXPECT_EQ(button->text(), QString::fromLatin1(picker.caption));
            // Cancelled: the dialog was the picker's, nothing is said, the deck comes back.
            headless.files.clear();
            const size_t messages = headless.messages.size();
            button->click();
            ASSERT_FALSE(headless.fileRequests.empty());
            const FileChoice expected = pickerChoice(picker);
            EXPECT_EQ(headless.fileRequests.back().title, expected.title);
            EXPECT_EQ(headless.fileRequests.back().filter, expected.filter);
            EXPECT_EQ(headless.fileRequests.back().initialPath, expected.initialPath);
            EXPECT_EQ(headless.messages.size(), messages);
            EXPECT_TRUE(sheet->isVisible());
            // A file that cannot be loaded: the user is told, the deck comes back.
            headless.files = {QStringLiteral("/nonexistent/folder/broken.file")};
            button->click();
            EXPECT_GT(headless.messages.size(), messages) << i;
            EXPECT_TRUE(sheet->isVisible());
        }
        // The layer still draws after the failed loads.
        EXPECT_FALSE(viewPicture(200).isNull());

        // Reset: the first entry, showing its values.
        const ControlEntry& first = table->entries[0];
        chooseEntry(page->entryCombo(), int(table->entries.size()) - 1);
        page->resetButton()->click();
        EXPECT_EQ(scene().pageEntry(table->page), 0);
        EXPECT_EQ(page->entryCombo()->currentIndex(), 0);
        for (int n = 0; n < 3; ++n) {
            if (!first.enabled[n]) continue;
            EXPECT_EQ(page->edit(n)->text(), QString::number(shown(*table, first, n))) << n;
            if (!first.ranges[n].empty()) {
                EXPECT_EQ(page->slider(n)->maximum(), first.ranges[n].max);
            }
        }
        for (int i = 0; i < int(table->toggles.size()); ++i) {
            const ToggleSpec& toggle = table->toggles[size_t(i)];
            QAbstractButton* button = page->toggleButtons()[i];
            if (toggle.ticked)
                EXPECT_EQ(button->isChecked(), toggle.ticked(v, table->instance)) << i;
            else
                EXPECT_EQ(button->text(),
                          QString::fromLatin1(toggle.captions[toggleCaption(v, *table, toggle)]))
                    << i;
        }
    }
}

TEST_F(DeckPageWalk, StarsPastTheSlidersEndComeFromTheEdit) {
    CMySheet* sheet = openDeck();
    CEffectPage* page = clickTab(sheet, DeckPage::Stars);
    chooseEntry(page->entryCombo(), 3); // "Star Number (X)  Alpha Fade (Y)"
    ASSERT_EQ(page->slider(0)->maximum(), 250);
    typeInto(page->edit(0), QStringLiteral("280"), true);
    EXPECT_FLOAT_EQ(scene().starNumber, 280);
    EXPECT_EQ(page->slider(0)->value(), 250);
    EXPECT_EQ(page->edit(0)->text(), "280");
    // Letters and an empty box keep the number.
    for (const char* bad : {"many", ""}) {
        typeInto(page->edit(0), QString::fromLatin1(bad), true);
        EXPECT_FLOAT_EQ(scene().starNumber, 280) << bad;
    }
}
