// The fixed-function fog the tunnel recedes into.
#pragma once

class CZoetraView;

// Linear fog from the tunnel block: its fog colour (0-255), density, and start and end each
// divided by 10. A value that is not finite counts as 0, a negative density as 0 (GL refuses it).
void applyFog(const CZoetraView& v);
