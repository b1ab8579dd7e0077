// run_options.h -- the program's own command-line options: scripted flights and frame capture
#pragma once

#include <cstddef>

inline constexpr int kScreenshotSlots = 256;  // --screenshot options one run may take
inline constexpr int kMinWindowSide = 64;      // pixels: bounds of each side of --size
inline constexpr int kMaxWindowSide = 16384;

struct ScreenshotRequest {
    int tick;          // the frame drawn right after this many advances, 0..1000000000
    const char* file;  // PNG to write; points into argv
};

struct RunOptions {
    const char* replayFile = nullptr;   // --replay FILE
    const char* recordFile = nullptr;   // --record FILE
    const char* resultsFile = nullptr;  // --results FILE: the benchmark's figures as JSON
    bool benchmark = false;             // --benchmark
    bool offscreen = false;             // --offscreen: no window, drawn into a framebuffer object
    bool fullScreen = false;            // --fullscreen: the window starts full screen
    int width = 0;                      // --size WxH, pixels; 0 when not given
    int height = 0;
    int screenshotCount = 0;
    ScreenshotRequest screenshots[kScreenshotSlots];  // in the order given
};

// Reads --replay FILE, --record FILE, --results FILE, --size WxH, --screenshot TICK:FILE (each
// also as --name=value), --benchmark, --offscreen and --fullscreen from the arguments freeglut
// left. Other arguments are ignored. Returns false
// with one line, without a line end, in message for a missing or bad value, an option given
// twice (--screenshot excepted) or more than kScreenshotSlots screenshots.
bool parseRunOptions(int argc, char** argv, RunOptions* options, char* message, size_t messageSize);

// True when any option of ours was given: the run is then scripted (run/run_loop_gl.h).
bool anyRunOption(const RunOptions& options);
