// Export settings: the profile values and the preset's window size and rate.
#include "export/ExportSettings.h"

#include "scene/CZoetraView.h"

void readSettings(CZoetraView&) {}
void applyPresetWindowSize(CZoetraView&) {}
