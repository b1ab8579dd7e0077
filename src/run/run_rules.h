// run_rules.h -- the rules of a run: what it was asked for, when it holds its flight, when it
// ends and with which status
#pragma once

#include "flight/input_source.h"
#include "cli/run_options.h"

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

inline constexpr long long kFirstFrameWaitNs = 30000000000LL;   // a scripted run's window not shown by then has failed
inline constexpr long long kFullScreenWaitNs = 10000000000LL;  // the same for the answer to a full-screen toggle

// Reads the command line (cli/run_options.h), before any window system is started, so that no
// display is needed to refuse it; enters the data folder; reads the flight file to replay
// (--replay, or the benchmark's route) and checks the outputs (cli/output_check.h). Returns -1
// when the run goes on, else the status the program ends with at once: 0 after printing
// --help, --version or, through listDevices, --list-gpus on standard output (1 when that
// fails), 2 after one line on standard error for a bad option, file or output.
int prepareRun(int argc, char** argv, bool (*listDevices)());

// The options prepareRun read; the screenshots sorted by tick.
const RunOptions& runOptions();

// True when any option of ours scripts the run (anyRunOption): it has outputs, and draws every
// frame it must in the window it belongs to.
bool runScripted();

// The advances the flight file flies (flightFileEnd), 0 without one.
long long runRouteTicks();

// The ticker's sources in the order every tick takes its events in: the pad (pad, which may be
// nullptr) read at the tick, the live input since the last tick, then the flight file's events
// of the tick; the recording (--record) as their sink. So where they act on the same thing in
// one tick, the flight file's event acts last, and the live input's after the pad's.
void setRunSources(const InputSource* pad);

// Starts the run's clock of waits at nowNs and sets what endRun calls last of all, before the
// process ends (nullptr: nothing), such as letting the gamepads go.
void beginRunRules(long long nowNs, void (*atEnd)());

// A full-screen toggle the window system will answer at nowNs: a scripted run waits for the
// answer before it draws or flies on.
void noteFullScreenToggle(long long nowNs);

// What a pass of the loop does about its window.
enum WindowWait {
    kWindowReady,     // draw and fly
    kWindowHold,      // hold the flight and wait on the window system's events
    kWindowTooLate,   // the window has failed: endRun(kEndWindowFailed) after the line written
};

// The rule at nowNs, with the surface shown or not; fullScreenSettled tells whether the last
// full-screen toggle has been answered, asked only while an answer is awaited. Every run holds its flight while its surface is not on screen, so a minimised window
// does not fly on unseen; a scripted run also holds while a full-screen toggle is unanswered,
// and fails, with one line on standard error, when its first frame cannot be drawn within
// kFirstFrameWaitNs of the start or a toggle is not answered within kFullScreenWaitNs.
WindowWait windowWait(long long nowNs, bool shown, bool (*fullScreenSettled)());

// Notes that the frame of tick has been drawn; frameDrawnAt tells whether it was.
void noteFrameDrawn(long long tick);
bool frameDrawnAt(long long tick);

// The file of the next screenshot due at tick or before it, or nullptr; takeScreenshot passes
// on to the next one.
const char* screenshotDue(long long tick);
void takeScreenshot();

// True when the frame of tick must be drawn before the flight goes on (a scripted run): a
// screenshot is due, or the flight file's events have all acted (its last frame), or a
// benchmark times every frame.
bool frameRequired(long long tick);

// True when the run has delivered all it can at tick: the benchmark's route is flown, or
// where no input can follow (off-screen), the flight file's events have all acted and every
// screenshot is written.
bool runComplete(long long tick, bool takesInput);

// What was delivered when a run ended, for its status.
struct RunDelivery {
    RunEnd why;
    int signal;                 // the signal that stopped it, with kEndSignal
    bool recordingClosed;       // the recording, if any, was written whole and closed
    int screenshotsMissing;     // screenshots asked for and not written
    bool benchmarkAsked;        // --benchmark
    bool benchmarkWritten;      // its --results file, if any, was written
    bool standardOutputWritten; // a scripted run's standard output reached its file
};

// The exit status: 128 + the signal's number after a signal; 1 when a file or standard output
// could not be written, a screenshot was not taken, the window failed or the benchmark's route
// was not flown to its end; else 0.
int runEndStatus(const RunDelivery& delivery);

// Ends the run: closes the recording, writes the end line, names each screenshot not taken,
// prints the benchmark figures (marked incomplete when the route was not flown to its end) and
// writes --results, and exits with runEndStatus. The one place a run ends.
[[noreturn]] void endRun(RunEnd why);
