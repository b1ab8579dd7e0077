// run_options.cpp -- reads the command line: the program's options, freeglut's, and --help
#include "run/run_options.h"

#include "common/data_files.h"
#include "common/shown_path.h"
#include "flight/controls.h"
#include "flight/flight_file.h"
#include "run/tick_pacer.h"

#include <cstring>
#include <string>

#ifndef BRINEWINGS_VERSION_TEXT
#define BRINEWINGS_VERSION_TEXT "unknown"
#endif

// What each option is; the kind decides what parseRunOptions does with its value.
enum OptionKind {
    kOptHelp, kOptVersion, kOptReplay, kOptRecord, kOptResults, kOptScreenshot, kOptSize, kOptDataDir,
    kOptBenchmark, kOptOffscreen, kOptFullScreen, kOptListGpus, kOptGpu, kOptTickRate, kOptHud, kOptNoGamepad, kOptPlatform,
    kOptDisplay, kOptGeometry, kOptIconic, kOptDirect, kOptIndirect, kOptGlutFlag,  // freeglut's, left in argv
};

struct OptionName {
    const char* name;
    bool takesValue;
    OptionKind kind;
};

// Long options also take their value as --name=VALUE; freeglut's and the short ones do not.
static const OptionName kOptions[] = {
    {"--help", false, kOptHelp},
    {"-h", false, kOptHelp},
    {"--version", false, kOptVersion},
    {"--replay", true, kOptReplay},
    {"--record", true, kOptRecord},
    {"--results", true, kOptResults},
    {"--screenshot", true, kOptScreenshot},
    {"--size", true, kOptSize},
    {"-s", true, kOptSize},
    {"--data-dir", true, kOptDataDir},
    {"--benchmark", false, kOptBenchmark},
    {"--offscreen", false, kOptOffscreen},
    {"--fullscreen", false, kOptFullScreen},
    {"--list-gpus", false, kOptListGpus},
    {"--gpu", true, kOptGpu},
    {"--tick-rate", true, kOptTickRate},
    {"--hud", false, kOptHud},
    {"--no-gamepad", false, kOptNoGamepad},
    {"--platform", true, kOptPlatform},
    {"-display", true, kOptDisplay},
    {"-geometry", true, kOptGeometry},
    {"-direct", false, kOptDirect},
    {"-indirect", false, kOptIndirect},
    {"-iconic", false, kOptIconic},
    {"-gldebug", false, kOptGlutFlag},
    {"-sync", false, kOptGlutFlag},
};
static const int kGeometryChars = 64;         // longest size part of a -geometry value read
static const int kMaxGeometryOffset = 32767;  // pixels: X window positions are 16-bit

// TICK:FILE with TICK a decimal 0..kFlightMaxTick and FILE not empty.
static bool readScreenshot(const char* value, ScreenshotRequest* request)
{
    long long tick = 0;
    const char* p = value;
    for (; *p >= '0' && *p <= '9'; p++) {
        tick = tick * 10 + (*p - '0');
        if (tick > kFlightMaxTick)
            return false;
    }
    if (p == value || *p != ':' || p[1] == '\0')
        return false;
    request->tick = (int)tick;
    request->file = p + 1;
    return true;
}

// WxH with each side a decimal kMinWindowSide..kMaxWindowSide.
static bool readSize(const char* value, int* width, int* height)
{
    int sides[2] = {0, 0};
    const char* p = value;
    for (int side = 0; side < 2; side++) {
        const char* start = p;
        for (; *p >= '0' && *p <= '9'; p++) {
            sides[side] = sides[side] * 10 + (*p - '0');
            if (sides[side] > kMaxWindowSide)
                return false;
        }
        if (p == start || sides[side] < kMinWindowSide || *p != (side == 0 ? 'x' : '\0'))
            return false;
        p++;
    }
    *width = sides[0];
    *height = sides[1];
    return true;
}

// X's geometry, as freeglut reads it: [=][WxH][{+-}X{+-}Y]. The size, when given, is taken
// like --size. An offset from the right or bottom edge (-X, -Y) without a size places the
// window by freeglut's default size, as X does.
static bool readGeometry(const char* value, int* width, int* height)
{
    const char* p = value + (value[0] == '=' ? 1 : 0);
    size_t sizeChars = strcspn(p, "+-");
    const char* offsets = p + sizeChars;
    if (sizeChars >= (size_t)kGeometryChars)
        return false;
    if (sizeChars > 0) {
        char size[kGeometryChars];
        memcpy(size, p, sizeChars);
        size[sizeChars] = '\0';
        if (!readSize(size, width, height))
            return false;
    }
    if (*offsets == '\0')
        return sizeChars > 0;
    for (int axis = 0; axis < 2; axis++) {
        if (*offsets != '+' && *offsets != '-')
            return false;
        const char* digits = ++offsets;
        int offset = 0;
        for (; *offsets >= '0' && *offsets <= '9'; offsets++) {
            offset = offset * 10 + (*offsets - '0');
            if (offset > kMaxGeometryOffset)
                return false;
        }
        if (offsets == digits)
            return false;
    }
    return *offsets == '\0';
}

