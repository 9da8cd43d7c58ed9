// The effect pages of the Control Deck that are the generic page of their table as it stands:
// "Star Controls", "Particle Controls", "Blur Control", the three model pages and "Picture
// Controls". A page that needs controls of its own beyond its table's toggles and pickers
// overrides the hooks of CEffectPage (see TextPage.h and SceneryPages.h).
#pragma once

#include "deck/EffectPage.h"
#include "deck/SceneryPages.h"

// "Star Controls"
class CMyPage2 : public CEffectPage {
    Q_OBJECT
  public:
    CMyPage2(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Stars, v, services, parent) {}
};

// "Particle Controls"
class CmyPage3 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage3(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Particles, v, services, parent) {}
};

// "Blur Control"
class CmyPage7 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage7(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Blur, v, services, parent) {}
};

// "3DS Model"
class CmyPage8 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage8(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Model1, v, services, parent) {}
};

// "Model 2"
class CMyPage12 : public CEffectPage {
    Q_OBJECT
  public:
    CMyPage12(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Model2, v, services, parent) {}
};

// "Model 3"
class CMyPage13 : public CEffectPage {
    Q_OBJECT
  public:
    CMyPage13(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Model3, v, services, parent) {}
};

// "Picture Controls"
class CmyPage9 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage9(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr)
        : CEffectPage(DeckPage::Pictures, v, services, parent) {}
};
