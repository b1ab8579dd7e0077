// benchmark_gl.h -- frame times of a scripted flight, by phase, and the swap interval set to 0
#pragma once

#include "run/benchmark_report.h"

// The route --benchmark flies, read from the working directory like the other data files.
inline constexpr const char* kBenchmarkRoute = "benchmark.flight";

// Sets the swap interval to 0 through the first of GLX_EXT_swap_control, GLX_MESA_swap_control
// and GLX_SGI_swap_control the driver offers, and notes the renderer for the report. Call
// once with the window's context current. Off-screen there is no swap: the report says so.
void startBenchmark(bool offscreen);

// Counts one frame of seconds in the phase of the toggles it was drawn with (toggleBits,
// run/frame_times.h). tick is the frame's tick: the advances of the flight done when it was drawn.
void noteFrame(long long tick, double seconds);

// Prints the renderer, the window size, the swap interval, one line per phase and the summary
// line, marked when the route was not flown to its end, on standard output. Needs no GL context.
void printBenchmarkReport(const BenchmarkEnd& end);

// Writes the same figures and the flight's end state as JSON to file (--results). Returns false
// after one line naming the file and the reason on standard error.
bool writeBenchmarkResultsFile(const char* file, const BenchmarkEnd& end);
