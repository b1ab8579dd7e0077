// run_loop_gl.h -- the one loop of every run: the platform's events, the ticker, the frames
#pragma once

#include "platform/platform.h"

// The platform the options ask for: the off-screen one with --offscreen, else the window.
const Platform& chosenPlatform();

// True when the chosen platform's surface can be made (a window's display answers); otherwise
// one line on standard error says why. Call after prepareRun, before openSurface.
bool surfaceAvailable(int* argc, char** argv);

// Opens the chosen platform's surface with the size, full screen and GPU the options ask for
// (run/run_rules.h, after prepareRun), its events routed to the run; a scripted run's signals
// are caught from here on (os/os.h). Returns false after one line when it cannot.
bool openSurface(int* argc, char** argv);

// The loop, once the surface is open and the scene built. Each pass takes the window system's
// events, acts at once on Q or a closed window, draws the frame of the current tick when it has
// not been drawn, then runs the ticks due: one a pass, or with --tick-rate as many as the clock
// says (a frame to capture, or the end of a route, is always drawn first). Each tick is one
// step of the ticker (flight/ticker.h): the pad, the live input, then the flight file. The
// flight holds while its window is not shown (or, scripted, while a full-screen toggle is
// unanswered), waiting on the window system's events (run/run_rules.h). Ends only through endRun.
[[noreturn]] void runFlight();
