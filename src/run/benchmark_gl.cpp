// benchmark_gl.cpp -- frame times of a scripted flight, by phase, and the swap interval set to 0
#include "run/benchmark_gl.h"

#include "app/rendering_gl.h"
#include "common/extension_list.h"
#include "flight/flight_input.h"
#include "run/frame_times.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdio>

static const int kRendererChars = 256;

static char renderer[kRendererChars];
static char version[kRendererChars];
static char swapControl[kRendererChars];
static bool swapIntervalZero = false;

static void setSwapIntervalZero()
{
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    const char* list = nullptr;
    if (display != nullptr)
        list = glXQueryExtensionsString(display, DefaultScreen(display));
    const char* name = "swap interval unchanged: the driver offers no GLX swap control extension";
    if (hasExtension(list, "GLX_EXT_swap_control")) {
        auto set = (void (*)(Display*, GLXDrawable, int))
            glXGetProcAddressARB((const GLubyte*)"glXSwapIntervalEXT");
        if (set != nullptr) {
            set(display, drawable, 0);
            name = "swap interval 0 through GLX_EXT_swap_control";
            swapIntervalZero = true;
        }
    } else if (hasExtension(list, "GLX_MESA_swap_control")) {
        auto set = (int (*)(unsigned))glXGetProcAddressARB((const GLubyte*)"glXSwapIntervalMESA");
        if (set != nullptr && set(0) == 0) {
            name = "swap interval 0 through GLX_MESA_swap_control";
            swapIntervalZero = true;
        }
    } else if (hasExtension(list, "GLX_SGI_swap_control")) {
        // This extension refuses 0, so the driver's interval stays.
        name = "swap interval unchanged: GLX_SGI_swap_control cannot set 0";
    }
    snprintf(swapControl, sizeof swapControl, "%s", name);
}

void startBenchmark(bool offscreen)
{
    const char* text = (const char*)glGetString(GL_RENDERER);
    snprintf(renderer, sizeof renderer, "%s", text != nullptr ? text : "unknown");
    text = (const char*)glGetString(GL_VERSION);
    snprintf(version, sizeof version, "%s", text != nullptr ? text : "unknown");
    if (offscreen)
        snprintf(swapControl, sizeof swapControl, "off-screen, no swap");
    else
        setSwapIntervalZero();
}

void noteFrame(long long tick, double seconds)
{
    addFrameTime(tick, toggleBits(), seconds);
}

void printBenchmarkReport(const BenchmarkEnd& end)
{
    printf("brinewings benchmark: renderer %s, OpenGL %s, window %d x %d, %s\n", renderer, version,
           winWidth, winHeight, swapControl);
    printFrameFigures(stdout, end);
}

bool writeBenchmarkResultsFile(const char* file, const BenchmarkEnd& end)
{
    return writeBenchmarkResults(file, {renderer, version, winWidth, winHeight, swapControl, swapIntervalZero}, end);
}
