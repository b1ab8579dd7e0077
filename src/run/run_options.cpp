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

bool parseRunOptions(int argc, char** argv, RunOptions* options, char* message, size_t messageSize)
{
    for (int i = 1; i < argc; i++) {
        bool missing = false;
        const char* value;
        const char** slot = nullptr;
        const char* name = nullptr;
        if (strcmp(argv[i], "--benchmark") == 0) {
            if (options->benchmark) {
                snprintf(message, messageSize, "brinewings: --benchmark given twice");
                return false;
            }
            options->benchmark = true;
            continue;
        }
        if ((value = optionValue(argc, argv, &i, "--replay", &missing)) != nullptr || missing) {
            slot = &options->replayFile;
            name = "--replay";
        } else if ((value = optionValue(argc, argv, &i, "--record", &missing)) != nullptr || missing) {
            slot = &options->recordFile;
            name = "--record";
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
           options.screenshotCount > 0;
}
