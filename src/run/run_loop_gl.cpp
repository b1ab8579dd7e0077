// run_loop_gl.cpp -- the one path of every run: its events, its ticks, its frames and its end
#include "run/run_loop_gl.h"

#include "app/rendering_gl.h"
#include "common/shown_path.h"
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "flight/frame_draw.h"
#include "run/benchmark_gl.h"
#include "run/data_folder.h"
#include "run/display_check.h"
#include "run/frame_capture_gl.h"
#include "run/output_check.h"
#include "run/offscreen_gl.h"
#include "run/recording.h"
#include "run/standard_output.h"

#include <GL/freeglut.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

static RunOptions options;
static bool scripted = false;     // any option of ours: the run has sinks and waits for its frames
static bool flying = false;       // a flight file is replayed: --replay, or the benchmark's route
static int nextEvent = 0;         // next replayed event in flightEvents
static bool replaying = false;    // replayed events remain: live input other than Q waits
static bool frameShown = false;   // the frame of flightTick has been drawn: the flight may go on
static int nextScreenshot = 0;    // next request in options.screenshots, sorted by tick
static double tickStart = -1.0;   // seconds on the monotonic clock when this tick's step began
static double waitStart = -1.0;   // when the flight began to wait for a frame not yet drawn
static long long routeTicks = 0;  // advances the flight file flies (flightFileEnd)
static bool ending = false;       // endRun has begun: freeglut's clean-up at exit closes the window
static bool offscreen = false;    // --offscreen: no window, so no freeglut call at all

static double monotonicSeconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

int prepareRun(int argc, char** argv)
{
    char message[1024];
    if (!parseRunOptions(argc, argv, &options, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return 2;
    }
    if (options.help || options.version) {
        options.help ? printRunUsage(stdout, options.dataDir) : printRunVersion(stdout);
        return finishStandardOutput() ? 0 : 1;
    }
    if (!enterDataFolder(&options, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return 2;
    }
    scripted = anyRunOption(options);
    offscreen = options.offscreen;
    const char* flight = options.replayFile != nullptr ? options.replayFile
                         : options.benchmark          ? kBenchmarkRoute
                                                      : nullptr;
    if (flight != nullptr && !readFlightFile(flight, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return 2;
    }
    if (!checkRunOutputs(options, flight, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return 2;
    }
    flying = flight != nullptr;
    replaying = flightEventCount > 0;
    routeTicks = flightFileEnd(nullptr);
    // A benchmark of no frames would report nothing and pass.
    if (options.benchmark && routeTicks == 0) {
        fprintf(stderr, "brinewings: %s: the route flies no ticks\n", shownPath(flight));
        return 2;
    }
    // Last, after every refusal: a window needs a display.
    if (!offscreen && !displayAnswers(options.display))
        return 1;
    std::stable_sort(options.screenshots, options.screenshots + options.screenshotCount,
                     [](const ScreenshotRequest& a, const ScreenshotRequest& b) { return a.tick < b.tick; });
    return -1;
}

const RunOptions& runOptions()
{
    return options;
}

static void closeWindow()
{
    if (!ending)
        endRun(kEndWindowClosed);
}

void beginRun()
{
    if (!scripted)
        return;
    // Created only now, so a run that ends before its window (no display) leaves the file alone.
    if (options.recordFile != nullptr && !openRecording(options.recordFile))
        endRun(kEndWriteFailed);
    if (!offscreen)
        glutCloseFunc(closeWindow);
    // Past a file-size limit a write then fails with EFBIG and is reported, instead of the
    // signal ending the run without a word.
    signal(SIGXFSZ, SIG_IGN);
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
    // A recording holds ticks up to kFlightMaxTick; a later tick stops it (run/recording.h).
    int tick = (int)std::min(flightTick, (long long)kFlightMaxTick + 1);
    FlightEvent event = {tick, action, a, b};
    // During a replay only Q still acts, so the user can always end the program.
    if (replaying && !endsFlight(event))
        return;
    takeEvent(event);
}

void runTick()
{
    if (scripted) {
        // The flight waits for the frame of its current tick, however long the window takes to
        // appear or stays minimised.
        if (!frameShown) {
            if (waitStart < 0.0)
                waitStart = monotonicSeconds();
            // freeglut calls idle again at once; a short sleep keeps the wait off the CPU.
            timespec pause = {0, 1000000};
            nanosleep(&pause, nullptr);
            return;
        }
        frameShown = false;
        tickStart = monotonicSeconds();
    }
    // The benchmark ends at its quit, or once the frame that shows its last events is drawn.
    if (options.benchmark && flightTick >= routeTicks)
        endRun(kEndRouteFlown);
    // Off-screen no input can come after the flight file's: once its events have acted and
    // every screenshot is written, nothing more can happen.
    if (offscreen && flightTick >= routeTicks && nextScreenshot == options.screenshotCount)
        endRun(kEndRouteFlown);
    while (replaying && flightEvents[nextEvent].tick <= flightTick) {
        const FlightEvent& event = flightEvents[nextEvent++];
        replaying = nextEvent < flightEventCount;
        takeEvent(event);
    }
    carryOut(advanceTick());
}

// Writes the drawn frame to every file asked for at this tick and returns the seconds that
// took. An unwritten picture ends the run rather than pass unnoticed.
static double captureDueScreenshots()
{
    if (nextScreenshot == options.screenshotCount || options.screenshots[nextScreenshot].tick > flightTick)
        return 0.0;
    // The frame's drawing is finished inside its time; reading and writing it are not.
    glFinish();
    double start = monotonicSeconds();
    while (nextScreenshot < options.screenshotCount && options.screenshots[nextScreenshot].tick <= flightTick) {
        const char* file = options.screenshots[nextScreenshot++].file;
        if (!writeBackBufferPng(file, winWidth, winHeight))
            endRun(kEndWriteFailed);
    }
    return monotonicSeconds() - start;
}

void showFrame()
{
    if (!scripted) {
        drawAndSwapFrame();
        return;
    }
    // The time the flight waited for this frame (a minimised window) is no part of it.
    double waited = waitStart >= 0.0 ? monotonicSeconds() - waitStart : 0.0;
    waitStart = -1.0;
    drawFrame();
    double captureSeconds = captureDueScreenshots();
    if (offscreen)
        finishOffscreenFrame();
    else
        glutSwapBuffers();
    // A frame drawn again for the same tick (an exposed window) is not timed twice.
    if (options.benchmark && !frameShown && tickStart >= 0.0)
        noteFrame(flightTick, monotonicSeconds() - tickStart - waited - captureSeconds);
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
    for (int i = nextScreenshot; i < options.screenshotCount; i++) {
        fprintf(stderr, "brinewings: %s: not written: the run ended at tick %lld, before the frame of tick %d\n",
                shownPath(options.screenshots[i].file), flightTick, options.screenshots[i].tick);
        status = 1;
    }
    if (options.benchmark) {
        BenchmarkEnd end = {why == kEndRouteFlown, flightTick, routeTicks};
        printBenchmarkReport(end);
        if (options.resultsFile != nullptr && !writeBenchmarkResultsFile(options.resultsFile, end))
            status = 1;
        if (!end.complete)
            status = 1;
    }
    // The figures on standard output are an output of the run like any file.
    if (scripted && !finishStandardOutput())
        status = 1;
    exit(status);
}
