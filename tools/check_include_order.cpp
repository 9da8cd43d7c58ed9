// lumatoy_check_includes [SRC]: lists every include of src/ that goes up the folder order and
// exits 1 if there is one.
#include "IncludeOrder.h"

#include <cstdio>

int main(int argc, char** argv) {
    const std::filesystem::path root = argc > 1 ? argv[1] : "src";
    if (!std::filesystem::is_directory(root)) {
        std::fprintf(stderr, "lumatoy_check_includes: %s is not a folder\n", root.c_str());
        return 2;
    }
    const auto violations = checkIncludeOrder(root);
    for (const IncludeViolation& v : violations)
        std::fprintf(stderr, "%s\n", describe(v).c_str());
    if (!violations.empty()) return 1;
    std::string order;
    for (const std::string& folder : folderOrder())
        order += (order.empty() ? "" : " < ") + folder;
    std::printf("include order holds: %s\n", order.c_str());
    return 0;
}
