// run_loop_gl.cpp -- the one path of every run: its events, its ticks, its frames and its end
#include "run/run_loop_gl.h"

#include "app/rendering_gl.h"
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "flight/frame_draw.h"
#include "run/benchmark_gl.h"
#include "run/frame_capture_gl.h"
#include "run/offscreen_gl.h"
#include "run/recording.h"
#include "run/run_options.h"

#include <GL/freeglut.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

static RunOptions options;
static bool scripted = false;     // any option of ours: the run has sinks and waits for its frames
static bool flying = false;       // a flight file is replayed: --replay, or the benchmark's route
static int nextEvent = 0;         // next replayed event in flightEvents
static bool replaying = false;    // replayed events remain: live input other than Q waits
static bool frameShown = false;   // the frame of flightTick has been drawn: the flight may go on
static int nextScreenshot = 0;    // next request in options.screenshots, sorted by tick
static double tickStart = -1.0;   // seconds on the monotonic clock when this tick's step began
static bool ending = false;       // endRun has begun: freeglut's clean-up at exit closes the window
static bool offscreen = false;    // --offscreen: no window, so no freeglut call at all

static double monotonicSeconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

static bool sameFile(const char* a, const char* b)
{
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool prepareRun(int argc, char** argv)
{
    char message[512];
    if (!parseRunOptions(argc, argv, &options, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return false;
    }
    scripted = anyRunOption(options);
    offscreen = options.offscreen;
    const char* flight = options.replayFile != nullptr ? options.replayFile
                         : options.benchmark          ? kBenchmarkRoute
                                                      : nullptr;
    if (flight != nullptr && !readFlightFile(flight, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return false;
    }
    flying = flight != nullptr;
    replaying = flightEventCount > 0;
    if (options.recordFile != nullptr) {
        // Recording over the file being replayed would destroy it before it is flown.
        if (flight != nullptr && sameFile(flight, options.recordFile)) {
            fprintf(stderr, "brinewings: %s: --record would overwrite the flight being replayed\n",
                    options.recordFile);
            return false;
        }
        if (!openRecording(options.recordFile))
            return false;
    }
    std::stable_sort(options.screenshots, options.screenshots + options.screenshotCount,
                     [](const ScreenshotRequest& a, const ScreenshotRequest& b) { return a.tick < b.tick; });
    return true;
}

static void closeWindow()
{
    if (!ending)
        endRun(kEndWindowClosed);
}

const RunOptions& runOptions()
{
    return options;
}

void beginRun()
{
    if (!scripted)
        return;
    if (!offscreen)
        glutCloseFunc(closeWindow);
    if (options.benchmark)
        startBenchmark(offscreen);
}

void flyOffscreen()
{
    beginRun();
    for (;;) {
        showFrame();
        runTick();
    }
}

static void carryOut(int requests)
{
    if ((requests & kRequestQuit) != 0)
        endRun(kEndQuit);
    // Off-screen there is no window to make full screen, and every tick draws its frame.
    if ((requests & kRequestFullScreen) != 0 && !offscreen)
        glutFullScreenToggle();
    if ((requests & kRequestFrame) != 0 && !offscreen)
        glutPostRedisplay();
}

// Every event, live or replayed, takes this path: the recording, then the flight.
static void takeEvent(const FlightEvent& event)
{
    if (!recordEvent(event))
        endRun(kEndWriteFailed);
    carryOut(applyFlightEvent(event));
}

void takeLiveEvent(FlightAction action, int a, int b)
{
    bool quits = action == kFlightQuit || (action == kFlightKey && (a == 'q' || a == 'Q'));
    // During a replay only Q still acts, so the user can always end the program.
    if (replaying && !quits)
        return;
    // A recording holds ticks up to kFlightMaxTick; a later tick stops it (run/recording.h).
    int tick = (int)std::min(flightTick, (long long)kFlightMaxTick + 1);
    takeEvent({tick, action, a, b});
}

void runTick()
{
    if (scripted) {
        // The flight waits for the frame of its current tick, however long the window takes to
        // appear or stays minimised.
        if (!frameShown)
            return;
        frameShown = false;
        tickStart = monotonicSeconds();
    }
    // The benchmark ends once the frame that shows its last events has been drawn.
    bool flown = !replaying && (flightEventCount == 0 || flightTick > flightEvents[flightEventCount - 1].tick);
    if (options.benchmark && flown)
        endRun(kEndRouteFlown);
    // Off-screen no input can come after the flight file's: once its events have acted and
    // every screenshot is written, nothing more can happen.
    if (offscreen && flown && nextScreenshot == options.screenshotCount)
        endRun(kEndRouteFlown);
    while (replaying && flightEvents[nextEvent].tick <= flightTick) {
        const FlightEvent& event = flightEvents[nextEvent++];
        replaying = nextEvent < flightEventCount;
        takeEvent(event);
    }
    carryOut(advanceTick());
}

// Writes the drawn frame to every file asked for at this tick. An unwritten picture ends the
// run rather than pass unnoticed.
static void captureDueScreenshots()
{
    for (; nextScreenshot < options.screenshotCount && options.screenshots[nextScreenshot].tick <= flightTick;
         nextScreenshot++) {
        if (!writeBackBufferPng(options.screenshots[nextScreenshot].file, winWidth, winHeight))
            endRun(kEndWriteFailed);
    }
}

void showFrame()
{
    if (!scripted) {
        drawAndSwapFrame();
        return;
    }
    drawFrame();
    double captureStart = monotonicSeconds();
    captureDueScreenshots();
    double captureSeconds = monotonicSeconds() - captureStart;
    if (offscreen)
        finishOffscreenFrame();
    else
        glutSwapBuffers();
    // A frame drawn again for the same tick (an exposed window) is not timed twice.
    if (options.benchmark && !frameShown && tickStart >= 0.0)
        noteFrame(flightTick, monotonicSeconds() - tickStart - captureSeconds);
    frameShown = true;
}

void endRun(RunEnd why)
{
    ending = true;
    int status = 0;
    if (!closeRecording(flightTick))
        status = 1;
    if (why == kEndWriteFailed)
        status = 1;
    if (flying || options.recordFile != nullptr) {
        fprintf(stderr, "brinewings: tick %lld heading %.9g eye %.9g %.9g %.9g speed %.9g\n", flightTick,
                (double)heading, (double)eye.x, (double)eye.y, (double)eye.z, (double)speed);
    }
    if (options.benchmark)
        printBenchmarkReport();
    exit(status);
}
