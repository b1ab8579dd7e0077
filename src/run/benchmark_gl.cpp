// benchmark_gl.cpp -- frame times of a scripted flight, by phase, and its report
#include "run/benchmark_gl.h"

#include "common/window_size.h"
#include "flight/flight_input.h"
#include "run/frame_times.h"

#include <GL/gl.h>

#include <cstdio>

static const int kRendererChars = 256;

static char renderer[kRendererChars];
static char version[kRendererChars];
static char swapControl[kRendererChars];
static bool swapIntervalZero = false;

void startBenchmark(const char* rendererName, const char* swapControlText, bool intervalZero)
{
    snprintf(renderer, sizeof renderer, "%s", rendererName);
    const char* text = (const char*)glGetString(GL_VERSION);
    snprintf(version, sizeof version, "%s", text != nullptr ? text : "unknown");
    snprintf(swapControl, sizeof swapControl, "%s", swapControlText);
    swapIntervalZero = intervalZero;
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
    fflush(stdout);
}

bool writeBenchmarkResultsFile(const char* file, const BenchmarkEnd& end)
{
    return writeBenchmarkResults(file, {renderer, version, winWidth, winHeight, swapControl, swapIntervalZero}, end);
}
