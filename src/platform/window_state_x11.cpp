// window_state_x11.cpp -- what the X server says of the program's window: events waiting, full-screen state, size
#include "platform/window_state_x11.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <climits>
#include <cstdio>

static const long kStateAtomSlots = 64;  // _NET_WM_STATE atoms looked at

void waitForDisplayEvent(Display* display, long long waitNs)
{
    if (display == nullptr || waitNs <= 0 || XPending(display) > 0)
        return;
    // Rounded up, so a wait of a few microseconds does not turn into a spin.
    long long ms = (waitNs + 999999) / 1000000;
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, ms > INT_MAX ? INT_MAX : (int)ms);
}

static bool inFullScreenState(Display* display, Window window)
{
    Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, state, 0, kStateAtomSlots, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr && format == 32) {
        const Atom* atoms = (const Atom*)data;
        for (unsigned long i = 0; i < count; i++)
            found = found || atoms[i] == fullScreen;
    }
    if (data != nullptr)
        XFree(data);
    return found;
}

bool windowStateIs(Display* display, unsigned long window, bool fullScreen, int* width, int* height)
{
    if (display == nullptr || inFullScreenState(display, window) != fullScreen)
        return false;
    Window root = None;
    int x = 0, y = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    if (XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth) == 0)
        return false;
    *width = (int)w;
    *height = (int)h;
    return true;
}

bool windowViewable(Display* display, unsigned long window)
{
    XWindowAttributes attributes;
    return display != nullptr && XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

static void (*windowGone)() = nullptr;

static int glxErrorBase = -1;  // GLX's first error code on the display; -1 without GLX

// GLX's own errors that say the window or drawable is gone: GLXBadDrawable, GLXBadCurrentWindow,
// GLXBadCurrentDrawable and GLXBadWindow, from its first error code.
static const int kGlxGoneErrors[] = {2, 5, 11, 12};

static bool windowIsGone(int code)
{
    if (code == BadWindow || code == BadDrawable)
        return true;
    for (int offset : kGlxGoneErrors) {
        if (glxErrorBase >= 0 && code == glxErrorBase + offset)
            return true;
    }
    return false;
}

static int noteXError(Display* display, XErrorEvent* error)
{
    if (windowIsGone(error->error_code)) {
        windowGone();
        return 0;
    }
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    fprintf(stderr, "brinewings: X error ignored: %s (request %d)\n", text, (int)error->request_code);
    return 0;
}

void catchXErrors(Display* display, void (*gone)())
{
    int opcode = 0, event = 0, error = 0;
    if (display != nullptr && XQueryExtension(display, "GLX", &opcode, &event, &error))
        glxErrorBase = error;
    windowGone = gone;
    XSetErrorHandler(noteXError);
}
