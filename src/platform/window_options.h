// window_options.h -- freeglut's own options on the command line, checked for the window
// backend and left in argv for freeglut
#pragma once

#include <cstddef>

inline constexpr int kMinWindowSide = 64;     // pixels: bounds of each side of a window's size
inline constexpr int kMaxWindowSide = 16384;

// What freeglut's options asked for. The size of -geometry goes where --size's does.
struct WindowOptions {
    const char* display = nullptr;  // -display DISPLAY; points into argv
    bool iconic = false;            // -iconic: the window starts minimised
    bool direct = false;            // -direct
    bool indirect = false;          // -indirect
};

enum WindowOptionRead {
    kNotWindowOption,      // argv[*i] is none of freeglut's options
    kWindowOptionTaken,    // read into the options, *i at its last argument
    kWindowOptionRefused,  // the message says why
};

// Reads argv[*i] when it is one of freeglut's options: -display DISPLAY, -geometry WxH+X+Y,
// -iconic, -direct, -indirect, -gldebug, -sync (-direct and -indirect refused when repeated).
// A value is the next argument (*i moves past it), which never starts with '-', except
// -geometry's, whose offsets may ("-geometry -10-10"). -geometry's size, when given, is stored in
// *width and *height, and refused when they hold a size already (*width not 0). Refusals write
// one line without a line end into message: a missing or bad value, a size given twice.
WindowOptionRead readWindowOption(int argc, char** argv, int* i, WindowOptions* options, int* width, int* height,
                                  char* message, size_t messageSize);

// False with one line in message when the options cannot go together: -direct with -indirect.
bool checkWindowOptions(const WindowOptions& options, char* message, size_t messageSize);

// WxH with each side a decimal kMinWindowSide..kMaxWindowSide.
bool readWindowSize(const char* value, int* width, int* height);

// The refusal of a second size, from --size, -s or -geometry.
inline constexpr const char* kWindowSizeTwice = "the window size is given twice (--size, -s or -geometry)";
