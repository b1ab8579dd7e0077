// display_check.cpp -- a window needs an X display that answers: said in one line, before freeglut
#include "run/display_check.h"

#include "common/shown_path.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

bool displayAnswers(const char* display)
{
    const char* name = display != nullptr ? display : getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') {
        fprintf(stderr, "brinewings: no X display to open a window on (DISPLAY is not set); start it from a "
                        "desktop session\n");
        return false;
    }
    // A connection opened and closed at once: freeglut opens its own right after.
    Display* connection = XOpenDisplay(name);
    if (connection == nullptr) {
        fprintf(stderr, "brinewings: no X display to open a window on: '%s' does not answer\n", shownPath(name));
        return false;
    }
    XCloseDisplay(connection);
    return true;
}
