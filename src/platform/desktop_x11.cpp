// desktop_x11.cpp -- shows the program's window to the desktop: named, with its icon, sized to
// the screen
#include "platform/desktop_x11.h"

#include "common/window_size.h"
#include "os/os.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

// kWindowIcon: the same pictures as the installed icon, generated at build time.
#include "brinewings_window_icon.inc"

static const int kWaitPolls = 40;              // polls for the window manager's answers
static const long kWaitPollNanoseconds = 5000000;  // 5 ms a poll: at most 0.2 s a wait
static const int kSmallestSide = 64;           // pixels; a window never fitted below this
static const int kFrameSides = 4;              // _NET_FRAME_EXTENTS: left, right, top, bottom
static const int kAreaFields = 4;              // _NET_WORKAREA per desktop: x, y, width, height
static const int kSupportedAtoms = 1024;      // _NET_SUPPORTED entries looked at
static const int kGeometryChars = 128;         // longest -geometry value kept; longer ones are ignored

static char geometry[kGeometryChars];          // freeglut's -geometry value, empty when none

// Xlib's default handler ends the process on any X error. Naming the window is cosmetic, so
// errors of these requests are only noted, and the flight goes on.
static bool xErrorSeen = false;

static int noteXError(Display*, XErrorEvent*)
{
    xErrorSeen = true;
    return 0;
}

static void waitAPoll()
{
    osSleepUntilNs(osMonotonicNs() + kWaitPollNanoseconds);
}

// Reads up to count values of a format-32 property of the given type (CARDINAL, ATOM), from the
// offset'th on; returns how many. Format-32 properties arrive as longs in Xlib, whatever their
// width on this machine.
static int readLongs(Display* display, Window window, const char* name, Atom wanted, long offset, long* values,
                     int count)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), offset, count, False,
                           wanted, &type, &format, &items, &after, &data) != Success)
        return 0;
    int read = 0;
    if (data != nullptr && type == wanted && format == 32) {
        for (; read < (int)items && read < count; read++)
            values[read] = reinterpret_cast<const long*>(data)[read];
    }
    if (data != nullptr)
        XFree(data);
    return read;
}

static int readCardinals(Display* display, Window window, const char* name, long offset, long* values, int count)
{
    return readLongs(display, window, name, XA_CARDINAL, offset, values, count);
}

static bool hasProperty(Display* display, Window window, const char* name)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, AnyPropertyType,
                       &type, &format, &items, &after, &data);
    if (data != nullptr)
        XFree(data);
    return type != None;
}

// True while a window manager holds the window (its WM_STATE is Normal or Iconic).
static bool managed(Display* display, Window window)
{
    Atom wmState = XInternAtom(display, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    bool held = false;
    if (XGetWindowProperty(display, window, wmState, 0, 1, False, wmState, &type, &format, &items,
                           &after, &data) == Success && data != nullptr) {
        held = items == 1 && format == 32 && reinterpret_cast<const long*>(data)[0] != WithdrawnState;
        XFree(data);
    }
    return held;
}

static void setIdentity(Display* display, Window window)
{
    char name[] = "brinewings";
    XClassHint classHint;
    classHint.res_name = name;
    classHint.res_class = name;
    XSetClassHint(display, window, &classHint);

    // _NET_WM_PID means something only beside the host it belongs to.
    char host[HOST_NAME_MAX + 1] = {0};
    if (osHostName(host, sizeof host)) {
        XChangeProperty(display, window, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<unsigned char*>(host), (int)strnlen(host, sizeof host));
    }
    long pid = osProcessId();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);

    const size_t count = sizeof kWindowIcon / sizeof kWindowIcon[0];
    std::vector<unsigned long> icon(kWindowIcon, kWindowIcon + count);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(icon.data()), (int)icon.size());
}

// The frame a window manager will put around the window (left, right, top, bottom), asked
// for before mapping; all zero without a window manager or an answer.
static void frameExtents(Display* display, Window window, Window root, long frame[kFrameSides])
{
    std::fill(frame, frame + kFrameSides, 0L);
    if (!hasProperty(display, root, "_NET_SUPPORTING_WM_CHECK"))
        return;  // no window manager, no frame
    // A value left from the manager's first hold of the window is stale: ask afresh.
    XDeleteProperty(display, window, XInternAtom(display, "_NET_FRAME_EXTENTS", False));
    XEvent request = {};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XSync(display, False);
    for (int i = 0; i < kWaitPolls; i++) {
        if (readCardinals(display, window, "_NET_FRAME_EXTENTS", 0, frame, kFrameSides) == kFrameSides)
            return;
        waitAPoll();
    }
    std::fill(frame, frame + kFrameSides, 0L);
}

