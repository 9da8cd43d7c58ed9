// Checking that the folders of src/ include downwards only.
#include "IncludeOrder.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSceneRecord = "scene/CZoetraView.h";
// Data headers may live no higher than this folder.
constexpr const char* kHighestDataFolder = "effects";

struct Include {
    int line;
    std::string header;
};

std::string topFolder(const std::string& path) {
    return path.substr(0, path.find('/'));
}

int levelOf(const std::string& path) {
    const auto& order = folderOrder();
    const auto at = std::find(order.begin(), order.end(), topFolder(path));
    return at == order.end() ? -1 : int(at - order.begin());
}

// The project headers a file includes ("folder/Name.h" that exists under the root).
std::vector<Include> projectIncludes(const fs::path& root, const std::string& file) {
    static const std::regex directive(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<Include> found;
    std::ifstream in(root / file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::smatch m;
        if (std::regex_search(text, m, directive) && fs::exists(root / m[1].str()))
            found.push_back({line, m[1].str()});
    }
    return found;
}

enum class Library { None, Core, Widgets, Both };

// The library the sources of `folder` (relative to the root, e.g. "export/ui") go into: what its
// nearest CMakeLists.txt adds sources to, up to its top folder.
Library libraryOf(const fs::path& root, std::string folder) {
    static const std::regex core(R"re(target_sources\s*\(\s*lumatoy_core\b)re");
    static const std::regex widgets(R"re(target_sources\s*\(\s*lumatoy_ui\b)re");
    for (;;) {
        std::ifstream in(root / folder / "CMakeLists.txt");
        if (in) {
            std::stringstream text;
            text << in.rdbuf();
            const bool toCore = std::regex_search(text.str(), core);
            const bool toWidgets = std::regex_search(text.str(), widgets);
            return toCore && toWidgets ? Library::Both
                   : toCore            ? Library::Core
                   : toWidgets         ? Library::Widgets
                                       : Library::None;
        }
        const std::size_t slash = folder.rfind('/');
        if (slash == std::string::npos) return Library::None;
        folder.erase(slash);
    }
}

std::string folderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

} // namespace

const std::vector<std::string>& folderOrder() {
    static const std::vector<std::string> order{
        "scene",  "platform", "assets",   "audio", "effects", "timeline", "startup",
        "render", "export",   "controls", "cli",   "deck",    "app",
    };
    return order;
}

std::vector<IncludeViolation> checkIncludeOrder(const fs::path& root) {
    std::map<std::string, std::vector<Include>> includes;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        const std::string file = fs::relative(entry.path(), root).generic_string();
        includes[file] = projectIncludes(root, file);
    }

    // The scene record and everything it is made of.
    std::set<std::string> data;
    std::vector<std::string> pending{kSceneRecord};
    while (!pending.empty()) {
        const std::string header = pending.back();
        pending.pop_back();
        if (!data.insert(header).second) continue;
        for (const Include& inc : includes[header])
            pending.push_back(inc.header);
    }

    std::vector<IncludeViolation> violations;
    const int highestData = levelOf(std::string(kHighestDataFolder) + "/");
    for (const std::string& header : data)
        if (levelOf(header) < 0 || levelOf(header) > highestData)
            violations.push_back({header, 0, kSceneRecord,
                                  "the scene record is made of it, so it must live in a folder "
                                  "no higher than " +
                                      std::string(kHighestDataFolder)});
    std::map<std::string, Library> libraries;
    auto library = [&](const std::string& folder) {
        const auto known = libraries.find(folder);
        return known != libraries.end() ? known->second
                                        : libraries[folder] = libraryOf(root, folder);
    };
    std::set<std::string> folders;
    for (const auto& entry : includes)
        folders.insert(folderOf(entry.first));
    for (const std::string& folder : folders)
        if (library(folder) == Library::Both)
            violations.push_back({folder + "/CMakeLists.txt", 0, "",
                                  "the folder feeds both libraries; give the widgets a folder of "
                                  "their own"});
    for (const auto& [file, list] : includes) {
        const int level = levelOf(file);
        if (level < 0) {
            violations.push_back({file, 0, "", "its folder has no place in the folder order"});
            continue;
        }
        const bool coreFile = library(folderOf(file)) != Library::Widgets;
        for (const Include& inc : list) {
            if (data.count(inc.header)) continue;
            const int target = levelOf(inc.header);
            if (target > level)
                violations.push_back({file, inc.line, inc.header,
                                      topFolder(inc.header) + " lies above " + topFolder(file)});
            else if (coreFile && library(folderOf(inc.header)) == Library::Widgets)
                violations.push_back({file, inc.line, inc.header,
                                      "a core folder includes a header of the widgets (" +
                                          folderOf(inc.header) + ")"});
        }
    }
    return violations;
}

std::string describe(const IncludeViolation& v) {
    std::string text = v.file;
    if (v.line > 0) text += ":" + std::to_string(v.line);
    text += ": ";
    if (!v.header.empty()) text += "includes " + v.header + ": ";
    return text + v.reason;
}
