// egl_config_gl.cpp -- the EGL configuration every EGL surface of the program draws with
#include "platform/egl_config_gl.h"

// Configurations looked at when choosing the one most like the window's visual.
static const int kConfigSlots = 256;

static EGLint attribute(EGLDisplay display, EGLConfig config, EGLint name)
{
    EGLint value = 0;
    eglGetConfigAttrib(display, config, name, &value);
    return value;
}

EGLConfig windowLikeConfig(EGLDisplay display, EGLint surfaceType)
{
    const EGLint wanted[] = {EGL_SURFACE_TYPE, surfaceType, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 1, EGL_NONE};
    EGLConfig configs[kConfigSlots];
    EGLint count = 0;
    if (eglChooseConfig(display, wanted, configs, kConfigSlots, &count) != EGL_TRUE)
        return nullptr;
    EGLConfig best = nullptr;
    EGLint bestAlpha = 0, bestDepth = 0, bestStencil = 0;
    for (EGLint i = 0; i < count; i++) {
        EGLConfig config = configs[i];
        if (attribute(display, config, EGL_RED_SIZE) != 8 || attribute(display, config, EGL_GREEN_SIZE) != 8 ||
            attribute(display, config, EGL_BLUE_SIZE) != 8)
            continue;
        EGLint alpha = attribute(display, config, EGL_ALPHA_SIZE);
        EGLint depth = attribute(display, config, EGL_DEPTH_SIZE);
        EGLint stencil = attribute(display, config, EGL_STENCIL_SIZE);
        bool better = best == nullptr || alpha < bestAlpha ||
                      (alpha == bestAlpha && (depth > bestDepth || (depth == bestDepth && stencil < bestStencil)));
        if (better) {
            best = config;
            bestAlpha = alpha;
            bestDepth = depth;
            bestStencil = stencil;
        }
    }
    return best;
}
