// window_identity.h -- names the program's window to the desktop (class, process, icon)
#pragma once

// Sets WM_CLASS ("brinewings", matching the desktop entry's StartupWMClass), WM_CLIENT_MACHINE,
// _NET_WM_PID and _NET_WM_ICON on the current GLUT window, through Xlib on the window's own
// display, so docks and task bars match it to its desktop entry and show its icon. Call it
// once after the window is created; it draws nothing and changes no OpenGL state. Does
// nothing when no GLX context is current.
void nameWindowToDesktop();
