// platform.h -- everything the program asks of a window system: a surface to draw on, the
// user's input as flight events, the end of each frame
#pragma once

#include "flight/flight_input.h"

// The surface a run draws on.
struct SurfaceRequest {
    int width = 0;            // pixels; 0: the default square (a window fits it to a short screen)
    int height = 0;
    bool fullScreen = false;  // a window that starts full screen
    int* argc = nullptr;      // the command line, for the backend's own options (freeglut's)
    char** argv = nullptr;
};

// What a platform tells the run while it polls its events. Set before open. Each only notes
// what happened and returns; the run acts on it once pollEvents has returned.
struct PlatformHooks {
    void (*input)(FlightAction action, int a, int b);  // a key, special key or pointer event
    void (*resize)(int width, int height);            // a new surface size; the first comes before any frame
    void (*close)();                                  // the user closed the window
};

// One window system. The run holds the one it was started with and reaches the window system
// only through it. Each backend fills its table by name.
struct Platform {
    // What the platform is, as messages name it: "window", "off-screen".
    const char* name = nullptr;
    // True where the user's input can arrive (a window), false where none can (off-screen).
    bool takesInput = false;
    // True when the surface can be made (the window's display answers). Otherwise one line on
    // standard error says why. Call before open, with the request open will get.
    bool (*available)(const SurfaceRequest& request) = nullptr;
    // Makes the surface and makes its OpenGL context current. Returns false after one line on
    // standard error when it cannot; nothing has been drawn then.
    bool (*open)(const SurfaceRequest& request, const PlatformHooks& hooks) = nullptr;
    // Hands every pending event to the hooks. With none pending, waits for one at most waitNs
    // nanoseconds (0: returns at once); a signal ends the wait early.
    void (*pollEvents)(long long waitNs) = nullptr;
    // True while the surface is on screen, so a frame drawn now is seen (and can be read back).
    bool (*surfaceShown)() = nullptr;
    // Ends a frame: swaps it onto the screen, or waits until it is drawn.
    void (*endFrame)() = nullptr;
    // Asks for full screen on or off; true when the window system will answer (a window manager
    // that honours it), so that fullScreenSettled tells when it has.
    bool (*toggleFullScreen)() = nullptr;
    // True once the window system has answered the last toggle: the window is in the state
    // asked for, at the size that state gives it, and that size has reached the resize hook.
    bool (*fullScreenSettled)() = nullptr;
    // Sets the swap interval to 0 where the driver allows it; *set tells whether it did. Returns
    // a phrase that says what happened, for the benchmark's report.
    const char* (*setSwapIntervalZero)(bool* set) = nullptr;
};

// freeglut's window on the X display, with the desktop's identity (platform/desktop_x11.h).
const Platform& windowPlatform();

// No window and no X server: EGL's device platform, else its surfaceless one, drawing into a
// pbuffer (platform/offscreen_gpu.h chooses the device).
const Platform& offscreenPlatform();
