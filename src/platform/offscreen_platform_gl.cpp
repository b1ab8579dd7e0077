// offscreen_platform_gl.cpp -- the off-screen platform: a desktop OpenGL context with no window
// and no X server, EGL's device platform (else its surfaceless one) drawing into a pbuffer
#include "common/extension_list.h"
#include "common/window_size.h"
#include "platform/offscreen_gpu.h"
#include "platform/egl_config_gl.h"
#include "platform/platform.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>

static PlatformHooks hooks;
static int surfaceWidth = 0;   // pixels: the pbuffer's size, reported once at the first poll
static int surfaceHeight = 0;
static bool sizeReported = false;
static char platformName[96];  // which EGL platform and device draws
static int chosenGpu = kGpuDefault;

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

// The EGL devices the driver lists (EGL_EXT_device_enumeration); 0 where it lists none.
static int queryDevices(EGLDeviceEXT* devices)
{
    const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!hasExtension(client, "EGL_EXT_platform_device") || !hasExtension(client, "EGL_EXT_device_enumeration"))
        return 0;
    auto query = (PFNEGLQUERYDEVICESEXTPROC)eglGetProcAddress("eglQueryDevicesEXT");
    EGLint count = 0;
    if (query == nullptr || query(kGpuSlots, devices, &count) != EGL_TRUE)
        return 0;
    return count;
}

// What a device is: its render node or device file where EGL names one, and whether it is
// Mesa's software renderer.
static void describeDevice(EGLDeviceEXT device, char* text, size_t size)
{
    auto query = (PFNEGLQUERYDEVICESTRINGEXTPROC)eglGetProcAddress("eglQueryDeviceStringEXT");
    const char* extensions = query != nullptr ? query(device, EGL_EXTENSIONS) : nullptr;
    const char* file = nullptr;
#ifdef EGL_DRM_RENDER_NODE_FILE_EXT
    if (hasExtension(extensions, "EGL_EXT_device_drm_render_node"))
        file = query(device, EGL_DRM_RENDER_NODE_FILE_EXT);
#endif
    if (file == nullptr && hasExtension(extensions, "EGL_EXT_device_drm"))
        file = query(device, EGL_DRM_DEVICE_FILE_EXT);
    bool software = hasExtension(extensions, "EGL_MESA_device_software");
    snprintf(text, size, "%s%s%s", file != nullptr ? file : "", file != nullptr && software ? ", " : "",
             software ? "software renderer" : file != nullptr ? "" : "a device with no name");
}

// Initialises display and makes a context current on a width x height pbuffer of the window's
// formats. False after one line when any step fails.
static bool makeContext(EGLDisplay display, int width, int height)
{
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || eglInitialize(display, &major, &minor) != EGL_TRUE)
        return refuse("EGL's display cannot be initialised");
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE)
        return refuse("EGL offers no desktop OpenGL");
    EGLConfig config = windowLikeConfig(display, EGL_PBUFFER_BIT);
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

static bool openOnDevice(int gpu, int width, int height)
{
    EGLDeviceEXT devices[kGpuSlots];
    int count = queryDevices(devices);
    if (gpu >= count) {
        char reason[96];
        snprintf(reason, sizeof reason, "there is no EGL device %d (%d found; --list-gpus names them)", gpu, count);
        return refuse(reason);
    }
    auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    if (getPlatformDisplay == nullptr)
        return refuse("EGL offers no eglGetPlatformDisplayEXT");
    if (!makeContext(getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[gpu], nullptr), width, height))
        return false;
    char device[64];
    describeDevice(devices[gpu], device, sizeof device);
    snprintf(platformName, sizeof platformName, "EGL device %d (%s)", gpu, device);
    return true;
}

static bool openSurfaceless(int width, int height)
{
    // Client extensions are asked of no display; an EGL without them gives a null list.
    if (!hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless"))
        return refuse("EGL offers no surfaceless platform (EGL_MESA_platform_surfaceless)");
    auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    if (getPlatformDisplay == nullptr)
        return refuse("EGL offers no eglGetPlatformDisplayEXT");
    if (!makeContext(getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr), width, height))
        return false;
    snprintf(platformName, sizeof platformName, "EGL's surfaceless platform");
    return true;
}

void chooseOffscreenGpu(int gpu)
{
    chosenGpu = gpu;
}

// EGL needs no display; what it lacks, open says.
static bool available(const SurfaceRequest&)
{
    return true;
}

static bool openOffscreen(const SurfaceRequest& request, const PlatformHooks& platformHooks)
{
    hooks = platformHooks;
    surfaceWidth = request.width > 0 ? request.width : kWindowSide;
    surfaceHeight = request.height > 0 ? request.height : kWindowSide;
    if (chosenGpu >= 0)
        return openOnDevice(chosenGpu, surfaceWidth, surfaceHeight);
    if (chosenGpu == kGpuSurfaceless)
        return openSurfaceless(surfaceWidth, surfaceHeight);
    // The device platform is what every driver offers headless (NVIDIA's among them); Mesa
    // before it had only the surfaceless one.
    EGLDeviceEXT devices[kGpuSlots];
    if (queryDevices(devices) > 0 && openOnDevice(0, surfaceWidth, surfaceHeight))
        return true;
    return openSurfaceless(surfaceWidth, surfaceHeight);
}

// Off-screen there is no input; the surface's size is told once, before the first frame.
static void pollEvents(long long)
{
    if (!sizeReported) {
        sizeReported = true;
        hooks.resize(surfaceWidth, surfaceHeight);
    }
}

static bool surfaceShown()
{
    return true;
}

// Where a window would swap: waits until the frame is fully drawn.
static void finishFrame()
{
    glFinish();
}

// There is no window to make full screen.
static bool toggleFullScreen()
{
    return false;
}

static bool fullScreenSettled()
{
    return true;
}

static const char* setSwapIntervalZero(bool* set)
{
    *set = false;
    static char text[sizeof platformName + 32];
    snprintf(text, sizeof text, "off-screen, no swap, %s", platformName);
    return text;
}

const Platform& offscreenPlatform()
{
    static const Platform platform = [] {
        Platform p;
        p.name = "off-screen";
        p.takesInput = false;
        p.available = available;
        p.open = openOffscreen;
        p.pollEvents = pollEvents;
        p.surfaceShown = surfaceShown;
        p.endFrame = finishFrame;
        p.toggleFullScreen = toggleFullScreen;
        p.fullScreenSettled = fullScreenSettled;
        p.setSwapIntervalZero = setSwapIntervalZero;
        return p;
    }();
    return platform;
}

bool listGpus()
{
    EGLDeviceEXT devices[kGpuSlots];
    int count = queryDevices(devices);
    for (int i = 0; i < count; i++) {
        char device[64];
        describeDevice(devices[i], device, sizeof device);
        printf("EGL device %d: %s\n", i, device);
    }
    bool surfaceless = hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless");
    printf("EGL's surfaceless platform: %s\n", surfaceless ? "offered" : "not offered");
    return count > 0 || surfaceless;
}
