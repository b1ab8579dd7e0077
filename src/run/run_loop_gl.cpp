// run_loop_gl.cpp -- the one loop of every run: its events, its ticks, its frames and its end
#include "run/run_loop_gl.h"

#include "common/data_files.h"
#include "common/shown_path.h"
#include "common/window_size.h"
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "flight/frame_draw.h"
#include "flight/rendering_gl.h"
#include "hud/hud_draw.h"
#include "os/os.h"
#include "platform/gamepad_sdl.h"
#include "run/benchmark_gl.h"
#include "run/data_folder.h"
#include "run/frame_capture_gl.h"
#include "run/output_check.h"
#include "run/recording.h"
#include "run/standard_output.h"
#include "run/tick_pacer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const int kLiveEventSlots = 256;             // live events waiting for the next tick
static const long long kFirstFrameWaitNs = 30000000000LL;  // a window not shown by then has failed
static const long long kResizeWaitNs = 10000000000LL;      // the same for a full-screen toggle
static const long long kHoldPauseNs = 1000000LL;           // a held flight polls every millisecond

static RunOptions options;
static const Platform* platform = nullptr;
static bool scripted = false;      // any option of ours: the run has sinks and draws every tick it must
static bool flying = false;        // a flight file is replayed: --replay, or the benchmark's route
static int nextEvent = 0;          // next replayed event in flightEvents
static bool replaying = false;     // replayed events remain: live input other than Q waits
static int nextScreenshot = 0;     // next request in options.screenshots, sorted by tick
static long long routeTicks = 0;   // advances the flight file flies (flightFileEnd)
static long long drawnTick = -1;   // the tick whose frame was drawn last
static long long tickStartNs = -1; // when the step of the tick now due to be drawn began
static long long holdStartNs = -1; // when the flight began to wait for its window
static bool awaitingResize = false;  // a full-screen toggle has not reached the window yet
static long long resizeDeadlineNs = 0;
static int sizeBeforeToggle[2] = {0, 0};
static bool looping = false;       // runFlight has begun: before it, a failed start-up returns
static bool ending = false;        // endRun has begun
static TickPacer pacer;
static bool hudShown = false;      // --hud, flipped by H
static bool padsStarted = false;   // the gamepads' start has been asked for
static FrameRateMeter hudMeter;
static FlightEvent liveEvents[kLiveEventSlots];
static int liveEventCount = 0;

