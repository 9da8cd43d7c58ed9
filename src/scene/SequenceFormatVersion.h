// The format version this program writes into sequence files, and that a new scene has.
#pragma once

constexpr float kSequenceFormatVersion = 6.0f;
