// run_options.cpp -- reads the command line: the program's options (freeglut's through the window backend) and --help
#include "cli/run_options.h"

#include "common/data_files.h"
#include "common/decimal.h"
#include "common/shown_path.h"
#include "flight/controls.h"
#include "flight/flight_file.h"
#include "os/os.h"
#include "flight/tick_pacer.h"

#include <cstdarg>
#include <cstring>
#include <string>

#ifndef BRINEWINGS_VERSION_TEXT
#define BRINEWINGS_VERSION_TEXT "unknown"
#endif

static const int kMinTickRate = 1;  // ticks a second: lower bound of --tick-rate

// What each option is; the kind decides what parseRunOptions does with its value.
enum OptionKind {
    kOptHelp, kOptVersion, kOptListGpus, kOptBenchmark, kOptOffscreen, kOptFullScreen, kOptHud, kOptNoGamepad,
    kOptReplay, kOptRecord, kOptResults, kOptDataDir, kOptScreenshot, kOptSize, kOptGpu, kOptTickRate,
    kOptPlatform,
};

struct OptionName {
    const char* name;
    bool takesValue;
    bool number;  // its value starts with a number, which may be negative (and then out of range)
    OptionKind kind;
};

// Long options also take their value as --name=VALUE; the short ones do not. freeglut's options
// are the window backend's (platform/window_options.h).
static const OptionName kOptions[] = {
    {"--help", false, false, kOptHelp},
    {"-h", false, false, kOptHelp},
    {"--version", false, false, kOptVersion},
    {"--replay", true, false, kOptReplay},
    {"--record", true, false, kOptRecord},
    {"--results", true, false, kOptResults},
    {"--screenshot", true, true, kOptScreenshot},
    {"--size", true, true, kOptSize},
    {"-s", true, true, kOptSize},
    {"--data-dir", true, false, kOptDataDir},
    {"--benchmark", false, false, kOptBenchmark},
    {"--offscreen", false, false, kOptOffscreen},
    {"--fullscreen", false, false, kOptFullScreen},
    {"--list-gpus", false, false, kOptListGpus},
    {"--gpu", true, true, kOptGpu},
    {"--tick-rate", true, true, kOptTickRate},
    {"--hud", false, false, kOptHud},
    {"--no-gamepad", false, false, kOptNoGamepad},
    {"--platform", true, false, kOptPlatform},
};

// Writes "brinewings: " and the formatted reason into message; returns false, for refusals.
static bool refuse(char* message, size_t messageSize, const char* format, ...) __attribute__((format(printf, 3, 4)));
static bool refuse(char* message, size_t messageSize, const char* format, ...)
{
    int prefix = snprintf(message, messageSize, "brinewings: ");
    if (prefix > 0 && (size_t)prefix < messageSize) {
        va_list arguments;
        va_start(arguments, format);
        vsnprintf(message + prefix, messageSize - (size_t)prefix, format, arguments);
        va_end(arguments);
    }
    return false;
}

static const OptionName* findOption(const char* name, size_t length)
{
    for (const OptionName& option : kOptions)
        if (strlen(option.name) == length && strncmp(option.name, name, length) == 0)
            return &option;
    return nullptr;
}

// --screenshot TICK:FILE, TICK a decimal 0..kFlightMaxTick and FILE not empty.
static bool takeScreenshot(const char* value, RunOptions* options, char* message, size_t messageSize)
{
    if (options->screenshotCount == kScreenshotSlots)
        return refuse(message, messageSize, "more than %d --screenshot options", kScreenshotSlots);
    long long tick = 0;
    const char* end = nullptr;
    if (readDecimal(value, 0, kFlightMaxTick, &tick, &end) != kDecimalRead || *end != ':' || end[1] == '\0')
        return refuse(message, messageSize, "--screenshot '%s': expected TICK:FILE, TICK from 0 to %d",
                      shownPath(value), kFlightMaxTick);
    options->screenshots[options->screenshotCount++] = {(int)tick, end + 1};
    return true;
}

