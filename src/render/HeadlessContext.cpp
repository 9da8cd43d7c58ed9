// EGL surfaceless context creation.
#include "render/HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace {
QString eglErrorText(const char* what) {
    return QStringLiteral("%1 failed (EGL error 0x%2)")
        .arg(QLatin1String(what))
        .arg(eglGetError(), 4, 16, QLatin1Char('0'));
}
} // namespace

std::unique_ptr<HeadlessContext> HeadlessContext::create(QString* error) {
    auto fail = [&](const QString& text) -> std::unique_ptr<HeadlessContext> {
        if (error) *error = text;
        return nullptr;
    };
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display = EGL_NO_DISPLAY;
    if (getPlatformDisplay)
        display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY)
        return fail(QStringLiteral("No headless OpenGL display is available (EGL surfaceless)."));
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor)) return fail(eglErrorText("eglInitialize"));
    if (!eglBindAPI(EGL_OPENGL_API)) return fail(eglErrorText("eglBindAPI(OpenGL)"));

    const EGLint configAttribs[] = {EGL_SURFACE_TYPE,
                                    EGL_PBUFFER_BIT,
                                    EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_BIT,
                                    EGL_RED_SIZE,
                                    8,
                                    EGL_GREEN_SIZE,
                                    8,
                                    EGL_BLUE_SIZE,
                                    8,
                                    EGL_ALPHA_SIZE,
                                    8,
                                    EGL_DEPTH_SIZE,
                                    24,
                                    EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    const bool haveConfig =
        eglChooseConfig(display, configAttribs, &config, 1, &count) && count > 0;
    const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    // Surfaceless contexts may be made without a config (EGL_KHR_no_config_context).
    EGLContext context = eglCreateContext(display, haveConfig ? config : EGL_NO_CONFIG_KHR,
                                          EGL_NO_CONTEXT, contextAttribs);
    if (context == EGL_NO_CONTEXT) return fail(eglErrorText("eglCreateContext"));
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        eglDestroyContext(display, context);
        return fail(eglErrorText("eglMakeCurrent"));
    }
    std::unique_ptr<HeadlessContext> result(new HeadlessContext);
    result->display_ = display;
    result->context_ = context;
    return result;
}

HeadlessContext::~HeadlessContext() {
    if (!display_) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_) eglDestroyContext(display_, context_);
}

bool HeadlessContext::makeCurrent() {
    return eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_);
}
