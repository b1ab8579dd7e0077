// run_loop_gl.h -- the one path of every run: its events, its ticks, its frames and its end
#pragma once

#include "flight/flight_input.h"
#include "run/run_options.h"

// How a run ends; endRun turns it into the exit status. Closing the window ends a run as Q
// does: either is the user's choice, and the status then says whether what the run was asked
// for was delivered.
enum RunEnd {
    kEndQuit,          // q, Q or a quit event
    kEndRouteFlown,    // the benchmark's route flown to its end
    kEndWindowClosed,  // the window was closed
    kEndWriteFailed,   // a file of the run could not be written
    kEndSignal,        // SIGINT, SIGTERM or SIGHUP (run/run_signals.h): status 128 + its number
};

// Reads the command line (run/run_options.h), before glutInit, so that no display is needed to
// refuse it; reads the flight file to replay (--replay, or the benchmark's route) and checks
// the outputs (run/output_check.h). Returns -1 when the run goes on, else the status the
// program ends with at once, before any window: 0 after printing --help or --version on
// standard output, 2 after one line on standard error for a bad option, file or output.
int prepareRun(int argc, char** argv);

// The options prepareRun read: the window's size and full screen for main.
const RunOptions& runOptions();

// With any option of ours: creates the recording, registers the close callback, notes the
// renderer and sets the swap interval for the benchmark. A recording that cannot be created
// after all ends the run (endRun). Without options it does nothing, so the program's output and
// OpenGL calls stay those of a plain run. Call once the window and the callbacks exist, just
// before glutMainLoop (off-screen: flyOffscreen calls it).
void beginRun();

// The run with --offscreen, once startOffscreen (run/offscreen_gl.h) has made the context
// current and the scene is built: beginRun, then each tick's frame and step in turn, with no
// window and no freeglut call, until endRun. A replayed flight without a quit event ends once
// its last event has acted and every screenshot is written.
[[noreturn]] void flyOffscreen();

// An event of the live input, taken at the current tick: recorded and applied, and what it
// requests carried out. While a flight file is replayed, live input other than Q is ignored.
void takeLiveEvent(FlightAction action, int a, int b);

// One tick: the events of the current tick from the flight file, then the advance, then a
// frame requested. A scripted run waits until the frame of the current tick has been drawn,
// so every tick is drawn (and captured and timed) once, in the window it belongs to; while it
// waits (a minimised window is not drawn) each call sleeps 1 ms instead of spinning.
void runTick();

// The frame of the current tick: drawn, captured into the screenshots asked for at this tick,
// swapped, and timed for the benchmark: from the start of its tick to the end of its swap, less
// the reading and writing of screenshots and any time the flight waited for the frame.
void showFrame();

// Ends the run: closes the recording, writes the end line, names each screenshot not taken,
// prints the benchmark figures (marked incomplete when the route was not flown to its end) and
// writes --results, and exits with the status that what was asked and what was delivered give:
// 1 when a file or standard output could not be written, a screenshot was not taken or the
// benchmark's route was not flown to its end, else 0; 128 + the signal's number after a signal.
// The one place a run ends.
[[noreturn]] void endRun(RunEnd why);
