// run_loop_gl.h -- the one path of every run: its events, its ticks, its frames and its end
#pragma once

#include "flight/flight_input.h"
#include "run/run_options.h"

// How a run ends; endRun turns it into the exit status.
enum RunEnd {
    kEndQuit,          // q, Q or a quit event
    kEndRouteFlown,    // the benchmark's route flown to its end
    kEndWindowClosed,  // the window was closed
    kEndWriteFailed,   // a file of the run could not be written
};

// Reads our options (run/run_options.h), reads the flight file to replay (--replay, or the
// benchmark's route) and creates the recording. Call first, before glutInit and the window.
// On a bad option or file prints one line on standard error and returns false: the program
// then ends with status 2.
bool prepareRun(int argc, char** argv);

// The options prepareRun read.
const RunOptions& runOptions();

// With any option of ours: registers the close callback (in a window), notes the renderer and
// sets the swap interval for the benchmark. Without options it does nothing, so the program's
// output and OpenGL calls stay those of a plain run. Call once the window and the callbacks
// exist, just before glutMainLoop (off-screen: flyOffscreen calls it).
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
// so every tick is drawn (and captured and timed) once, in the window it belongs to.
void runTick();

// The frame of the current tick: drawn, captured into the screenshots asked for at this tick,
// swapped, and timed for the benchmark.
void showFrame();

// Ends the run: closes the recording, writes the end line and the benchmark figures, and exits
// with the status that what was asked and what was delivered give. The one place a run ends.
[[noreturn]] void endRun(RunEnd why);
