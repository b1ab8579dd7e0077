// window_state_x11.h -- what the X server says of the program's window: events waiting, full-screen state, size
#pragma once

typedef struct _XDisplay Display;

// Returns once an event waits on display's connection, or after waitNs nanoseconds, or when a
// signal arrives, whichever comes first. Returns at once when events already wait.
void waitForDisplayEvent(Display* display, long long waitNs);

// True when the window manager has put window into the full-screen state (fullScreen) or taken
// it out of it (!fullScreen), as _NET_WM_STATE says. *width and *height are then the window's
// size as the X server has it.
bool windowStateIs(Display* display, unsigned long window, bool fullScreen, int* width, int* height);

// True when window is mapped and all its ancestors are: on screen, unless covered.
bool windowViewable(Display* display, unsigned long window);

// From now on an X error does not end the process, as Xlib's own handler would: an error on a
// window or drawable that is gone (another client destroyed it), GLX's own among them, calls gone, any other is
// written as one line on standard error and the run goes on.
void catchXErrors(Display* display, void (*gone)());
