// offscreen_gl.cpp -- a desktop OpenGL context with no window and no X server: EGL's surfaceless
// platform drawing into a pbuffer
#include "run/offscreen_gl.h"

#include "common/extension_list.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>

// Configurations looked at when choosing the one most like the window's visual.
static const int kConfigSlots = 256;

// One line: the reason, and EGL's error code where EGL gave one.
static bool refuse(const char* reason)
{
    EGLint error = eglGetError();
    if (error == EGL_SUCCESS)
        fprintf(stderr, "brinewings: --offscreen: %s\n", reason);
    else
        fprintf(stderr, "brinewings: --offscreen: %s (EGL error 0x%04x)\n", reason, (unsigned)error);
    return false;
}

static EGLint attribute(EGLDisplay display, EGLConfig config, EGLint name)
{
    EGLint value = 0;
    eglGetConfigAttrib(display, config, name, &value);
    return value;
}

// The window asks for RGB, double buffering and a depth buffer; GLX then gives it 8-bit red,
// green and blue, no alpha, the deepest depth buffer and no stencil. The same choice here lets
// the same renderer draw the same pixels. Returns nullptr when no 8-bit RGB one has a depth
// buffer.
static EGLConfig windowLikeConfig(EGLDisplay display)
{
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
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

bool startOffscreen(int width, int height)
{
    // Client extensions are asked of no display; an EGL without them gives a null list.
    if (!hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless"))
        return refuse("EGL offers no surfaceless platform (EGL_MESA_platform_surfaceless)");
    auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    if (getPlatformDisplay == nullptr)
        return refuse("EGL offers no eglGetPlatformDisplayEXT");
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || eglInitialize(display, &major, &minor) != EGL_TRUE)
        return refuse("EGL's surfaceless display cannot be initialised");
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE)
        return refuse("EGL offers no desktop OpenGL");
    EGLConfig config = windowLikeConfig(display);
    if (config == nullptr)
        return refuse("EGL offers no desktop OpenGL configuration with 8-bit colour and a depth buffer");
    // No version asked: Mesa then gives its highest compatibility-profile version, with the
    // fixed-function pipeline the drawing uses.
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT)
        return refuse("EGL cannot create a desktop OpenGL compatibility context");
    // A pbuffer, not a framebuffer object: Mesa lays out a pbuffer as it does a window, while a
    // framebuffer object lies the other way up, which moves line and edge pixels and roundings
    // (on llvmpipe, 0.2 % of a frame). Frame capture reads GL_BACK here as in the window.
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, size);
    if (surface == EGL_NO_SURFACE) {
        char reason[96];
        snprintf(reason, sizeof reason, "EGL cannot create a pbuffer of %d x %d pixels", width, height);
        return refuse(reason);
    }
    if (eglMakeCurrent(display, surface, surface, context) != EGL_TRUE)
        return refuse("EGL cannot make the OpenGL context current");
    return true;
}

void finishOffscreenFrame()
{
    glFinish();
}
