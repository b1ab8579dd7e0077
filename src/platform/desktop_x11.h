// desktop_x11.h -- shows the program's window to the desktop: named, with its icon, sized to the screen
#pragma once

typedef struct _XDisplay Display;

// Call once, right after the window is created. freeglut maps the window at once, before it
// can be named, so this withdraws it, waits (at most 0.2 s) for a window manager to let go of
// it, sets WM_CLASS ("brinewings", matching the desktop entry's StartupWMClass),
// WM_CLIENT_MACHINE, _NET_WM_PID and _NET_WM_ICON, and maps it again: window managers and task
// bars then see the class and icon when they first take the window on. With fit, when the work
// area (_NET_WORKAREA, else the screen) has no room for kWindowSide x kWindowSide with the window
// manager's frame, the window is made the largest square that fits (a new size follows); without,
// its size is left as created. An X error on the way is ignored rather than ending the process.
// Does nothing without a display or window.
void presentWindowToDesktop(Display* display, unsigned long window, bool fit);

// True when a window manager runs that honours full-screen requests (_NET_WM_STATE_FULLSCREEN
// in its _NET_SUPPORTED): a toggle then changes the window's size.
bool windowManagerDoesFullScreen(Display* display);
