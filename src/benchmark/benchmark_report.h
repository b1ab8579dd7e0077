// benchmark_report.h -- the benchmark's figures as report lines and as a JSON results file
#pragma once

#include <cstdio>

// What the frames were drawn on.
struct BenchmarkSetting {
    const char* renderer;     // GL_RENDERER
    const char* version;      // GL_VERSION
    int width;                // window size, pixels
    int height;
    const char* swapControl;  // how the swap interval was set, in words
    bool swapIntervalZero;    // the swap interval was set to 0
};

// How far the route was flown.
struct BenchmarkEnd {
    bool complete;          // flown to its end
    long long tick;         // advances flown when the run ended
    long long routeTicks;   // advances the whole route flies
};

// Prints one line per phase (benchmark/frame_times.h) and the summary line on out. The summary of a
// route not flown to its end starts "incomplete at tick N of M".
void printFrameFigures(FILE* out, const BenchmarkEnd& end);

// Writes setting, every phase, the totals, end and the flight's state (flight/flight.h) as
// JSON to file through writeOutputFile (output/output_file.h). Returns false, after one line on
// standard error, when the file cannot be written.
bool writeBenchmarkResults(const char* file, const BenchmarkSetting& setting, const BenchmarkEnd& end);

// Notes what the frames are drawn on for the two below; the texts are copied.
void noteBenchmarkSetting(const char* renderer, const char* version, const char* swapControl, bool swapIntervalZero);

// Prints the renderer, the window size, the swap interval, one line per phase and the summary
// line, marked when the route was not flown to its end, on standard output.
void printBenchmarkReport(const BenchmarkEnd& end);

// Writes the same figures and the flight's end state as JSON to file (--results). Returns false
// after one line naming the file and the reason on standard error.
bool writeBenchmarkResultsFile(const char* file, const BenchmarkEnd& end);