// --size or -s WxH.
static bool takeSize(const OptionName& option, const char* value, RunOptions* options, char* message,
                     size_t messageSize)
{
    if (options->width != 0)
        return refuse(message, messageSize, "%s", kWindowSizeTwice);
    if (!readWindowSize(value, &options->width, &options->height))
        return refuse(message, messageSize, "%s '%s': expected WxH, each side from %d to %d", option.name,
                      shownPath(value), kMinWindowSide, kMaxWindowSide);
    return true;
}

// --gpu N or surfaceless.
static bool takeGpu(const char* value, RunOptions* options, char* message, size_t messageSize)
{
    if (options->gpu != kGpuDefault)
        return refuse(message, messageSize, "--gpu given twice");
    long long device = 0;
    if (strcmp(value, "surfaceless") == 0)
        device = kGpuSurfaceless;
    else if (readDecimal(value, 0, kGpuSlots - 1, &device) != kDecimalRead)
        return refuse(message, messageSize, "--gpu '%s': expected a device number from 0 to %d, or surfaceless",
                      shownPath(value), kGpuSlots - 1);
    options->gpu = (int)device;
    return true;
}

// --tick-rate HZ.
static bool takeTickRate(const char* value, RunOptions* options, char* message, size_t messageSize)
{
    if (options->tickRate != 0)
        return refuse(message, messageSize, "--tick-rate given twice");
    long long rate = 0;
    if (readDecimal(value, kMinTickRate, kMaxTickRate, &rate) != kDecimalRead)
        return refuse(message, messageSize, "--tick-rate '%s': expected ticks a second from %d to %d",
                      shownPath(value), kMinTickRate, kMaxTickRate);
    options->tickRate = (int)rate;
    return true;
}

// --platform x11|wayland.
static bool takePlatform(const char* value, RunOptions* options, char* message, size_t messageSize)
{
    if (options->windowSystem != kWindowSystemAny)
        return refuse(message, messageSize, "--platform given twice");
    if (!readWindowSystem(value, &options->windowSystem))
        return refuse(message, messageSize, "--platform '%s': expected x11 or wayland", shownPath(value));
    return true;
}

// The file an option names, or null for an option whose value is not a file.
static const char** fileOf(OptionKind kind, RunOptions* options)
{
    switch (kind) {
    case kOptReplay: return &options->replayFile;
    case kOptRecord: return &options->recordFile;
    case kOptResults: return &options->resultsFile;
    case kOptDataDir: return &options->dataDir;
    default: return nullptr;
    }
}

// Checks the value of one option and stores it; false with the message when it is refused.
static bool takeValue(const OptionName& option, const char* value, RunOptions* options, char* message,
                      size_t messageSize)
{
    switch (option.kind) {
    case kOptScreenshot: return takeScreenshot(value, options, message, messageSize);
    case kOptSize: return takeSize(option, value, options, message, messageSize);
    case kOptGpu: return takeGpu(value, options, message, messageSize);
    case kOptTickRate: return takeTickRate(value, options, message, messageSize);
    case kOptPlatform: return takePlatform(value, options, message, messageSize);
    default: break;
    }
    const char** file = fileOf(option.kind, options);
    if (*file != nullptr)
        return refuse(message, messageSize, "%s given twice", option.name);
    *file = value;
    return true;
}

// The flag an option without a value sets.
static bool* flagOf(OptionKind kind, RunOptions* options)
{
    switch (kind) {
    case kOptHelp: return &options->help;
    case kOptVersion: return &options->version;
    case kOptListGpus: return &options->listGpus;
    case kOptBenchmark: return &options->benchmark;
    case kOptOffscreen: return &options->offscreen;
    case kOptFullScreen: return &options->fullScreen;
    case kOptHud: return &options->hud;
    default: return &options->noGamepad;
    }
}

// Sets the flag of an option without a value; false with the message when it was set already.
static bool takeFlag(const OptionName& option, RunOptions* options, char* message, size_t messageSize)
{
    bool* flag = flagOf(option.kind, options);
    bool repeatable = option.kind == kOptHelp || option.kind == kOptVersion || option.kind == kOptListGpus;
    if (*flag && !repeatable)
        return refuse(message, messageSize, "%s given twice", option.name);
    *flag = true;
    return true;
}

