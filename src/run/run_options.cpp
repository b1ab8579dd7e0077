// run_options.cpp -- reads the scripted-flight options from the command line
#include "run/run_options.h"

#include "flight/flight_file.h"

#include <cstdio>
#include <cstring>

// The value of option name at argv[*index]: after '=' in the same argument, or the next
// argument (then *index moves past it). Null when the argument is not this option or the value
// is missing; *missing tells the two apart.
static const char* optionValue(int argc, char** argv, int* index, const char* name, bool* missing)
{
    const char* argument = argv[*index];
    size_t length = strlen(name);
    if (strncmp(argument, name, length) != 0)
        return nullptr;
    if (argument[length] == '=') {
        *missing = argument[length + 1] == '\0';
        return *missing ? nullptr : argument + length + 1;
    }
    if (argument[length] != '\0')
        return nullptr;
    if (*index + 1 >= argc || argv[*index + 1][0] == '\0') {
        *missing = true;
        return nullptr;
    }
    *index += 1;
    return argv[*index];
}

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

bool parseRunOptions(int argc, char** argv, RunOptions* options, char* message, size_t messageSize)
{
    for (int i = 1; i < argc; i++) {
        bool missing = false;
        const char* value;
        const char** slot = nullptr;
        const char* name = nullptr;
        struct Flag { const char* name; bool* set; } flags[] = {
            {"--benchmark", &options->benchmark},
            {"--offscreen", &options->offscreen},
            {"--fullscreen", &options->fullScreen},
        };
        bool flag = false;
        for (const Flag& f : flags) {
            if (strcmp(argv[i], f.name) != 0)
                continue;
            if (*f.set) {
                snprintf(message, messageSize, "brinewings: %s given twice", f.name);
                return false;
            }
            *f.set = flag = true;
        }
        if (flag)
            continue;
        if ((value = optionValue(argc, argv, &i, "--size", &missing)) != nullptr || missing) {
            if (options->width != 0) {
                snprintf(message, messageSize, "brinewings: --size given twice");
                return false;
            }
            if (missing || !readSize(value, &options->width, &options->height)) {
                snprintf(message, messageSize, "brinewings: --size '%s': expected WxH, each side from %d to %d",
                         missing ? "" : value, kMinWindowSide, kMaxWindowSide);
                return false;
            }
            continue;
        }
        if ((value = optionValue(argc, argv, &i, "--replay", &missing)) != nullptr || missing) {
            slot = &options->replayFile;
            name = "--replay";
        } else if ((value = optionValue(argc, argv, &i, "--record", &missing)) != nullptr || missing) {
            slot = &options->recordFile;
            name = "--record";
        } else if ((value = optionValue(argc, argv, &i, "--results", &missing)) != nullptr || missing) {
            slot = &options->resultsFile;
            name = "--results";
        } else if ((value = optionValue(argc, argv, &i, "--screenshot", &missing)) != nullptr || missing) {
            name = "--screenshot";
        } else {
            continue;
        }
        if (missing) {
            snprintf(message, messageSize, "brinewings: %s needs a value", name);
            return false;
        }
        if (slot != nullptr) {
            if (*slot != nullptr) {
                snprintf(message, messageSize, "brinewings: %s given twice", name);
                return false;
            }
            *slot = value;
            continue;
        }
        if (options->screenshotCount == kScreenshotSlots) {
            snprintf(message, messageSize, "brinewings: more than %d --screenshot options", kScreenshotSlots);
            return false;
        }
        if (!readScreenshot(value, &options->screenshots[options->screenshotCount])) {
            snprintf(message, messageSize,
                     "brinewings: --screenshot '%s': expected TICK:FILE, TICK from 0 to %d", value,
                     kFlightMaxTick);
            return false;
        }
        options->screenshotCount++;
    }
    return true;
}

bool anyRunOption(const RunOptions& options)
{
    return options.replayFile != nullptr || options.recordFile != nullptr || options.benchmark ||
           options.screenshotCount > 0 || options.resultsFile != nullptr || options.offscreen;
}
