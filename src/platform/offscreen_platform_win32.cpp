// offscreen_platform_win32.cpp -- the off-screen platform on Windows: a WGL pbuffer
// (WGL_ARB_pbuffer) made through a hidden window, drawn as the window is; where the display's
// driver offers none (no display at all, say), a memory bitmap drawn by the software renderer
#include "common/extension_list.h"
#include "common/window_size.h"
#include "platform/offscreen_gpu.h"
#include "platform/pixel_format_win32.h"
#include "platform/platform.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/wglext.h>

#include <cstdio>

static const int kFormatSlots = 256;  // pixel formats looked at

static PlatformHooks hooks;
static int surfaceWidth = 0;  // pixels: the pbuffer's size, reported once at the first poll
static int surfaceHeight = 0;
static bool sizeReported = false;
static int chosenGpu = kGpuDefault;
static PFNWGLGETPIXELFORMATATTRIBIVARBPROC formatAttributes = nullptr;
static const char* surfaceName = "WGL pbuffer";  // what was drawn on, for the benchmark's report
static char pbufferRefusal[160] = "";  // why no pbuffer was made, told only if the bitmap fails too

// Notes why the pbuffer could not be made; the memory bitmap is tried next.
static bool refusePbuffer(const char* reason)
{
    snprintf(pbufferRefusal, sizeof pbufferRefusal, "%s (Windows error %lu)", reason, (unsigned long)GetLastError());
    return false;
}

static bool refuse(const char* reason)
{
    if (pbufferRefusal[0] != '\0')
        fprintf(stderr, "brinewings: --offscreen: %s\n", pbufferRefusal);
    fprintf(stderr, "brinewings: --offscreen: %s (Windows error %lu)\n", reason, (unsigned long)GetLastError());
    return false;
}

// A pbuffer format as the window's: double-buffered, so frame capture reads GL_BACK as there.
static bool describePbufferFormat(HDC dc, int format, PixelFormatBits* bits)
{
    const int names[] = {WGL_DRAW_TO_PBUFFER_ARB, WGL_SUPPORT_OPENGL_ARB, WGL_DOUBLE_BUFFER_ARB, WGL_PIXEL_TYPE_ARB,
                         WGL_RED_BITS_ARB, WGL_GREEN_BITS_ARB, WGL_BLUE_BITS_ARB, WGL_ALPHA_BITS_ARB,
                         WGL_DEPTH_BITS_ARB, WGL_STENCIL_BITS_ARB, WGL_ACCELERATION_ARB};
    int values[sizeof names / sizeof names[0]] = {};
    if (!formatAttributes(dc, format, 0, sizeof names / sizeof names[0], names, values))
        return false;
    if (!values[0] || !values[1] || !values[2] || values[3] != WGL_TYPE_RGBA_ARB || values[10] == WGL_NO_ACCELERATION_ARB)
        return false;
    bits->red = values[4];
    bits->green = values[5];
    bits->blue = values[6];
    bits->alpha = values[7];
    bits->depth = values[8];
    bits->stencil = values[9];
    return true;
}

// A hidden window's context, current, to reach WGL's extensions.
static HDC helperContext()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"brinewings off-screen";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"brinewings", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr)
        return nullptr;
    HDC dc = GetDC(window);
    if (!setWindowLikeFormat(dc, PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER, nullptr))
        return nullptr;
    HGLRC context = wglCreateContext(dc);
    if (context == nullptr || !wglMakeCurrent(dc, context))
        return nullptr;
    return dc;
}

