// window_identity_gl.h -- shows the program's window to the desktop: named, with its icon, sized to the screen
#pragma once

// Call once, right after glutCreateWindow. freeglut maps the window at once, before it can be
// named, so this withdraws it, waits (at most 0.2 s) for a window manager to let go of it,
// sets WM_CLASS ("brinewings", matching the desktop entry's StartupWMClass),
// WM_CLIENT_MACHINE, _NET_WM_PID and _NET_WM_ICON, and maps it again: window managers and
// task bars then see the class and icon when they first take the window on. With fit, when
// the work area (_NET_WORKAREA, else the screen) has no room for kWindowSide x kWindowSide
// with the window manager's frame, the window is made the largest square that fits (the
// reshape callback follows); without, its size is left as created. Works through Xlib on the window's own display; an X error on the way
// is ignored rather than ending the process. Draws nothing, changes no OpenGL state, and
// does nothing when no GLX context is current.
void presentWindowToDesktop(bool fit);
