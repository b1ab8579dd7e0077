// run_rules.cpp -- the rules of a run: what it was asked for, when it holds its flight, when it
// ends and with which status
#include "run/run_rules.h"

#include "common/data_files.h"
#include "common/shown_path.h"
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "flight/flight_input.h"
#include "flight/live_input.h"
#include "flight/replay_source.h"
#include "flight/ticker.h"
#include "benchmark/benchmark_report.h"
#include "cli/data_folder.h"
#include "cli/output_check.h"
#include "output/recording.h"
#include "os/os.h"
#include "output/standard_output.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

static RunOptions options;
static bool scripted = false;      // any option of ours: the run has outputs and draws every tick it must
static bool flying = false;        // a flight file is replayed: --replay, or the benchmark's route
static long long routeTicks = 0;   // advances the flight file flies (flightFileEnd)
static int nextScreenshot = 0;     // next request in options.screenshots, sorted by tick
static long long drawnTick = -1;   // the tick whose frame was drawn last
static long long startNs = 0;      // when the run's loop began
static bool awaitingFullScreen = false;
static long long fullScreenDeadlineNs = 0;
static long long toggleTick = 0;   // the tick of the toggle awaited
static void (*lastOfAll)() = nullptr;

int prepareRun(int argc, char** argv, bool (*listDevices)())
{
    options = RunOptions();
    nextScreenshot = 0;
    drawnTick = -1;
    awaitingFullScreen = false;
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
            listed = listDevices();
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
    routeTicks = flightFileEnd(nullptr);
    // A benchmark of no frames would report nothing and pass.
    if (options.benchmark && routeTicks == 0) {
        fprintf(stderr, "brinewings: %s: the route flies no ticks\n", shownPath(flight));
        return 2;
    }
    std::stable_sort(options.screenshots, options.screenshots + options.screenshotCount,
                     [](const ScreenshotRequest& a, const ScreenshotRequest& b) { return a.tick < b.tick; });
    return -1;
}

const RunOptions& runOptions()
{
    return options;
}

bool runScripted()
{
    return scripted;
}

long long runRouteTicks()
{
    return routeTicks;
}

void setRunSources(const InputSource* pad)
{
    const InputSource* sources[kTickerSourceSlots];
    int count = 0;
    if (pad != nullptr)
        sources[count++] = pad;
    sources[count++] = &liveInputSource();
    sources[count++] = &replaySource();
    clearLiveEvents();
    rewindReplay();
    setTickerSources(sources, count, options.recordFile != nullptr ? recordEvent : nullptr);
}

void beginRunRules(long long nowNs, void (*atEnd)())
{
    startNs = nowNs;
    lastOfAll = atEnd;
}

void noteFullScreenToggle(long long nowNs)
{
    if (!scripted)
        return;
    awaitingFullScreen = true;
    fullScreenDeadlineNs = nowNs + kFullScreenWaitNs;
    toggleTick = flightTick;
}

WindowWait windowWait(long long nowNs, bool shown, bool (*fullScreenSettled)())
{
    if (awaitingFullScreen && fullScreenSettled())
        awaitingFullScreen = false;
    if (awaitingFullScreen && nowNs > fullScreenDeadlineNs) {
        fprintf(stderr, "brinewings: the window manager did not answer the full-screen toggle at tick %lld within %lld s\n",
                toggleTick, kFullScreenWaitNs / 1000000000LL);
        return kWindowTooLate;
    }
    if (scripted && !shown && drawnTick < 0 && nowNs - startNs > kFirstFrameWaitNs) {
        fprintf(stderr, "brinewings: the window was not shown within %lld s, so no frame could be drawn\n",
                kFirstFrameWaitNs / 1000000000LL);
        return kWindowTooLate;
    }
    return shown && !awaitingFullScreen ? kWindowReady : kWindowHold;
}

void noteFrameDrawn(long long tick)
{
    drawnTick = tick;
}

bool frameDrawnAt(long long tick)
{
    return drawnTick == tick;
}

const char* screenshotDue(long long tick)
{
    if (nextScreenshot < options.screenshotCount && options.screenshots[nextScreenshot].tick <= tick)
        return options.screenshots[nextScreenshot].file;
    return nullptr;
}

void takeScreenshot()
{
    nextScreenshot++;
}

bool frameRequired(long long tick)
{
    return options.benchmark || screenshotDue(tick) != nullptr || (flying && tick == routeTicks);
}

bool runComplete(long long tick, bool takesInput)
{
    // The benchmark ends at its quit, or once the frame that shows its last events is drawn.
    if (options.benchmark && tick >= routeTicks)
        return true;
    // Where no input can come after the flight file's, once its events have acted and every
    // screenshot is written, nothing more can happen.
    return !takesInput && flying && tick >= routeTicks && nextScreenshot == options.screenshotCount;
}

int runEndStatus(const RunDelivery& d)
{
    if (d.why == kEndSignal)
        return 128 + d.signal;
    bool failed = d.why == kEndWriteFailed || d.why == kEndWindowFailed || !d.recordingClosed ||
                  d.screenshotsMissing > 0 || !d.standardOutputWritten ||
                  (d.benchmarkAsked && (d.why != kEndRouteFlown || !d.benchmarkWritten));
    return failed ? 1 : 0;
}

void endRun(RunEnd why)
{
    RunDelivery delivery = {why, stopSignal(), true, 0, options.benchmark, true, true};
    delivery.recordingClosed = closeRecording(flightTick);
    if (why == kEndSignal)
        fprintf(stderr, "brinewings: stopped by %s\n", stopSignalName(stopSignal()));
    if (flying || options.recordFile != nullptr) {
        fprintf(stderr, "brinewings: tick %lld heading %.9g eye %.9g %.9g %.9g speed %.9g\n", flightTick,
                (double)heading, (double)eye.x, (double)eye.y, (double)eye.z, (double)speed);
    }
    for (int i = nextScreenshot; i < options.screenshotCount; i++) {
        fprintf(stderr, "brinewings: %s: not written: the run ended at tick %lld, before the frame of tick %d\n",
                shownPath(options.screenshots[i].file), flightTick, options.screenshots[i].tick);
        delivery.screenshotsMissing++;
    }
    if (options.benchmark) {
        BenchmarkEnd end = {why == kEndRouteFlown, flightTick, routeTicks};
        printBenchmarkReport(end);
        if (options.resultsFile != nullptr)
            delivery.benchmarkWritten = writeBenchmarkResultsFile(options.resultsFile, end);
    }
    // The figures on standard output are an output of the run like any file.
    if (scripted)
        delivery.standardOutputWritten = finishStandardOutput();
    if (lastOfAll != nullptr)
        lastOfAll();
    exit(runEndStatus(delivery));
}
