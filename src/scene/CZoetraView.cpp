// Construction of the scene record.
#include "scene/CZoetraView.h"

CZoetraView::CZoetraView() = default;