// The options that do not go together; false with the message for the first such pair.
static bool checkCombinations(const RunOptions& options, char* message, size_t messageSize)
{
    const char* refusal = nullptr;
    if (options.resultsFile != nullptr && !options.benchmark)
        refusal = "--results needs --benchmark";
    else if (options.offscreen && options.replayFile == nullptr && !options.benchmark)
        refusal = "--offscreen needs --replay or --benchmark";
    else if (options.offscreen && options.recordFile != nullptr)
        refusal = "--offscreen cannot record live input (--record)";
    else if (options.gpu != kGpuDefault && !options.offscreen)
        refusal = "--gpu needs --offscreen";
    else if (options.tickRate != 0 && options.benchmark)
        refusal = "--tick-rate cannot pace the benchmark, which draws every tick as fast as it can";
    else if (!checkWindowOptions(options.window, message, messageSize))
        return false;
    // A full-screen window takes the screen's size, so a size asked for would not be kept.
    else if (options.fullScreen && options.width != 0)
        refusal = "--fullscreen cannot go with a window size (--size, -s or -geometry WxH)";
    else if (options.windowSystem != kWindowSystemAny && options.offscreen)
        refusal = "--platform chooses a window: it cannot go with --offscreen";
    else if (options.windowSystem == kWindowSystemWayland && options.window.display != nullptr)
        refusal = "-display names an X display: it cannot go with --platform wayland";
    else if (options.fullScreen && options.offscreen)
        refusal = "--fullscreen cannot go with --offscreen, which has no window";
    // A minimised window draws no frame, and a scripted run waits for each of its frames.
    else if (options.window.iconic && anyRunOption(options))
        refusal = "-iconic cannot go with --replay, --record, --benchmark, --screenshot, --offscreen or --tick-rate";
    return refusal == nullptr || refuse(message, messageSize, "%s", refusal);
}

