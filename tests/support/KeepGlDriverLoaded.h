// Keeps the GL driver modules loaded until the process ends when built with AddressSanitizer:
// the driver is otherwise unloaded at exit before LeakSanitizer reports, and what it leaks
// shows as "<unknown module>", which no suppression can name.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>
#include <string>

inline void keepGlDriverLoaded() {
    // GLX for the windows under Xvfb, EGL for the headless renders; both load the same software
    // drivers, and a loaded module stays loaded to the end.
    for (const char* vendor : {"libGLX_mesa.so.0", "libEGL_mesa.so.0"}) {
        void* library = dlopen(vendor, RTLD_NOW | RTLD_NODELETE);
        if (!library) continue;
        link_map* map = nullptr;
        if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) continue;
        std::string folder = map->l_name;
        folder = folder.substr(0, folder.rfind('/')) + "/dri/";
        for (const char* driver : {"swrast_dri.so", "kms_swrast_dri.so"})
            dlopen((folder + driver).c_str(), RTLD_NOW | RTLD_NODELETE);
    }
}
#else
inline void keepGlDriverLoaded() {}
#endif
