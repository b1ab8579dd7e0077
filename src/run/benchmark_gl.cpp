// benchmark_gl.cpp -- frame times of a scripted flight, by phase, and the swap interval set to 0
#include "run/benchmark_gl.h"

#include "app/rendering_gl.h"
#include "flight/flight_input.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cmath>
#include <cstdio>
#include <cstring>

// Frame times are counted in bins of kBinSeconds up to kBinSlots bins (10 s); a longer frame
// counts in the last bin. The median and the percentile are then exact to 10 microseconds
// for any number of frames, in fixed memory.
static const double kBinSeconds = 0.00001;
static const int kBinSlots = 1000000;
// A phase starts each time the display toggles change. Past kPhaseSlots phases, later frames
// count in the last phase.
static const int kPhaseSlots = 64;
static const int kRendererChars = 256;

struct Phase {
    int toggles;       // toggleBits() of its frames
    long long firstTick;
    long long lastTick;
    long frames;
    double seconds;
};

static unsigned frameBins[kBinSlots];
static Phase phases[kPhaseSlots];
static int phaseCount = 0;
static long frameCount = 0;
static double totalSeconds = 0.0;
static char renderer[kRendererChars];
static char version[kRendererChars];
static char swapControl[kRendererChars];

static bool hasExtension(const char* list, const char* name)
{
    size_t length = strlen(name);
    for (const char* p = list; p != nullptr && (p = strstr(p, name)) != nullptr; p += length) {
        if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    }
    return false;
}

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
        }
    } else if (hasExtension(list, "GLX_MESA_swap_control")) {
        auto set = (int (*)(unsigned))glXGetProcAddressARB((const GLubyte*)"glXSwapIntervalMESA");
        if (set != nullptr && set(0) == 0)
            name = "swap interval 0 through GLX_MESA_swap_control";
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
    int toggles = toggleBits();
    if (phaseCount == 0 || (phases[phaseCount - 1].toggles != toggles && phaseCount < kPhaseSlots))
        phases[phaseCount++] = {toggles, tick, tick, 0, 0.0};
    Phase& phase = phases[phaseCount - 1];
    phase.lastTick = tick;
    phase.frames++;
    phase.seconds += seconds;
    double bin = std::floor(seconds / kBinSeconds);
    frameBins[bin < (double)(kBinSlots - 1) ? (int)bin : kBinSlots - 1]++;
    frameCount++;
    totalSeconds += seconds;
}

// The frame time in milliseconds at or below which the share fraction of all frames lies
// (nearest rank), as the middle of its bin.
static double percentileMs(double fraction)
{
    long rank = (long)std::ceil(fraction * (double)frameCount);
    long seen = 0;
    int bin = 0;
    for (; bin < kBinSlots - 1; bin++) {
        seen += frameBins[bin];
        if (seen >= rank)
            break;
    }
    return ((double)bin + 0.5) * kBinSeconds * 1000.0;
}

// "full scene" or "reference scene", then the toggles that differ from the start of a flight:
// wireframe on, fog off, mountains off.
static void describeToggles(int toggles, char* text, size_t size)
{
    bool on[kToggleCount];
    for (int i = 0; i < kToggleCount; i++)
        on[i] = (toggles & 1 << i) != 0;
    snprintf(text, size, "%s%s%s%s", on[kToggleReferenceScene] ? "reference scene" : "full scene",
             on[kToggleWireframe] ? ", wireframe" : "", on[kToggleFog] ? "" : ", fog off",
             on[kToggleMountains] ? "" : ", mountains off");
}

void printBenchmarkReport()
{
    printf("brinewings benchmark: renderer %s, OpenGL %s, window %d x %d, %s\n", renderer, version,
           winWidth, winHeight, swapControl);
    for (int i = 0; i < phaseCount; i++) {
        const Phase& phase = phases[i];
        char name[96];
        describeToggles(phase.toggles, name, sizeof name);
        printf("brinewings benchmark: phase %d, ticks %lld to %lld, %s: %ld frames in %.2f s, mean %.1f fps\n",
               i + 1, phase.firstTick, phase.lastTick, name, phase.frames, phase.seconds,
               phase.seconds > 0.0 ? (double)phase.frames / phase.seconds : 0.0);
    }
    if (frameCount == 0) {
        printf("brinewings benchmark: no frames timed\n");
        return;
    }
    printf("brinewings benchmark: %ld frames in %.2f s, mean %.1f fps, median %.2f ms, "
           "99th percentile %.2f ms\n",
           frameCount, totalSeconds, totalSeconds > 0.0 ? (double)frameCount / totalSeconds : 0.0,
           percentileMs(0.5), percentileMs(0.99));
    fflush(stdout);
}