// The area windows may take: the current desktop's _NET_WORKAREA (screen minus panels),
// else the whole screen.
static void workArea(Display* display, Window root, const XWindowAttributes& attributes, long* width, long* height)
{
    *width = WidthOfScreen(attributes.screen);
    *height = HeightOfScreen(attributes.screen);
    long desktop = 0;
    readCardinals(display, root, "_NET_CURRENT_DESKTOP", 0, &desktop, 1);
    long area[kAreaFields] = {0};
    if (desktop >= 0 && desktop < INT_MAX / kAreaFields &&
        readCardinals(display, root, "_NET_WORKAREA", desktop * kAreaFields, area, kAreaFields) == kAreaFields &&
        area[2] > 0 && area[3] > 0) {
        *width = area[2];
        *height = area[3];
    }
}

// Shrinks the window to the largest square that fits the work area with its frame, when the
// requested side does not; a larger area changes nothing. Returns the side given, or 0.
static int fitToWorkArea(Display* display, Window window, Window root, const XWindowAttributes& attributes)
{
    long frame[kFrameSides];
    frameExtents(display, window, root, frame);
    long width = 0, height = 0;
    workArea(display, root, attributes, &width, &height);
    long room = std::min(width - frame[0] - frame[1], height - frame[2] - frame[3]);
    if (room >= kWindowSide)
        return 0;
    int side = (int)std::max(room, (long)kSmallestSide);
    XResizeWindow(display, window, (unsigned)side, (unsigned)side);
    XSizeHints* hints = XAllocSizeHints();
    long supplied = 0;
    if (hints != nullptr && XGetWMNormalHints(display, window, hints, &supplied)) {
        hints->width = side;
        hints->height = side;
        XSetWMNormalHints(display, window, hints);
    }
    if (hints != nullptr)
        XFree(hints);
    return side;
}

// Places the window by a -geometry offset from the right or bottom edge, with its real size:
// width x height, inside the border it was created with.
static void placeFromFarEdges(Display* display, Window window, const XWindowAttributes& attributes, int width,
                              int height)
{
    int x = 0, y = 0;
    unsigned int parsedWidth = 0, parsedHeight = 0;
    int mask = XParseGeometry(geometry, &x, &y, &parsedWidth, &parsedHeight);
    if ((mask & (XValue | YValue)) != (XValue | YValue) || (mask & (XNegative | YNegative)) == 0)
        return;  // freeglut has placed it from the near edges
    int outerWidth = width + 2 * attributes.border_width;
    int outerHeight = height + 2 * attributes.border_width;
    if ((mask & XNegative) != 0)
        x += WidthOfScreen(attributes.screen) - outerWidth;
    if ((mask & YNegative) != 0)
        y += HeightOfScreen(attributes.screen) - outerHeight;
    XSizeHints* hints = XAllocSizeHints();
    long supplied = 0;
    if (hints != nullptr) {
        if (!XGetWMNormalHints(display, window, hints, &supplied))
            hints->flags = 0;
        hints->flags |= USPosition | PWinGravity;
        hints->x = x;
        hints->y = y;
        hints->win_gravity = (mask & XNegative) == 0   ? SouthWestGravity
                             : (mask & YNegative) == 0 ? NorthEastGravity
                                                       : SouthEastGravity;
        XSetWMNormalHints(display, window, hints);
        XFree(hints);
    }
    XMoveWindow(display, window, x, y);
}

void noteGeometryOption(int argc, char** argv)
{
    geometry[0] = '\0';
    for (int i = 1; i + 1 < argc; i++) {
        if (strcmp(argv[i], "-geometry") == 0 && strlen(argv[i + 1]) < sizeof geometry)
            snprintf(geometry, sizeof geometry, "%s", argv[i + 1]);
    }
}

void presentWindowToDesktop(Display* display, unsigned long window, bool fit)
{
    if (display == nullptr || window == 0)
        return;
    XSync(display, False);
    XErrorHandler previous = XSetErrorHandler(noteXError);

    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) != 0) {
        // Window managers read the class and size when they take a window on, and freeglut
        // maps it before it can be named: withdraw it, wait until the manager lets go, name
        // and size it, and map it again.
        XWithdrawWindow(display, window, XScreenNumberOfScreen(attributes.screen));
        XSync(display, False);
        for (int i = 0; i < kWaitPolls && managed(display, window); i++)
            waitAPoll();
        setIdentity(display, window);
        int side = fit ? fitToWorkArea(display, window, attributes.root, attributes) : 0;
        if (geometry[0] != '\0')
            placeFromFarEdges(display, window, attributes, side > 0 ? side : attributes.width,
                              side > 0 ? side : attributes.height);
        XMapWindow(display, window);
    }
    XSync(display, False);
    XSetErrorHandler(previous);
}

bool windowManagerDoesFullScreen(Display* display)
{
    if (display == nullptr)
        return false;
    Window root = DefaultRootWindow(display);
    if (!hasProperty(display, root, "_NET_SUPPORTING_WM_CHECK"))
        return false;
    static long supported[kSupportedAtoms];
    int count = readLongs(display, root, "_NET_SUPPORTED", XA_ATOM, 0, supported, kSupportedAtoms);
    long wanted = (long)XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    return std::find(supported, supported + count, wanted) != supported + count;
}
