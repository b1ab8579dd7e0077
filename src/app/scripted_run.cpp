// scripted_run.cpp -- replayed and recorded flights, frame capture and the benchmark, wired into GLUT
#include "app/scripted_run.h"

#include "app/benchmark.h"
#include "app/frame_capture.h"
#include "app/idle.h"
#include "app/input.h"
#include "app/input_mapping.h"
#include "app/rendering.h"
#include "app/run_options.h"
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "flight/frame_draw.h"

#include <GL/freeglut.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static RunOptions options;
static long long ticksDone = 0;  // advances of the flight so far; 64 bits, so it cannot overflow
static int nextEvent = 0;        // next replayed event in flightEvents
static bool replaying = false;   // replayed events remain: live input other than Q waits
static bool shown = false;       // the first frame is on screen: the flight may start
static int nextScreenshot = 0;   // next request in options.screenshots, sorted by tick
static bool flying = false;      // a flight file is replayed: --replay, or the benchmark's route
static FILE* recording = nullptr;
static bool recordingQuits = false;  // the last recorded event ends the program

static bool sameFile(const char* a, const char* b)
{
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool prepareScriptedRun(int argc, char** argv)
{
    char message[512];
    if (!parseRunOptions(argc, argv, &options, message, sizeof message)) {
        fprintf(stderr, "%s\n", message);
        return false;
    }
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
        recording = fopen(options.recordFile, "w");
        if (recording == nullptr) {
            fprintf(stderr, "brinewings: %s: %s\n", options.recordFile, strerror(errno));
            return false;
        }
    }
    std::stable_sort(options.screenshots, options.screenshots + options.screenshotCount,
                     [](const ScreenshotRequest& a, const ScreenshotRequest& b) { return a.tick < b.tick; });
    return true;
}

static void record(FlightAction action, int a, int b)
{
    if (recording == nullptr)
        return;
    // A flight file ends at tick 1000000000 (11 days at 1000 frames a second); later input is
    // not recorded, and the file stays valid.
    if (ticksDone > kFlightMaxTick) {
        fprintf(stderr, "brinewings: %s: recording stopped at tick %d\n", options.recordFile, kFlightMaxTick);
        fclose(recording);
        recording = nullptr;
        return;
    }
    recordingQuits = action == kFlightQuit || (action == kFlightKey && (a == 'q' || a == 'Q'));
    if (!writeFlightEvent(recording, {(int)ticksDone, action, a, b})) {
        fprintf(stderr, "brinewings: %s: %s\n", options.recordFile, strerror(errno));
        fclose(recording);
        recording = nullptr;
        exit(1);
    }
}

static const int kSpecialCodes[] = {GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN};

// One event, replayed or live, through the same handlers as live input.
static void dispatch(const FlightEvent& event)
{
    record(event.action, event.a, event.b);
    switch (event.action) {
    case kFlightPointer: steerToPointer(event.a, event.b); break;
    case kFlightKey: keyboard((unsigned char)event.a, 0, 0); break;
    case kFlightSpecial: specialKeys(kSpecialCodes[event.a], 0, 0); break;
    case kFlightQuit: keyboard('q', 0, 0); break;
    }
}

// Draws the frame of the flight as it stands and writes it to every file asked for this tick.
// An unwritten picture ends the run with status 1 rather than pass unnoticed.
static void captureDueFrames()
{
    if (nextScreenshot >= options.screenshotCount || options.screenshots[nextScreenshot].tick != ticksDone)
        return;
    drawFrame();
    for (; nextScreenshot < options.screenshotCount && options.screenshots[nextScreenshot].tick == ticksDone;
         nextScreenshot++) {
        if (!writeBackBufferPng(options.screenshots[nextScreenshot].file, winWidth, winHeight))
            exit(1);
    }
}

static void scriptedIdle()
{
    // The flight waits for its first frame on screen, so every tick is drawn (and captured) in
    // the window it belongs to, with its size, however long the window takes to appear.
    if (!shown)
        return;
    // The benchmark ends once the tick of its last event has been flown and drawn; the
    // figures are printed at exit.
    bool flown = !replaying && (flightEventCount == 0 || ticksDone > flightEvents[flightEventCount - 1].tick);
    if (options.benchmark && flown)
        exit(0);
    if (ticksDone == 0)
        captureDueFrames();
    while (replaying && flightEvents[nextEvent].tick <= ticksDone) {
        const FlightEvent& event = flightEvents[nextEvent++];
        replaying = nextEvent < flightEventCount;
        dispatch(event);
    }
    idle();
    ticksDone++;
    captureDueFrames();
}

static void scriptedDisplay()
{
    display();
    shown = true;
    if (options.benchmark)
        noteSwap((int)ticksDone - 1);  // the benchmark ends by tick 1000000001
}

static void scriptedKeyboard(unsigned char key, int x, int y)
{
    // During a replay only Q still acts, so the user can always end the program.
    if (replaying && key != 'q' && key != 'Q')
        return;
    // Only keys a flight file can hold are recorded; the others ('#', space, control
    // characters) change nothing.
    if (key >= 33 && key <= 126 && key != '#')
        record(kFlightKey, key, 0);
    keyboard(key, x, y);
}

static void scriptedSpecialKeys(int key, int x, int y)
{
    if (replaying)
        return;
    for (int i = 0; i < 4; i++) {
        if (key == kSpecialCodes[i])
            record(kFlightSpecial, i, 0);
    }
    specialKeys(key, x, y);
}

static void scriptedMouseMove(int x, int y)
{
    if (replaying)
        return;
    // A minimised window can report width 0; steerToPointer takes it as 1, and so does the file.
    // X window coordinates fit in 16 bits, well inside the file's bounds.
    int width = std::max(winWidth, 1);
    record(kFlightPointer, std::clamp(x, -kFlightMaxCoordinate, kFlightMaxCoordinate),
           std::min(width, kFlightMaxCoordinate));
    mouseMove(x, y);
}

// At exit, however the program ends (Q, a quit event, the window closed, the benchmark done):
// the recording ends with quit so its replay ends at the same tick, then the end line and the
// benchmark figures.
static void endScriptedRun()
{
    if (recording != nullptr) {
        if (!recordingQuits && ticksDone <= kFlightMaxTick &&
            !writeFlightEvent(recording, {(int)ticksDone, kFlightQuit, 0, 0}))
            fprintf(stderr, "brinewings: %s: %s\n", options.recordFile, strerror(errno));
        fclose(recording);
    }
    if (flying || options.recordFile != nullptr) {
        fprintf(stderr, "brinewings: tick %lld heading %.9g eye %.9g %.9g %.9g speed %.9g\n", ticksDone,
                (double)heading, (double)eye.x, (double)eye.y, (double)eye.z, (double)speed);
    }
    if (options.benchmark)
        printBenchmarkReport();
}

void beginScriptedRun()
{
    if (!anyRunOption(options))
        return;
    glutDisplayFunc(scriptedDisplay);
    glutIdleFunc(scriptedIdle);
    glutKeyboardFunc(scriptedKeyboard);
    glutSpecialFunc(scriptedSpecialKeys);
    glutPassiveMotionFunc(scriptedMouseMove);
    if (options.benchmark)
        startBenchmark();
    atexit(endScriptedRun);
}
