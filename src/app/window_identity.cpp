// window_identity.cpp -- names the program's window to the desktop (class, process, icon)
#include "app/window_identity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

// kWindowIcon: the same pictures as the installed icon, generated at build time.
#include "brinewings_window_icon.inc"

void nameWindowToDesktop()
{
    Display* display = glXGetCurrentDisplay();
    Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;

    char name[] = "brinewings";
    XClassHint classHint;
    classHint.res_name = name;
    classHint.res_class = name;
    XSetClassHint(display, window, &classHint);

    // _NET_WM_PID means something only beside the host it belongs to.
    char host[HOST_NAME_MAX + 1] = {0};
    if (gethostname(host, sizeof host - 1) == 0) {
        XChangeProperty(display, window, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<unsigned char*>(host), (int)strnlen(host, sizeof host));
    }
    long pid = (long)getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);

    // Format-32 properties travel as longs in Xlib, whatever their width on this machine.
    const size_t count = sizeof kWindowIcon / sizeof kWindowIcon[0];
    std::vector<unsigned long> icon(kWindowIcon, kWindowIcon + count);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(icon.data()), (int)icon.size());
    XFlush(display);
}