bool parseRunOptions(int argc, char** argv, RunOptions* options, char* message, size_t messageSize)
{
    bool optionsEnded = false;  // "--" was given: what follows is an argument
    for (int i = 1; i < argc; i++) {
        const char* argument = argv[i];
        if (!optionsEnded && strcmp(argument, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded)
            return refuse(message, messageSize, "unexpected argument '%s' (try --help)", shownPath(argument));
        WindowOptionRead window =
            readWindowOption(argc, argv, &i, &options->window, &options->width, &options->height, message, messageSize);
        if (window == kWindowOptionRefused)
            return false;
        if (window == kWindowOptionTaken)
            continue;
        // Only long options carry their value after '='.
        const char* equals = strncmp(argument, "--", 2) == 0 ? strchr(argument, '=') : nullptr;
        size_t nameLength = equals != nullptr ? (size_t)(equals - argument) : strlen(argument);
        const OptionName* option = findOption(argument, nameLength);
        if (option == nullptr) {
            std::string name(argument, nameLength);
            bool looksLikeOption = argument[0] == '-' && argument[1] != '\0';
            return refuse(message, messageSize, "%s '%s' (try --help)",
                          looksLikeOption ? "unknown option" : "unexpected argument", shownPath(name.c_str()));
        }
        if (equals != nullptr && !option->takesValue)
            return refuse(message, messageSize, "%s takes no value", option->name);
        if (!option->takesValue) {
            if (!takeFlag(*option, options, message, messageSize))
                return false;
            continue;
        }
        // A value is never the next option: "--record --replay x" lacks the record's file. A
        // number may be negative, "--tick-rate -1", and is then refused for its range.
        const char* following = i + 1 < argc ? argv[i + 1] : nullptr;
        bool next = following != nullptr &&
                    (following[0] != '-' || (option->number && following[1] >= '0' && following[1] <= '9'));
        const char* value = equals != nullptr ? equals + 1 : next ? argv[++i] : "";
        if (value[0] == '\0')
            return refuse(message, messageSize, "%s needs a value", option->name);
        if (!takeValue(*option, value, options, message, messageSize))
            return false;
    }
    return options->help || options->version || options->listGpus || checkCombinations(*options, message, messageSize);
}

bool anyRunOption(const RunOptions& options)
{
    return options.replayFile != nullptr || options.recordFile != nullptr || options.benchmark ||
           options.screenshotCount > 0 || options.resultsFile != nullptr || options.offscreen || options.tickRate > 0;
}

void printRunVersion(FILE* out)
{
    fputs("brinewings " BRINEWINGS_VERSION_TEXT "\n", out);
}

void printRunUsage(FILE* out, const char* dataDir)
{
    fputs("Usage: brinewings [OPTION]... [FREEGLUT OPTION]...\n"
          "\n"
          "brinewings " BRINEWINGS_VERSION_TEXT ": an interactive 3D flight scene. A twin-propeller aircraft\n"
          "flies over a fogged sea, inside a textured sky and past three fractal mountains.\n"
          "\n",
          out);
    printControls(out);
    fputs("H\t\tToggle Heads-Up Display (with --hud)\n"
          "\n"
          "A gamepad: the left stick steers, the D-pad climbs and descends, the shoulders\n"
          "change speed; A, B, X, Y are W, S, M, B; Start is F, Back is Q.\n"
          "\n"
          "Options:\n"
          "  -h, --help              show this text and exit\n"
          "  --version               show the version and exit\n"
          "  --replay FILE           fly the flight file FILE, then hand over to live input\n"
          "  --record FILE           write the flight's input to FILE as a flight file\n"
          "  --benchmark             fly benchmark.flight (or the --replay file) as fast as\n"
          "                          possible, print the frame rates and exit\n"
          "  --results FILE          with --benchmark, also write the figures to FILE\n"
          "  --screenshot TICK:FILE  write the frame of tick TICK to FILE as a PNG\n"
          "                          (may be repeated)\n",
          out);
    fprintf(out, "  -s, --size WxH          open the window W x H pixels (%d to %d each)\n", kMinWindowSide,
            kMaxWindowSide);
    fputs("  --fullscreen            start in full screen\n"
          "  --offscreen             draw without a window (with --replay or --benchmark)\n"
          "  --gpu N|surfaceless     with --offscreen: draw on EGL device N, or through\n"
          "                          EGL's surfaceless platform (default: device 0, else\n"
          "                          the surfaceless platform)\n"
          "  --list-gpus             name the EGL devices found and exit\n",
          out);
    fprintf(out,
            "  --tick-rate HZ          fly HZ ticks a second by the clock (%d to %d), drawing\n"
            "                          at most one frame a tick (default: one tick a frame)\n",
            kMinTickRate, kMaxTickRate);
    fputs("  --hud                   show speed, altitude, heading, tick and frame rate\n"
          "  --no-gamepad            do not read gamepads\n"
          "  --platform x11|wayland  open the window on X11 (freeglut) or Wayland (default:\n"
          "                          X11 where DISPLAY is set, else Wayland where there is\n"
          "                          a Wayland display)\n"
          "  --data-dir DIR          read the data files from DIR; files named on the command\n"
          "                          line stay relative to the folder started in\n"
          "  --                      end of the options (the program takes no arguments)\n"
          "A long option's value may follow '=' (--record=FILE); a file whose name starts\n"
          "with '-' is given so, or as ./-FILE. Outputs are checked before the window opens.\n"
          "An output may be standard output (/dev/stdout): it then carries that output\n"
          "alone, and the program's own lines go to standard error.\n"
          "--fullscreen takes no size; -iconic takes no --replay, --record, --benchmark,\n"
          "--screenshot, --offscreen or --tick-rate. A window needs an X display (DISPLAY\n"
          "or -display) or a Wayland one (WAYLAND_DISPLAY, or wayland-0 in XDG_RUNTIME_DIR).\n"
          "\n"
          "freeglut options, handed on to it:\n"
          "  -display DISPLAY        the X display to open the window on\n"
          "  -geometry WxH+X+Y       the window's size (as --size) and position; X and Y\n"
          "                          may be -X, -Y (from the right and bottom edges)\n"
          "  -iconic, -direct, -indirect, -gldebug, -sync\n"
          "\n",
          out);
    fprintf(out,
            "Data files (%s, %s, %s, %s, %s) are\n"
            "read from the working directory, or from --data-dir. See man 6 brinewings for more.\n",
            kAircraftFile, kPropellerFile, kSeaImageFile, kSkyImageFile, kBenchmarkRoute);
    const char* folder = dataDir != nullptr ? dataDir : osInstalledDataFolder();
    if (folder != nullptr)
        fprintf(out, "\nThis command reads its data files from:\n  %s\n", folder);
}