int prepareRun(int argc, char** argv)
{
    char message[1024];
    if (!parseRunOptions(argc, argv, &options, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return 2;
    }
    if (options.help || options.version || options.listGpus) {
        bool listed = true;
        if (options.help)
            printRunUsage(stdout, options.dataDir);
        else if (options.version)
            printRunVersion(stdout);
        else
            listed = listGpus();
        return finishStandardOutput() && listed ? 0 : 1;
    }
    if (!enterDataFolder(&options, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return 2;
    }
    scripted = anyRunOption(options);
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
    if (!keepStandardOutputForOutputs(options))
        return 1;
    flying = flight != nullptr;
    replaying = flightEventCount > 0;
    routeTicks = flightFileEnd(nullptr);
    // A benchmark of no frames would report nothing and pass.
    if (options.benchmark && routeTicks == 0) {
        fprintf(stderr, "brinewings: %s: the route flies no ticks\n", shownPath(flight));
        return 2;
    }
    // Last, after every refusal: a window needs a display.
    if (!chosenPlatform().available(options.window.display))
        return 1;
    std::stable_sort(options.screenshots, options.screenshots + options.screenshotCount,
                     [](const ScreenshotRequest& a, const ScreenshotRequest& b) { return a.tick < b.tick; });
    return -1;
}

const Platform& chosenPlatform()
{
    return options.offscreen ? offscreenPlatform() : windowPlatform();
}

// Every event, live or replayed, takes this path: the recording, then the flight, then what it
// requests of the run.
static void takeEvent(const FlightEvent& event)
{
    if (!recordEvent(event))
        endRun(kEndWriteFailed);
    int requests = applyFlightEvent(event);
    if ((requests & kRequestQuit) != 0)
        endRun(kEndQuit);
    if ((requests & kRequestHud) != 0 && options.hud)
        hudShown = !hudShown;
    // A scripted run waits for the toggle to reach the window, so the next frame shows it.
    if ((requests & kRequestFullScreen) != 0 && platform->toggleFullScreen() && scripted) {
        awaitingResize = true;
        resizeDeadlineNs = osMonotonicNs() + kResizeWaitNs;
        sizeBeforeToggle[0] = winWidth;
        sizeBeforeToggle[1] = winHeight;
    }
}

static void takeLiveEvents()
{
    // The count is cleared first: an event that ends the run must not be taken twice.
    int count = liveEventCount;
    liveEventCount = 0;
    for (int i = 0; i < count; i++)
        takeEvent(liveEvents[i]);
}

// Live input waits for the next tick, where a replay would apply it. Pointer motion between two
// ticks counts once, at its last place. Q acts at once, after what came before it.
static void queueLiveEvent(FlightAction action, int a, int b)
{
    // A recording holds ticks up to kFlightMaxTick; a later tick stops it (run/recording.h).
    int tick = (int)std::min(flightTick, (long long)kFlightMaxTick + 1);
    FlightEvent event = {tick, action, a, b};
    // During a replay only Q still acts, so the user can always end the program.
    if (replaying && !endsFlight(event))
        return;
    if (action == kFlightPointer && liveEventCount > 0 && liveEvents[liveEventCount - 1].action == kFlightPointer)
        liveEvents[liveEventCount - 1] = event;
    else if (liveEventCount < kLiveEventSlots)
        liveEvents[liveEventCount++] = event;
    if (endsFlight(event))
        takeLiveEvents();
}

// A pad's events take the live input's way: during a replay only its quit acts.
static void takePadEvent(const FlightEvent& event)
{
    if (replaying && !endsFlight(event))
        return;
    takeEvent(event);
}

static void resizeSurface(int width, int height)
{
    reshape(width, height);
    if (awaitingResize && (width != sizeBeforeToggle[0] || height != sizeBeforeToggle[1]))
        awaitingResize = false;
}

// The run ends at once: freeglut goes on to tear down a window that may be gone already. At
// exit freeglut closes the window too, and the run has ended then.
static void closeSurface()
{
    if (looping && !ending)
        endRun(kEndWindowClosed);
}

bool openSurface(int* argc, char** argv)
{
    platform = &chosenPlatform();
    SurfaceRequest request;
    request.width = options.width;
    request.height = options.height;
    request.fullScreen = options.fullScreen;
    request.gpu = options.gpu;
    request.argc = argc;
    request.argv = argv;
    return platform->open(request, {queueLiveEvent, resizeSurface, closeSurface});
}

// Every run: the heads-up display as --hud asks. With any option of ours also: creates the
// recording, installs the signal handlers, starts the benchmark's report and the tick pacer.
// Without options the program's output and OpenGL calls stay those of a plain run.
static void beginRun()
{
    hudShown = options.hud;
    if (!scripted)
        return;
    // A signal, a closed pipe or a file-size limit ends the run with its report.
    installRunSignals();
    // Created only now, so a run that ends before its window (no display) leaves the file alone.
    if (options.recordFile != nullptr && !openRecording(options.recordFile))
        endRun(kEndWriteFailed);
    if (options.benchmark) {
        bool intervalZero = false;
        const char* swapControl = platform->setSwapIntervalZero(&intervalZero);
        startBenchmark(platform->rendererName(), swapControl, intervalZero);
    }
    if (options.tickRate > 0)
        startPacer(&pacer, options.tickRate, osMonotonicNs(), flightTick);
}

// Writes the drawn frame to every file asked for at this tick and returns the nanoseconds that
// took. An unwritten picture ends the run rather than pass unnoticed.
static long long captureDueScreenshots()
{
    if (nextScreenshot == options.screenshotCount || options.screenshots[nextScreenshot].tick > flightTick)
        return 0;
    // The frame's drawing is finished inside its time; reading and writing it are not.
    glFinish();
    long long start = osMonotonicNs();
    while (nextScreenshot < options.screenshotCount && options.screenshots[nextScreenshot].tick <= flightTick) {
        const char* file = options.screenshots[nextScreenshot++].file;
        if (!writeBackBufferPng(file, winWidth, winHeight))
            endRun(kEndWriteFailed);
    }
    return osMonotonicNs() - start;
}

// The frame of the current tick: drawn, captured into the screenshots asked for at this tick,
// ended, and timed for the benchmark: from the start of its tick's step to the end of its swap,
// less the reading and writing of screenshots and any time the flight waited for the window.
static void showFrame()
{
    long long waited = holdStartNs >= 0 ? osMonotonicNs() - holdStartNs : 0;
    holdStartNs = -1;
    drawFrame();
    // A measured frame rate would make captured frames differ from run to run: not shown then.
    if (hudShown)
        drawHud({speed, eye.y, heading, flightTick, options.screenshotCount > 0 ? -1.0 : hudMeter.figure}, winWidth,
                winHeight);
    long long captureNs = scripted ? captureDueScreenshots() : 0;
    platform->endFrame();
    if (hudShown)
        countFrame(&hudMeter, osMonotonicNs());
    if (options.benchmark && tickStartNs >= 0)
        noteFrame(flightTick, (double)(osMonotonicNs() - tickStartNs - waited - captureNs) * 1e-9);
    drawnTick = flightTick;
}

// True when the frame of the current tick must be drawn before the flight goes on: a screenshot
// is due, or a flight file's events have all acted (its last frame, or the benchmark's end).
static bool frameRequired()
{
    return options.benchmark ||
           (nextScreenshot < options.screenshotCount && options.screenshots[nextScreenshot].tick <= flightTick) ||
           (flying && flightTick == routeTicks);
}

// One tick: the run's end when its route is flown, the live events, the flight file's events of
// this tick, then the advance.
static void stepTick()
{
    // The benchmark ends at its quit, or once the frame that shows its last events is drawn.
    if (options.benchmark && flightTick >= routeTicks)
        endRun(kEndRouteFlown);
    // Where no input can come after the flight file's, once its events have acted and every
    // screenshot is written, nothing more can happen.
    if (!platform->takesInput && flying && flightTick >= routeTicks && nextScreenshot == options.screenshotCount)
        endRun(kEndRouteFlown);
    if (scripted)
        tickStartNs = osMonotonicNs();
    pollGamepads(flightTick, takePadEvent);
    takeLiveEvents();
    while (replaying && flightEvents[nextEvent].tick <= flightTick) {
        const FlightEvent& event = flightEvents[nextEvent++];
        replaying = nextEvent < flightEventCount;
        takeEvent(event);
    }
    advanceTick();
}

// The ticks due now: one, or with --tick-rate those the clock says, stopping early where a
// frame must be drawn. With none due the loop sleeps until the next.
static void runDueTicks()
{
    long long lastDue = flightTick + 1;
    if (options.tickRate > 0) {
        lastDue = lastTickDue(&pacer, osMonotonicNs(), flightTick);
        if (lastDue <= flightTick) {
            osSleepUntilNs(nextTickDueNs(pacer, flightTick));
            return;
        }
    }
    while (flightTick < lastDue) {
        stepTick();
        if (scripted && frameRequired())
            return;
    }
}

// A scripted run holds its flight while the window is not on screen or has not followed a
// full-screen toggle; a window that never comes ends the run instead of a silent wait.
static void holdForWindow()
{
    long long now = osMonotonicNs();
    if (awaitingResize && now > resizeDeadlineNs) {
        fprintf(stderr, "brinewings: the window did not change size within %lld s of the full-screen toggle at tick %lld\n",
                kResizeWaitNs / 1000000000LL, flightTick);
        endRun(kEndWindowFailed);
    }
    static long long firstWaitNs = now;
    if (drawnTick < 0 && now - firstWaitNs > kFirstFrameWaitNs) {
        fprintf(stderr, "brinewings: the window was not shown within %lld s, so no frame could be drawn\n",
                kFirstFrameWaitNs / 1000000000LL);
        endRun(kEndWindowFailed);
    }
    if (holdStartNs < 0)
        holdStartNs = now;
    osSleepUntilNs(now + kHoldPauseNs);
}

void runFlight()
{
    looping = true;
    beginRun();
    for (;;) {
        if (stopSignal() != 0)
            endRun(kEndSignal);
        platform->pollEvents();
        bool drawable = platform->surfaceShown() && !awaitingResize;
        if (scripted && !drawable) {
            holdForWindow();
            continue;
        }
        if (drawable && drawnTick != flightTick) {
            showFrame();
            // SDL loads and starts on a helper thread once the first frame is on screen, so
            // start-up does not wait for it. Every way out from here on goes through endRun,
            // which stops it.
            if (!padsStarted && !options.noGamepad && platform->takesInput && !options.benchmark)
                startGamepadsInBackground();
            padsStarted = true;
        }
        runDueTicks();
    }
}

void endRun(RunEnd why)
{
    ending = true;
    int status = 0;
    if (!closeRecording(flightTick))
        status = 1;
    if (why == kEndWriteFailed || why == kEndWindowFailed)
        status = 1;
    if (why == kEndSignal)
        fprintf(stderr, "brinewings: stopped by %s\n", stopSignalName(stopSignal()));
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
    stopGamepads();
    exit(why == kEndSignal ? 128 + stopSignal() : status);
}
