// platform_choice.cpp -- which window system a window run opens its window on
#include "platform/platform_choice.h"

#include "os/os.h"

#include <cstdlib>
#include <cstring>
#include <string>

static bool given(const char* value)
{
    return value != nullptr && value[0] != '\0';
}

bool readWindowSystem(const char* name, WindowSystem* system)
{
    if (strcmp(name, "x11") == 0)
        *system = kWindowSystemX11;
    else if (strcmp(name, "wayland") == 0)
        *system = kWindowSystemWayland;
    else
        return false;
    return true;
}

DisplayEnvironment readDisplayEnvironment()
{
    DisplayEnvironment environment;
    environment.display = getenv("DISPLAY");
    environment.waylandDisplay = getenv("WAYLAND_DISPLAY");
    const char* runtimeDir = getenv("XDG_RUNTIME_DIR");
    if (given(runtimeDir)) {
        OsFileInfo socket;  // a path that cannot be followed counts as no socket
        environment.waylandSocket = osFileInfo((std::string(runtimeDir) + "/wayland-0").c_str(), &socket) == 0 &&
                                    socket.exists;
    }
    return environment;
}

WindowSystem chooseWindowSystem(WindowSystem asked, const DisplayEnvironment& environment)
{
    if (asked != kWindowSystemAny)
        return asked;
    if (environment.displayOption || given(environment.display))
        return kWindowSystemX11;
    if (given(environment.waylandDisplay) || environment.waylandSocket)
        return kWindowSystemWayland;
    return kWindowSystemX11;
}
