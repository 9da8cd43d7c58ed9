// The stored-sequence folder and the start-up sequence.
#include "timeline/SequenceLibrary.h"

#include "scene/CZoetraView.h"

void scanSequences(CZoetraView&) {}
void loadStartSequence(CZoetraView&) {}
