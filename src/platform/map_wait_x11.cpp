// map_wait_x11.cpp -- freeglut's wait for its new window to be mapped, given a bound
#include "platform/map_wait_x11.h"

#include <X11/Xlib.h>

#include <dlfcn.h>
#include <poll.h>

#include <chrono>

typedef Bool (*EventPredicate)(Display*, XEvent*, XPointer);
typedef int (*PeekIfEvent)(Display*, XEvent*, EventPredicate, XPointer);

static bool bounded = false;

void boundMapWait(bool on)
{
    bounded = on;
}

// What the predicate says of the queued events, learnt without taking any of them out.
struct Probe {
    EventPredicate predicate;
    XPointer arg;
    bool found;
};

static Bool probeEvent(Display* display, XEvent* event, XPointer arg)
{
    Probe* probe = (Probe*)arg;
    if (probe->predicate(display, event, probe->arg))
        probe->found = true;
    return False;
}

// This program's XPeekIfEvent stands before Xlib's for freeglut, which calls it only to wait
// for a window's MapNotify.
extern "C" int XPeekIfEvent(Display* display, XEvent* event, EventPredicate predicate, XPointer arg)
{
    static PeekIfEvent xlibPeek = (PeekIfEvent)dlsym(RTLD_NEXT, "XPeekIfEvent");
    if (bounded) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kMapWaitMs);
        Probe probe = {predicate, arg, false};
        XEvent scratch;
        for (;;) {
            XCheckIfEvent(display, &scratch, probeEvent, (XPointer)&probe);
            if (probe.found)
                break;
            if (std::chrono::steady_clock::now() >= deadline) {
                *event = XEvent();
                return 0;
            }
            pollfd connection = {ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 10);
        }
    }
    return xlibPeek(display, event, predicate, arg);
}
