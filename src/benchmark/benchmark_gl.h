// benchmark_gl.h -- frame times of a scripted flight, by phase, and its report
#pragma once

#include "benchmark/benchmark_report.h"

// Notes the renderer and the OpenGL version, as the driver names them, and what became of the
// swap interval (the platform's setSwapIntervalZero, platform/platform.h) for the report. Call
// once with the context current.
void startBenchmark(const char* swapControl, bool swapIntervalZero);

// Counts one frame of seconds in the phase of the toggles it was drawn with (toggleBits,
// benchmark/frame_times.h). tick is the frame's tick: the advances of the flight done when it was drawn.
void noteFrame(long long tick, double seconds);
