// desktop_x11.h -- shows the program's window to the desktop: named, with its icon, sized to the screen
#pragma once

typedef struct _XDisplay Display;

// Notes the value of freeglut's -geometry option in argv, if any; call before glutInit, which
// takes it out. freeglut places a window by its offsets from the right or bottom edge (-X, -Y)
// with the size of the -geometry value alone, 0 when it has none, and before the default square
// is fitted to the screen: presentWindowToDesktop places it again, by its real size.
void noteGeometryOption(int argc, char** argv);

// Call once, right after the window is created. freeglut maps the window at once, before it
// can be named, so this withdraws it, waits (at most 0.2 s) for a window manager to let go of
// it, sets WM_CLASS ("brinewings", matching the desktop entry's StartupWMClass),
// WM_CLIENT_MACHINE, _NET_WM_PID and _NET_WM_ICON, and maps it again: window managers and task
// bars then see the class and icon when they first take the window on. With fit, when the work
// area (_NET_WORKAREA, else the screen) has no room for kWindowSide x kWindowSide with the window
// manager's frame, the window is made the largest square that fits (a new size follows); without,
// its size is left as created. A -geometry offset from the right or bottom edge (noted by
// noteGeometryOption) then puts the window's far edge that far from the screen's far edge, with
// the window's real size and its border, and asks the window manager for the matching gravity
// (SouthEast for "-X-Y"), so that one puts its frame's far edge there: X's own convention
// (XWMGeometry). An X error on the way is ignored rather than ending the process.
// Does nothing without a display or window.
void presentWindowToDesktop(Display* display, unsigned long window, bool fit);

// True when a window manager runs that honours full-screen requests (_NET_WM_STATE_FULLSCREEN
// in its _NET_SUPPORTED): a toggle then changes the window's size.
bool windowManagerDoesFullScreen(Display* display);
