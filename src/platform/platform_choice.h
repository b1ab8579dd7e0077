// platform_choice.h -- which window system a window run opens its window on
#pragma once

enum WindowSystem {
    kWindowSystemAny,      // not asked for: chosen from the environment
    kWindowSystemX11,      // freeglut's window on the X display
    kWindowSystemWayland,  // the program's own window on the Wayland display
};

// --platform's value: "x11" or "wayland". False for anything else, *system untouched.
bool readWindowSystem(const char* name, WindowSystem* system);

// What the environment says of the displays, as chooseWindowSystem reads it.
struct DisplayEnvironment {
    const char* display = nullptr;         // DISPLAY; nullptr or empty when not set
    const char* waylandDisplay = nullptr;  // WAYLAND_DISPLAY; nullptr or empty when not set
    bool waylandSocket = false;            // XDG_RUNTIME_DIR holds wayland-0, the default socket
    bool displayOption = false;            // freeglut's -display was given: it names an X display
};

// The process's own environment: DISPLAY, WAYLAND_DISPLAY and whether $XDG_RUNTIME_DIR/wayland-0
// exists.
DisplayEnvironment readDisplayEnvironment();

// The window system asked for, else X11 where an X display is named (DISPLAY or -display), as
// always; else Wayland where a Wayland display is (WAYLAND_DISPLAY, or the default socket); else
// X11, whose check then says in one line that there is no display. Never kWindowSystemAny.
WindowSystem chooseWindowSystem(WindowSystem asked, const DisplayEnvironment& environment);
