// The stored-sequence folder and the start-up sequence.
#pragma once

class CZoetraView;

void scanSequences(CZoetraView& v);
void loadStartSequence(CZoetraView& v);
