// Export settings: the profile values and the preset's window size and rate.
#pragma once

class CZoetraView;

void readSettings(CZoetraView& v);
void applyPresetWindowSize(CZoetraView& v);
