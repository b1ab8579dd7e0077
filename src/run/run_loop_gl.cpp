// run_loop_gl.cpp -- the one loop of every run: the platform's events, the ticker, the frames
#include "run/run_loop_gl.h"

#include "benchmark/benchmark_gl.h"
#include "common/window_size.h"
#include "flight/flight.h"
#include "flight/live_input.h"
#include "flight/tick_pacer.h"
#include "flight/ticker.h"
#include "hud/hud_draw.h"
#include "os/os.h"
#include "output/frame_capture_gl.h"
#include "output/recording.h"
#include "platform/gamepads.h"
#include "platform/offscreen_gpu.h"
#include "platform/platform_choice.h"
#include "platform/wayland_platform.h"
#include "render/frame_draw.h"
#include "render/rendering_gl.h"
#include "run/run_rules.h"

#include <GL/gl.h>

static const long long kHoldWaitNs = 20000000LL;  // a held flight looks at its window this often

static const Platform* platform = nullptr;
static bool closeRequested = false;  // the user closed the window
static long long tickStartNs = -1;   // when the step of the tick now due to be drawn began
static long long holdStartNs = -1;   // when the flight began to wait for its window
static TickPacer pacer;
static bool hudShown = false;        // --hud, flipped by H
static bool padsStarted = false;     // the gamepads' start has been asked for
static FrameRateMeter hudMeter;

const Platform& chosenPlatform()
{
    const RunOptions& options = runOptions();
    if (options.offscreen)
        return offscreenPlatform();
    DisplayEnvironment environment = readDisplayEnvironment();
    environment.displayOption = options.window.display != nullptr;
    bool wayland = chooseWindowSystem(options.windowSystem, environment) == kWindowSystemWayland;
    return wayland ? waylandPlatform() : windowPlatform();
}

static void closeSurface()
{
    closeRequested = true;
}

static SurfaceRequest surfaceRequest(int* argc, char** argv)
{
    const RunOptions& options = runOptions();
    SurfaceRequest request;
    request.width = options.width;
    request.height = options.height;
    request.fullScreen = options.fullScreen;
    request.argc = argc;
    request.argv = argv;
    return request;
}

bool surfaceAvailable(int* argc, char** argv)
{
    platform = &chosenPlatform();
    chooseOffscreenGpu(runOptions().gpu);
    return platform->available(surfaceRequest(argc, argv));
}

bool openSurface(int* argc, char** argv)
{
    // A scripted run takes a signal from here on, so one during start-up ends it with its
    // report once its loop begins.
    if (runScripted())
        installRunSignals();
    return platform->open(surfaceRequest(argc, argv), {queueLiveEvent, reshape, closeSurface});
}

// Every run: the sources of the ticker and the heads-up display as --hud asks. With any option
// of ours also: creates the recording, starts the benchmark's report and the tick pacer. Without options the program's output and OpenGL calls stay those
// of a plain run.
static void beginRun()
{
    const RunOptions& options = runOptions();
    setRunSources(&gamepadSource());
    beginRunRules(osMonotonicNs(), stopGamepads);
    hudShown = options.hud;
    if (!runScripted())
        return;
    // Created only now, so a run that ends before its window (no display) leaves the file alone.
    if (options.recordFile != nullptr && !openRecording(options.recordFile))
        endRun(kEndWriteFailed);
    if (options.benchmark) {
        bool intervalZero = false;
        const char* swapControl = platform->setSwapIntervalZero(&intervalZero);
        startBenchmark(swapControl, intervalZero);
    }
    if (options.tickRate > 0)
        startPacer(&pacer, options.tickRate, osMonotonicNs(), flightTick);
}

// Writes the drawn frame to every file asked for at this tick and returns the nanoseconds that
// took. An unwritten picture ends the run rather than pass unnoticed.
static long long captureDueScreenshots()
{
    if (screenshotDue(flightTick) == nullptr)
        return 0;
    // The frame's drawing is finished inside its time; reading and writing it are not.
    glFinish();
    long long start = osMonotonicNs();
    for (const char* file = screenshotDue(flightTick); file != nullptr; file = screenshotDue(flightTick)) {
        takeScreenshot();
        if (!writeFramePng(file, winWidth, winHeight))
            endRun(kEndWriteFailed);
    }
    return osMonotonicNs() - start;
}

