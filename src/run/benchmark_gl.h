// benchmark_gl.h -- frame times of a scripted flight, by phase, and its report
#pragma once

#include "run/benchmark_report.h"

// Notes the renderer, the OpenGL version and what became of the swap interval (the platform's
// setSwapIntervalZero, platform/platform.h) for the report. Call once with the context current.
void startBenchmark(const char* renderer, const char* swapControl, bool swapIntervalZero);

// Counts one frame of seconds in the phase of the toggles it was drawn with (toggleBits,
// run/frame_times.h). tick is the frame's tick: the advances of the flight done when it was drawn.
void noteFrame(long long tick, double seconds);

// Prints the renderer, the window size, the swap interval, one line per phase and the summary
// line, marked when the route was not flown to its end, on standard output. Needs no GL context.
void printBenchmarkReport(const BenchmarkEnd& end);

// Writes the same figures and the flight's end state as JSON to file (--results). Returns false
// after one line naming the file and the reason on standard error.
bool writeBenchmarkResultsFile(const char* file, const BenchmarkEnd& end);
