// The effect pages of the Control Deck that are the generic page of their table as it stands:
// "Star Controls", "Picture Controls" and the three model pages. A page that needs controls of its
// own beyond its table's toggles and pickers overrides the hooks of CEffectPage (see TextPage.h,
// SceneryPages.h, ModelBlurPages.h, ParticlePage.h), which the other pages' classes do.
#pragma once

#include "deck/EffectPage.h"
#include "deck/ModelBlurPages.h"
#include "deck/ParticlePage.h"
#include "deck/SceneryPages.h"

// The generic page of one table under a name of its own, for the pages that add nothing to it.
template <DeckPage kPage, typename Page = CEffectPage> class TablePage : public Page {
  public:
    TablePage(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : Page(kPage, v, services, parent) {}
};

using CMyPage2 = TablePage<DeckPage::Stars>;    // "Star Controls"
using CmyPage9 = TablePage<DeckPage::Pictures>; // "Picture Controls"

using CmyPage8 = TablePage<DeckPage::Model1, CModelPage>;  // "3DS Model"
using CMyPage12 = TablePage<DeckPage::Model2, CModelPage>; // "Model 2"
using CMyPage13 = TablePage<DeckPage::Model3, CModelPage>; // "Model 3"