// A decimal from low to high, nothing else.
static bool readWhole(const char* value, int low, int high, int* number)
{
    long long read = 0;
    const char* p = value;
    for (; *p >= '0' && *p <= '9'; p++) {
        read = read * 10 + (*p - '0');
        if (read > high)
            return false;
    }
    if (p == value || *p != '\0' || read < low)
        return false;
    *number = (int)read;
    return true;
}

static const OptionName* findOption(const char* name, size_t length)
{
    for (const OptionName& option : kOptions)
        if (strlen(option.name) == length && strncmp(option.name, name, length) == 0)
            return &option;
    return nullptr;
}

// Checks the value of one option and stores it; false with the message when it is refused.
static bool takeValue(const OptionName& option, const char* value, RunOptions* options, char* message,
                      size_t messageSize)
{
    const char** file = option.kind == kOptReplay    ? &options->replayFile
                        : option.kind == kOptRecord  ? &options->recordFile
                        : option.kind == kOptResults ? &options->resultsFile
                        : option.kind == kOptDataDir ? &options->dataDir
                                                     : nullptr;
    if (file != nullptr) {
        if (*file != nullptr) {
            snprintf(message, messageSize, "brinewings: %s given twice", option.name);
            return false;
        }
        *file = value;
        return true;
    }
    if (option.kind == kOptPlatform) {
        if (options->windowSystem != kWindowSystemAny) {
            snprintf(message, messageSize, "brinewings: --platform given twice");
            return false;
        }
        if (!readWindowSystem(value, &options->windowSystem)) {
            snprintf(message, messageSize, "brinewings: --platform '%s': expected x11 or wayland", shownPath(value));
            return false;
        }
        return true;
    }
    if (option.kind == kOptScreenshot) {
        if (options->screenshotCount == kScreenshotSlots) {
            snprintf(message, messageSize, "brinewings: more than %d --screenshot options", kScreenshotSlots);
            return false;
        }
        if (!readScreenshot(value, &options->screenshots[options->screenshotCount])) {
            snprintf(message, messageSize,
                     "brinewings: --screenshot '%s': expected TICK:FILE, TICK from 0 to %d", shownPath(value),
                     kFlightMaxTick);
            return false;
        }
        options->screenshotCount++;
        return true;
    }
    if (option.kind == kOptGpu || option.kind == kOptTickRate) {
        bool gpu = option.kind == kOptGpu;
        int* number = gpu ? &options->gpu : &options->tickRate;
        if (*number != (gpu ? kGpuDefault : 0)) {
            snprintf(message, messageSize, "brinewings: %s given twice", option.name);
            return false;
        }
        if (gpu && strcmp(value, "surfaceless") == 0) {
            *number = kGpuSurfaceless;
            return true;
        }
        if (!readWhole(value, gpu ? 0 : 1, gpu ? kGpuSlots - 1 : kMaxTickRate, number)) {
            snprintf(message, messageSize,
                     gpu ? "brinewings: --gpu '%s': expected a device number from 0 to %d, or surfaceless"
                         : "brinewings: --tick-rate '%s': expected ticks a second from 1 to %d",
                     value, gpu ? kGpuSlots - 1 : kMaxTickRate);
            return false;
        }
        return true;
    }
    if (option.kind == kOptSize || option.kind == kOptGeometry) {
        int width = 0, height = 0;
        bool sizeGiven = option.kind == kOptSize || strcspn(value + (value[0] == '='), "+-") > 0;
        if (sizeGiven && options->width != 0) {
            snprintf(message, messageSize, "brinewings: the window size is given twice (--size, -s or -geometry)");
            return false;
        }
        bool read = option.kind == kOptSize ? readSize(value, &width, &height) : readGeometry(value, &width, &height);
        if (!read) {
            snprintf(message, messageSize,
                     option.kind == kOptSize
                         ? "brinewings: %s '%s': expected WxH, each side from %d to %d"
                         : "brinewings: %s '%s': expected WxH, WxH+X+Y, WxH-X-Y, +X+Y or -X-Y, each side from %d to %d",
                     option.name, shownPath(value), kMinWindowSide, kMaxWindowSide);
            return false;
        }
        if (sizeGiven) {
            options->width = width;
            options->height = height;
        }
    }
    if (option.kind == kOptDisplay)
        options->display = value;  // freeglut opens it; the display check tries it first
    return true;
}

