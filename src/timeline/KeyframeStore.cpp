// Keyframe store: the key list and the key tracks of the keyable values.
#include "timeline/KeyframeStore.h"

#include "scene/CZoetraView.h"

void captureStartValues(CZoetraView&) {}
void resetTimeline(CZoetraView&) {}
