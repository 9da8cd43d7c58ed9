// The rules of src/'s folders: they include downwards only (a file may include headers of its own
// folder's level or of a lower one, and anything the scene record is made of); each folder feeds
// one library, the core or the widgets (its nearest CMakeLists.txt adds its sources to one of
// them); and no core folder includes a widget folder's header.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The top folders of src/, lowest first.
const std::vector<std::string>& folderOrder();

struct IncludeViolation {
    std::string file;   // relative to the source root, e.g. "effects/stars/StarLayer.cpp"
    int line = 0;       // 1-based; 0 for a violation of the file as a whole
    std::string header; // the included header, e.g. "render/FrameComposer.h"
    std::string reason;
};

// Checks every .h and .cpp under `sourceRoot` (the src/ folder). The scene record
// (scene/CZoetraView.h) and every header it includes, directly or not, are its data headers,
// which any folder may include; they must themselves live in folders no higher than the effects.
// A folder without a CMakeLists.txt of its own belongs to the library of the folder above it.
std::vector<IncludeViolation> checkIncludeOrder(const std::filesystem::path& sourceRoot);

// One line per violation, "file:line: includes header: reason".
std::string describe(const IncludeViolation& violation);