// Sets the flag of an option without a value; false with the message when it was set already.
static bool takeFlag(const OptionName& option, RunOptions* options, char* message, size_t messageSize)
{
    bool* flag = option.kind == kOptHelp        ? &options->help
                 : option.kind == kOptVersion   ? &options->version
                 : option.kind == kOptBenchmark ? &options->benchmark
                 : option.kind == kOptOffscreen ? &options->offscreen
                 : option.kind == kOptFullScreen ? &options->fullScreen
                 : option.kind == kOptListGpus  ? &options->listGpus
                 : option.kind == kOptIconic    ? &options->iconic
                 : option.kind == kOptHud       ? &options->hud
                 : option.kind == kOptNoGamepad ? &options->noGamepad
                 : option.kind == kOptDirect    ? &options->direct
                 : option.kind == kOptIndirect  ? &options->indirect
                                                : nullptr;
    bool repeatable = option.kind == kOptHelp || option.kind == kOptVersion || option.kind == kOptListGpus ||
                      option.kind == kOptGlutFlag || option.kind == kOptIconic;
    if (flag != nullptr && *flag && !repeatable) {
        snprintf(message, messageSize, "brinewings: %s given twice", option.name);
        return false;
    }
    if (flag != nullptr)
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
    else if (options.direct && options.indirect)
        refusal = "-direct and -indirect cannot both be given";
    // A full-screen window takes the screen's size, so a size asked for would not be kept.
    else if (options.fullScreen && options.width != 0)
        refusal = "--fullscreen cannot go with a window size (--size, -s or -geometry WxH)";
    else if (options.windowSystem != kWindowSystemAny && options.offscreen)
        refusal = "--platform chooses a window: it cannot go with --offscreen";
    else if (options.windowSystem == kWindowSystemWayland && options.display != nullptr)
        refusal = "-display names an X display: it cannot go with --platform wayland";
    else if (options.fullScreen && options.offscreen)
        refusal = "--fullscreen cannot go with --offscreen, which has no window";
    // A minimised window draws no frame, and a scripted run waits for each of its frames.
    else if (options.iconic && anyRunOption(options))
        refusal = "-iconic cannot go with --replay, --record, --benchmark, --screenshot, --offscreen or --tick-rate";
    if (refusal != nullptr)
        snprintf(message, messageSize, "brinewings: %s", refusal);
    return refusal == nullptr;
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
        if (optionsEnded) {
            snprintf(message, messageSize, "brinewings: unexpected argument '%s' (try --help)", shownPath(argument));
            return false;
        }
        // Only long options carry their value after '='.
        const char* equals = strncmp(argument, "--", 2) == 0 ? strchr(argument, '=') : nullptr;
        size_t nameLength = equals != nullptr ? (size_t)(equals - argument) : strlen(argument);
        const OptionName* option = findOption(argument, nameLength);
        if (option == nullptr) {
            std::string name(argument, nameLength);
            snprintf(message, messageSize,
                     argument[0] == '-' && argument[1] != '\0' ? "brinewings: unknown option '%s' (try --help)"
                                                               : "brinewings: unexpected argument '%s' (try --help)",
                     shownPath(name.c_str()));
            return false;
        }
        if (equals != nullptr && !option->takesValue) {
            snprintf(message, messageSize, "brinewings: %s takes no value", option->name);
            return false;
        }
        if (!option->takesValue) {
            if (!takeFlag(*option, options, message, messageSize))
                return false;
            continue;
        }
        // A value is never the next option: "--record --replay x" lacks the record's file. A
        // geometry may start with an offset from the right edge: "-geometry -10-10".
        bool next = i + 1 < argc && (argv[i + 1][0] != '-' || (option->kind == kOptGeometry && argv[i + 1][1] != '\0' &&
                                                                 strchr("0123456789", argv[i + 1][1]) != nullptr));
        const char* value = equals != nullptr ? equals + 1 : next ? argv[++i] : "";
        if (value[0] == '\0') {
            snprintf(message, messageSize, "brinewings: %s needs a value", option->name);
            return false;
        }
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
          "                          (may be repeated)\n"
          "  -s, --size WxH          open the window W x H pixels (64 to 16384 each)\n"
          "  --fullscreen            start in full screen\n"
          "  --offscreen             draw without a window (with --replay or --benchmark)\n"
          "  --gpu N|surfaceless     with --offscreen: draw on EGL device N, or through\n"
          "                          EGL's surfaceless platform (default: device 0, else\n"
          "                          the surfaceless platform)\n"
          "  --list-gpus             name the EGL devices found and exit\n"
          "  --tick-rate HZ          fly HZ ticks a second by the clock (1 to 10000), drawing\n"
          "                          at most one frame a tick (default: one tick a frame)\n"
          "  --hud                   show speed, altitude, heading, tick and frame rate\n"
          "  --no-gamepad            do not read gamepads\n"
          "  --platform x11|wayland  open the window on X11 (freeglut) or Wayland (default:\n"
          "                          X11 where DISPLAY is set, else Wayland where there is\n"
          "                          a Wayland display)\n"
          "  --data-dir DIR          read the data files from DIR; files named on the command\n"
          "                          line stay relative to the folder started in\n"
          "  --                      end of the options (the program takes no arguments)\n"
          "A long option's value may follow '=' (--record=FILE); a file whose name starts\n"
          "with '-' is given so, or as ./-FILE. Outputs are checked before the window opens.\n"
          "--fullscreen takes no size; -iconic takes no --replay, --record, --benchmark,\n"
          "--screenshot or --offscreen. A window needs an X display (DISPLAY or -display)\n"
          "or a Wayland one (WAYLAND_DISPLAY, or wayland-0 in XDG_RUNTIME_DIR).\n"
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
    if (dataDir != nullptr)
        fprintf(out, "\nThis command reads its data files from:\n  %s\n", dataDir);
}
