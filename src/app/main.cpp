// Entry point: the main window, or a command-line sub-command.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("lumatoy %s\n", LUMATOY_VERSION);
        return 0;
    }
    return 0;
}