static bool openPbuffer(int width, int height)
{
    HDC helper = helperContext();
    if (helper == nullptr)
        return refusePbuffer("no OpenGL context on a hidden window");
    auto extensions = (PFNWGLGETEXTENSIONSSTRINGARBPROC)(void*)wglGetProcAddress("wglGetExtensionsStringARB");
    const char* list = extensions != nullptr ? extensions(helper) : nullptr;
    if (!hasExtension(list, "WGL_ARB_pbuffer") || !hasExtension(list, "WGL_ARB_pixel_format"))
        return refusePbuffer("the driver offers no WGL_ARB_pbuffer");
    formatAttributes = (PFNWGLGETPIXELFORMATATTRIBIVARBPROC)(void*)wglGetProcAddress("wglGetPixelFormatAttribivARB");
    auto createPbuffer = (PFNWGLCREATEPBUFFERARBPROC)(void*)wglGetProcAddress("wglCreatePbufferARB");
    auto pbufferDc = (PFNWGLGETPBUFFERDCARBPROC)(void*)wglGetProcAddress("wglGetPbufferDCARB");
    if (formatAttributes == nullptr || createPbuffer == nullptr || pbufferDc == nullptr)
        return refusePbuffer("WGL_ARB_pbuffer's calls are missing");
    const int countName = WGL_NUMBER_PIXEL_FORMATS_ARB;
    int count = 0;
    formatAttributes(helper, 0, 0, 1, &countName, &count);
    int format = chooseWindowLikeFormat(count < kFormatSlots ? count : kFormatSlots, describePbufferFormat, helper);
    if (format == 0)
        return refusePbuffer("no pbuffer format with 8-bit colour and a depth buffer");
    const int none[] = {0};
    HPBUFFERARB pbuffer = createPbuffer(helper, format, width, height, none);
    if (pbuffer == nullptr) {
        char reason[96];
        snprintf(reason, sizeof reason, "cannot create a pbuffer of %d x %d pixels", width, height);
        return refusePbuffer(reason);
    }
    HDC dc = pbufferDc(pbuffer);
    HGLRC context = dc != nullptr ? wglCreateContext(dc) : nullptr;
    if (context == nullptr || !wglMakeCurrent(dc, context))
        return refusePbuffer("cannot make the pbuffer's OpenGL context current");
    return true;
}

// A DIB section selected into a memory DC, single-buffered: frame capture reads the front
// buffer it is drawn into. On Windows that is its own OpenGL 1.1 renderer; Wine hands it to
// Mesa's.
static bool openBitmap(int width, int height)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return refuse("cannot create a memory DC");
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr || SelectObject(dc, bitmap) == nullptr) {
        char reason[96];
        snprintf(reason, sizeof reason, "cannot create a memory bitmap of %d x %d pixels", width, height);
        return refuse(reason);
    }
    if (!setWindowLikeFormat(dc, PFD_DRAW_TO_BITMAP, "the memory bitmap"))
        return false;
    HGLRC context = wglCreateContext(dc);
    if (context == nullptr || !wglMakeCurrent(dc, context))
        return refuse("cannot make the memory bitmap's OpenGL context current");
    surfaceName = "memory bitmap";
    return true;
}

void chooseOffscreenGpu(int gpu)
{
    chosenGpu = gpu;
}

// Windows draws off-screen on the display's own driver, or on its software renderer
// (--gpu surfaceless, and where the driver offers no pbuffer).
bool listGpus()
{
    printf("WGL pbuffer on the desktop's OpenGL driver\n");
    printf("memory bitmap on the software renderer: offered\n");
    return true;
}

static bool available(const SurfaceRequest&)
{
    return true;
}

static bool openOffscreen(const SurfaceRequest& request, const PlatformHooks& platformHooks)
{
    hooks = platformHooks;
    surfaceWidth = request.width > 0 ? request.width : kWindowSide;
    surfaceHeight = request.height > 0 ? request.height : kWindowSide;
    if (chosenGpu >= 0) {
        SetLastError(0);
        return refuse("--gpu: Windows draws off-screen on the desktop's one OpenGL driver (or surfaceless)");
    }
    if (chosenGpu == kGpuDefault && openPbuffer(surfaceWidth, surfaceHeight))
        return true;
    return openBitmap(surfaceWidth, surfaceHeight);
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
    static char text[48];
    snprintf(text, sizeof text, "off-screen, no swap, %s", surfaceName);
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
