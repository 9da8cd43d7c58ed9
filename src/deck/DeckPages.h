// The effect pages of the Control Deck that are the generic page of their table as it stands:
// "Star Controls" and "Picture Controls". A page that needs controls of its
// own beyond its table's toggles and pickers overrides the hooks of CEffectPage (see TextPage.h,
// SceneryPages.h, ModelBlurPages.h, ParticlePage.h), which the other pages' classes do.
#pragma once

#include "deck/EffectPage.h"
#include "deck/ModelBlurPages.h"
#include "deck/ParticlePage.h"
#include "deck/SceneryPages.h"

// "Star Controls"
class CMyPage2 : public CEffectPage {
    Q_OBJECT
  public:
    CMyPage2(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Stars, v, services, parent) {}
};

// "Picture Controls"
class CmyPage9 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage9(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Pictures, v, services, parent) {}
};
