// framing_wm.cpp -- a minimal window manager for the tests: it claims the screen, maps and
// resizes windows as asked, and announces a frame whose four sides all differ (left 3, right
// 7, top 19, bottom 5), so a program that reads the sides in the wrong order shows it. It
// draws no frame and does not reparent. Runs until killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 1;
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // windows may go at any time
    auto set = [&](Window window, const char* name, Atom type, const long* values, int count) {
        XChangeProperty(display, window, XInternAtom(display, name, False), type, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values), count);
    };
    const long check = (long)XCreateSimpleWindow(display, root, -1, -1, 1, 1, 0, 0, 0);
    set(root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &check, 1);
    const long frame[4] = {3, 7, 19, 5};  // _NET_FRAME_EXTENTS: left, right, top, bottom
    const long normal[2] = {NormalState, None}, withdrawn[2] = {WithdrawnState, None};
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapRequest) {
            set(event.xmaprequest.window, "_NET_FRAME_EXTENTS", XA_CARDINAL, frame, 4);
            set(event.xmaprequest.window, "WM_STATE", wmState, normal, 2);
            XMapWindow(display, event.xmaprequest.window);
        } else if (event.type == UnmapNotify) {  // only clients unmap their windows
            set(event.xunmap.window, "WM_STATE", wmState, withdrawn, 2);
        } else if (event.type == ConfigureRequest) {
            const XConfigureRequestEvent& request = event.xconfigurerequest;
            XWindowChanges changes = {request.x, request.y, request.width, request.height, 0, 0, 0};
            XConfigureWindow(display, request.window, (unsigned)request.value_mask & (CWX | CWY | CWWidth | CWHeight),
                             &changes);
        } else if (event.type == ClientMessage &&
                   event.xclient.message_type == XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False)) {
            set(event.xclient.window, "_NET_FRAME_EXTENTS", XA_CARDINAL, frame, 4);
        }
        XFlush(display);
    }
}
