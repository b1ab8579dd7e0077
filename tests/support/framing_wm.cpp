// framing_wm.cpp -- a minimal EWMH window manager for the tests: it claims the screen, maps
// and resizes windows as asked, and announces a frame whose four sides all differ (left 3,
// right 7, top 19, bottom 5), so a program that reads the sides in the wrong order shows it.
// It draws no frame and does not reparent. Runs until killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

static const long kFrame[4] = {3, 7, 19, 5};  // _NET_FRAME_EXTENTS: left, right, top, bottom

static Atom atom(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}

static void setCardinals(Display* display, Window window, const char* name, const long* values, int count)
{
    XChangeProperty(display, window, atom(display, name), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), count);
}

static void setWmState(Display* display, Window window, long state)
{
    const long values[2] = {state, None};
    Atom wmState = atom(display, "WM_STATE");
    XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), 2);
}

static int ignoreXError(Display*, XErrorEvent*)
{
    return 0;  // a window may go away while it is being handled
}

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "framing_wm: no X display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);
    XSetErrorHandler(ignoreXError);

    Window check = XCreateSimpleWindow(display, root, -1, -1, 1, 1, 0, 0, 0);
    const long checkId = (long)check;
    Atom supported[] = {atom(display, "_NET_SUPPORTING_WM_CHECK"), atom(display, "_NET_FRAME_EXTENTS"),
                        atom(display, "_NET_REQUEST_FRAME_EXTENTS"), atom(display, "_NET_WORKAREA")};
    XChangeProperty(display, root, atom(display, "_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(supported), 4);
    XChangeProperty(display, check, atom(display, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&checkId), 1);
    XChangeProperty(display, root, atom(display, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&checkId), 1);
    XFlush(display);

    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case MapRequest:
            setCardinals(display, event.xmaprequest.window, "_NET_FRAME_EXTENTS", kFrame, 4);
            setWmState(display, event.xmaprequest.window, NormalState);
            XMapWindow(display, event.xmaprequest.window);
            break;
        case UnmapNotify:
            setWmState(display, event.xunmap.window, WithdrawnState);  // only clients unmap themselves
            break;
        case ConfigureRequest: {
            const XConfigureRequestEvent& request = event.xconfigurerequest;
            XWindowChanges changes = {};
            changes.x = request.x;
            changes.y = request.y;
            changes.width = request.width;
            changes.height = request.height;
            XConfigureWindow(display, request.window, (unsigned)request.value_mask & (CWX | CWY | CWWidth | CWHeight),
                             &changes);
            break;
        }
        case ClientMessage:
            if (event.xclient.message_type == atom(display, "_NET_REQUEST_FRAME_EXTENTS"))
                setCardinals(display, event.xclient.window, "_NET_FRAME_EXTENTS", kFrame, 4);
            break;
        default:
            break;
        }
        XFlush(display);
    }
}
