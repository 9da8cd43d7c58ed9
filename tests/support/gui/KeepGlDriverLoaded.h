// Keeps the GL driver modules loaded until the process ends when built with AddressSanitizer:
// the driver is otherwise unloaded at exit before LeakSanitizer reports, and what it leaks
// shows as "<unknown module>", which no suppression can name.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>
#include <string>

inline void keepGlDriverLoaded() {
    void* glx = dlopen("libGLX_mesa.so.0", RTLD_NOW | RTLD_NODELETE);
    if (!glx) return;
    link_map* map = nullptr;
    if (dlinfo(glx, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return;
    std::string folder = map->l_name;
    folder = folder.substr(0, folder.rfind('/')) + "/dri/";
    // The software drivers Xvfb's GLX uses; a loaded module stays loaded to the end.
    for (const char* driver : {"swrast_dri.so", "kms_swrast_dri.so"})
        dlopen((folder + driver).c_str(), RTLD_NOW | RTLD_NODELETE);
}
#else
inline void keepGlDriverLoaded() {}
#endif
