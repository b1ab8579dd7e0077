// run_options.h -- the program's command line: its own options, freeglut's, and its help text
#pragma once

#include "output/output_file.h"
#include "platform/offscreen_gpu.h"
#include "platform/platform_choice.h"
#include "platform/window_options.h"

#include <cstddef>
#include <cstdio>

inline constexpr int kScreenshotSlots = kRunOutputSlots - 2;  // --screenshot options one run may take: 256

struct ScreenshotRequest {
    int tick;          // the frame drawn right after this many advances, 0..1000000000
    const char* file;  // PNG to write; points into argv
};

struct RunOptions {
    bool help = false;                  // -h, --help: print the usage and end with status 0
    bool version = false;               // --version: print the version and end with status 0
    bool listGpus = false;              // --list-gpus: name the EGL devices and end with status 0
    const char* replayFile = nullptr;   // --replay FILE
    const char* recordFile = nullptr;   // --record FILE
    const char* resultsFile = nullptr;  // --results FILE: the benchmark's figures as JSON
    bool benchmark = false;             // --benchmark
    bool offscreen = false;             // --offscreen: no window, drawn into an EGL pbuffer
    int gpu = kGpuDefault;              // --gpu N or surfaceless: which EGL device draws off-screen
    int tickRate = 0;                   // --tick-rate HZ: ticks a second by the clock; 0: one a frame
    bool fullScreen = false;            // --fullscreen: the window starts full screen
    bool hud = false;                   // --hud: the heads-up display is shown; H toggles it
    bool noGamepad = false;             // --no-gamepad: gamepads are not read
    WindowSystem windowSystem = kWindowSystemAny;  // --platform x11|wayland
    int width = 0;                      // --size WxH (-s, or -geometry's size), pixels; 0 when not given
    int height = 0;                     //   (each kMinWindowSide..kMaxWindowSide, platform/window_options.h)
    const char* dataDir = nullptr;      // --data-dir DIR: the folder of the data files
    WindowOptions window;               // freeglut's: -display, -iconic, -direct, -indirect
    int screenshotCount = 0;
    ScreenshotRequest screenshots[kScreenshotSlots];  // in the order given
};

// Reads the whole command line, before glutInit sees it: --replay FILE, --record FILE,
// --results FILE, --size WxH (or -s WxH), --screenshot TICK:FILE, --tick-rate HZ, --gpu N,
// --data-dir DIR, --platform x11|wayland (each long one also as --name=VALUE), --benchmark, --offscreen, --fullscreen,
// --list-gpus, --hud, --no-gamepad, -h or --help and --version. freeglut's own options are
// checked by the window backend and left in argv for freeglut (platform/window_options.h); the
// size of -geometry counts as --size. A value given as the next argument never starts with '-'
// (--record=-x names such a file), except a number's: "--tick-rate -1" is a rate out of range.
// "--" ends the options; the program takes no arguments, so anything after it is refused.
// Returns false with one line, without a line end, in message for an unknown option or argument,
// a missing or bad value, an option given twice (--screenshot excepted), more than
// kScreenshotSlots screenshots, or options that do not go together (--results without
// --benchmark, --offscreen without --replay or --benchmark or with --record, --gpu without
// --offscreen, --tick-rate with --benchmark, -direct with -indirect, --fullscreen with a size or
// with --offscreen, --platform with --offscreen, -display with --platform wayland, -iconic with
// anything anyRunOption counts). Long values are shortened in the
// message (common/shown_path.h). With --help, --version or --list-gpus and no error the other
// options are not checked further.
bool parseRunOptions(int argc, char** argv, RunOptions* options, char* message, size_t messageSize);

// The text of --help (usage, controls, options) and of --version, each ending in a line end.
// The help names the folder the data files come from: dataDir (--data-dir), else the installed
// command's (osInstalledDataFolder, os/os.h), when there is one.
void printRunUsage(FILE* out, const char* dataDir = nullptr);
void printRunVersion(FILE* out);

// True when any option of ours that scripts the run was given (run/run_loop_gl.h): not
// --data-dir, --size or --fullscreen, which a plain interactive run takes too.
bool anyRunOption(const RunOptions& options);
