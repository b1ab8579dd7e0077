// benchmark_gl.cpp -- frame times of a scripted flight, by phase, and its report
#include "benchmark/benchmark_gl.h"

#include "flight/flight_input.h"
#include "benchmark/frame_times.h"

#include <GL/gl.h>

void startBenchmark(const char* swapControlText, bool intervalZero)
{
    const char* renderer = (const char*)glGetString(GL_RENDERER);
    const char* version = (const char*)glGetString(GL_VERSION);
    noteBenchmarkSetting(renderer != nullptr ? renderer : "unknown", version != nullptr ? version : "unknown",
                         swapControlText, intervalZero);
}

void noteFrame(long long tick, double seconds)
{
    addFrameTime(tick, toggleBits(), seconds);
}
