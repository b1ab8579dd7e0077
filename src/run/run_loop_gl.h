// run_loop_gl.h -- the one loop of every run: its events, its ticks, its frames and its end
#pragma once

#include "platform/platform.h"
#include "run/run_options.h"

// How a run ends; endRun turns it into the exit status. Closing the window ends a run as Q
// does: either is the user's choice, and the status then says whether what the run was asked
// for was delivered.
enum RunEnd {
    kEndQuit,          // q, Q or a quit event
    kEndRouteFlown,    // the benchmark's route flown to its end, or an off-screen flight file's
    kEndWindowClosed,  // the window was closed
    kEndWriteFailed,   // a file of the run could not be written
    kEndWindowFailed,  // the window was never shown, or did not follow a full-screen toggle
    kEndSignal,        // SIGINT, SIGTERM or SIGHUP (os/os.h): status 128 + its number
};

// Reads the command line (run/run_options.h), before any window system is started, so that no
// display is needed to refuse it; reads the flight file to replay (--replay, or the benchmark's
// route) and checks the outputs (run/output_check.h). Returns -1 when the run goes on, else the
// status the program ends with at once: 0 after printing --help, --version or --list-gpus on
// standard output, 2 after one line on standard error for a bad option, file or output.
int prepareRun(int argc, char** argv);

// The platform the options ask for: the off-screen one with --offscreen, else the window.
const Platform& chosenPlatform();

// Opens the chosen platform's surface with the size, full screen and GPU the options ask for,
// its events routed to the run. Returns false after one line when it cannot.
bool openSurface(int* argc, char** argv);

// The loop, once the surface is open and the scene built. Each pass takes the window system's
// events, draws the frame of the current tick when it has not been drawn, then runs the ticks
// due: one a pass, or with --tick-rate as many as the clock says (a frame to capture, or the end
// of a route, is always drawn first). A tick applies the live events taken since the last one,
// then the flight file's events of that tick, then advances. A scripted run holds the flight
// while its window is not shown, or while a full-screen toggle has not reached the window, so
// every tick it must draw is drawn, in the window it belongs to. Ends only through endRun.
[[noreturn]] void runFlight();

// Ends the run: closes the recording, writes the end line, names each screenshot not taken,
// prints the benchmark figures (marked incomplete when the route was not flown to its end) and
// writes --results, and exits with the status that what was asked and what was delivered give:
// 1 when a file or standard output could not be written, a screenshot was not taken, the window
// failed or the benchmark's route was not flown to its end, else 0; 128 + the signal's number
// after a signal. The one place a run ends.
[[noreturn]] void endRun(RunEnd why);