// The frame of the current tick: drawn, captured into the screenshots asked for at this tick,
// ended, and timed for the benchmark: from the start of its tick's step to the end of its swap,
// less the reading and writing of screenshots and any time the flight waited for the window.
static void showFrame()
{
    const RunOptions& options = runOptions();
    long long waited = holdStartNs >= 0 ? osMonotonicNs() - holdStartNs : 0;
    holdStartNs = -1;
    drawFrame();
    // A measured frame rate would make captured frames differ from run to run: not shown then.
    if (hudShown)
        drawHud({speed, eye.y, heading, flightTick, options.screenshotCount > 0 ? -1.0 : hudMeter.figure}, winWidth,
                winHeight);
    long long captureNs = runScripted() ? captureDueScreenshots() : 0;
    platform->endFrame();
    if (hudShown)
        countFrame(&hudMeter, osMonotonicNs());
    if (options.benchmark && tickStartNs >= 0)
        noteFrame(flightTick, (double)(osMonotonicNs() - tickStartNs - waited - captureNs) * 1e-9);
    noteFrameDrawn(flightTick);
}

// What a tick's events ask of the run, carried out.
static void actOnRequests(int requests)
{
    if ((requests & kTickRecordFailed) != 0)
        endRun(kEndWriteFailed);
    if ((requests & kTickEnded) != 0)
        endRun(kEndQuit);
    if ((requests & kRequestHud) != 0 && runOptions().hud)
        hudShown = !hudShown;
    if ((requests & kRequestFullScreen) != 0 && platform->toggleFullScreen())
        noteFullScreenToggle(osMonotonicNs());
}

// One tick, unless the run has delivered all it can: its events, then the advance.
static void stepTick()
{
    if (runComplete(flightTick, platform->takesInput))
        endRun(kEndRouteFlown);
    if (runScripted())
        tickStartNs = osMonotonicNs();
    actOnRequests(stepTicker());
}

// The ticks due now: one, or with --tick-rate those the clock says, stopping early where a
// frame must be drawn. With none due, returns how long the next poll of the window's events may
// wait for the next tick (so a key still acts at once); off-screen, where no event comes, it
// sleeps until then instead.
static long long runDueTicks()
{
    long long lastDue = flightTick + 1;
    if (runOptions().tickRate > 0) {
        long long now = osMonotonicNs();
        lastDue = lastTickDue(&pacer, now, flightTick);
        if (lastDue <= flightTick) {
            long long dueNs = nextTickDueNs(pacer, flightTick);
            if (platform->takesInput)
                return dueNs - now;
            osSleepUntilNs(dueNs);
            return 0;
        }
    }
    while (flightTick < lastDue) {
        stepTick();
        if (runScripted() && frameRequired(flightTick))
            return 0;
    }
    return 0;
}

void runFlight()
{
    beginRun();
    long long waitNs = 0;
    for (;;) {
        if (stopSignal() != 0)
            endRun(kEndSignal);
        platform->pollEvents(waitNs);
        waitNs = 0;
        if (stopSignal() != 0)
            endRun(kEndSignal);
        if (closeRequested)
            endRun(kEndWindowClosed);
        // Q acts at once, after the events that came before it, without waiting for its tick.
        if (liveQuitWaiting())
            actOnRequests(takeTickEvents());
        long long now = osMonotonicNs();
        WindowWait wait = windowWait(now, platform->surfaceShown(), platform->fullScreenSettled);
        if (wait == kWindowTooLate)
            endRun(kEndWindowFailed);
        if (wait == kWindowHold) {
            if (holdStartNs < 0)
                holdStartNs = now;
            waitNs = kHoldWaitNs;
            continue;
        }
        if (!frameDrawnAt(flightTick)) {
            showFrame();
            // SDL loads and starts on a helper thread once the first frame is on screen, so
            // start-up does not wait for it. Every way out from here on goes through endRun,
            // which stops it.
            const RunOptions& options = runOptions();
            if (!padsStarted && !options.noGamepad && platform->takesInput && !options.benchmark)
                startGamepadsInBackground();
            padsStarted = true;
        }
        waitNs = runDueTicks();
    }
}
