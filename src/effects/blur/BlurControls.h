// The "Blur Control" page and its "Change Color" button.
#pragma once

#include "effects/ControlTable.h"

extern const ControlPage kBlurPage;

// "Change Color" (hidden on the page): hides the Control Deck, asks for a colour starting from
// the one chosen last; on OK that colour / 255 becomes `legacyBlurColour`. The deck is shown
// again either way. True when a colour was chosen.
bool changeLegacyBlurColour(CZoetraView& v);
