// window_options.cpp -- freeglut's own options on the command line, checked for the window
// backend and left in argv for freeglut
#include "platform/window_options.h"

#include "common/decimal.h"
#include "common/shown_path.h"

#include <cstdio>
#include <cstring>

static const int kGeometryChars = 64;         // longest size part of a -geometry value read
static const int kMaxGeometryOffset = 32767;  // pixels: X window positions are 16-bit

bool readWindowSize(const char* value, int* width, int* height)
{
    long long sides[2] = {0, 0};
    const char* p = value;
    for (int side = 0; side < 2; side++) {
        const char* end = nullptr;
        if (readDecimal(p, kMinWindowSide, kMaxWindowSide, &sides[side], &end) != kDecimalRead ||
            *end != (side == 0 ? 'x' : '\0'))
            return false;
        p = end + 1;
    }
    *width = (int)sides[0];
    *height = (int)sides[1];
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
        if (!readWindowSize(size, width, height))
            return false;
    }
    if (*offsets == '\0')
        return sizeChars > 0;
    for (int axis = 0; axis < 2; axis++) {
        // The sign is the offset's edge; digits follow it.
        if ((*offsets != '+' && *offsets != '-') || offsets[1] < '0' || offsets[1] > '9')
            return false;
        long long offset = 0;
        if (readDecimal(offsets + 1, 0, kMaxGeometryOffset, &offset, &offsets) != kDecimalRead)
            return false;
    }
    return *offsets == '\0';
}

WindowOptionRead readWindowOption(int argc, char** argv, int* i, WindowOptions* options, int* width, int* height,
                                  char* message, size_t messageSize)
{
    const char* name = argv[*i];
    bool* flag = strcmp(name, "-iconic") == 0     ? &options->iconic
                 : strcmp(name, "-direct") == 0   ? &options->direct
                 : strcmp(name, "-indirect") == 0 ? &options->indirect
                                                  : nullptr;
    if (flag != nullptr) {
        // -iconic may be repeated, as freeglut allows; the others are refused twice.
        if (*flag && flag != &options->iconic) {
            snprintf(message, messageSize, "brinewings: %s given twice", name);
            return kWindowOptionRefused;
        }
        *flag = true;
        return kWindowOptionTaken;
    }
    if (strcmp(name, "-gldebug") == 0 || strcmp(name, "-sync") == 0)
        return kWindowOptionTaken;
    bool geometry = strcmp(name, "-geometry") == 0;
    if (!geometry && strcmp(name, "-display") != 0)
        return kNotWindowOption;
    // A value is never the next option, but a geometry may start with an offset from the right
    // edge: "-geometry -10-10".
    const char* next = *i + 1 < argc ? argv[*i + 1] : "";
    bool offsetFirst = geometry && next[0] == '-' && next[1] >= '0' && next[1] <= '9';
    if (next[0] == '\0' || (next[0] == '-' && !offsetFirst)) {
        snprintf(message, messageSize, "brinewings: %s needs a value", name);
        return kWindowOptionRefused;
    }
    ++*i;
    if (!geometry) {
        options->display = next;  // freeglut opens it; the display check tries it first
        return kWindowOptionTaken;
    }
    bool sizeGiven = strcspn(next + (next[0] == '='), "+-") > 0;
    if (sizeGiven && *width != 0) {
        snprintf(message, messageSize, "brinewings: %s", kWindowSizeTwice);
        return kWindowOptionRefused;
    }
    int w = 0, h = 0;
    if (!readGeometry(next, &w, &h)) {
        snprintf(message, messageSize,
                 "brinewings: %s '%s': expected WxH, WxH+X+Y, WxH-X-Y, +X+Y or -X-Y, each side from %d to %d", name,
                 shownPath(next), kMinWindowSide, kMaxWindowSide);
        return kWindowOptionRefused;
    }
    if (sizeGiven) {
        *width = w;
        *height = h;
    }
    return kWindowOptionTaken;
}

bool checkWindowOptions(const WindowOptions& options, char* message, size_t messageSize)
{
    if (options.direct && options.indirect) {
        snprintf(message, messageSize, "brinewings: -direct and -indirect cannot both be given");
        return false;
    }
    return true;
}
