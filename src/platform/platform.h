// platform.h -- everything the program asks of a window system: a surface to draw on, the
// user's input as flight events, the end of each frame
#pragma once

#include "flight/flight_input.h"
#include "platform/offscreen_gpu.h"

// The surface a run draws on.
struct SurfaceRequest {
    int width = 0;            // pixels; 0: the default square (a window fits it to a short screen)
    int height = 0;
    bool fullScreen = false;  // a window that starts full screen
    int gpu = kGpuDefault;    // off-screen: which EGL device draws
    int* argc = nullptr;      // the command line, for the window system's own options
    char** argv = nullptr;
};

// What a platform tells the run while it polls its events. Set before open.
struct PlatformHooks {
    void (*input)(FlightAction action, int a, int b);  // a key, special key or pointer event
    void (*resize)(int width, int height);            // a new surface size; the first comes before any frame
    void (*close)();                                  // the user closed the window: does not return
};

// One window system. The run holds the one it was started with and reaches the window system
// only through it.
struct Platform {
    // True where the user's input can arrive (a window), false where none can (off-screen).
    bool takesInput;
    // True when the surface can be made: the window's X display (freeglut's -display, else
    // DISPLAY) answers. Otherwise one line on standard error says why. Call before open.
    bool (*available)(const char* display);
    // Makes the surface and makes its OpenGL context current. Returns false after one line on
    // standard error when it cannot; nothing has been drawn then.
    bool (*open)(const SurfaceRequest& request, const PlatformHooks& hooks);
    // Hands every pending event to the hooks and returns at once.
    void (*pollEvents)();
    // True while the surface is on screen, so a frame drawn now is seen (and can be read back).
    bool (*surfaceShown)();
    // Ends a frame: swaps it onto the screen, or waits until it is drawn.
    void (*endFrame)();
    // Toggles full screen; true when a new size will follow (a window manager that honours it).
    bool (*toggleFullScreen)();
    // Sets the swap interval to 0 where the driver allows it; *set tells whether it did. Returns
    // a phrase that says what happened, for the benchmark's report.
    const char* (*setSwapIntervalZero)(bool* set);
    // The renderer's name, as the driver gives it.
    const char* (*rendererName)();
};

// freeglut's window on the X display, with the desktop's identity (platform/desktop_x11.h).
const Platform& windowPlatform();

// No window and no X server: EGL's device platform, else its surfaceless one, drawing into a
// pbuffer (platform/offscreen_platform_gl.cpp).
const Platform& offscreenPlatform();

// Writes one line per EGL device found, and whether the surfaceless platform is offered, to
// standard output. Returns false when EGL offers neither.
bool listGpus();
