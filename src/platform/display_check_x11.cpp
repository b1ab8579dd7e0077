// display_check_x11.cpp -- a window needs an X display that answers: said in one line, before freeglut
#include "platform/display_check_x11.h"

#include "common/shown_path.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

static Display* connection = nullptr;  // the display tried, left open

bool displayAnswers(const char* display)
{
    const char* name = display != nullptr ? display : getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') {
        fprintf(stderr, "brinewings: no X display to open a window on (DISPLAY is not set); start it from a "
                        "desktop session\n");
        return false;
    }
    // The connection stays open for the run: a server that resets when its last client leaves
    // (Xvfb, a bare X server) would otherwise be resetting just as freeglut connects.
    connection = XOpenDisplay(name);
    if (connection == nullptr) {
        fprintf(stderr, "brinewings: no X display to open a window on: '%s' does not answer\n", shownPath(name));
        return false;
    }
    return true;
}
