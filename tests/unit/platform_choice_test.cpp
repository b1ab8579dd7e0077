// platform_choice_test.cpp -- which window system a window run takes, from the option and the environment
#include "platform/platform_choice.h"

#include <gtest/gtest.h>

TEST(PlatformChoice, AnXDisplayWinsUnlessWaylandIsAskedForAndNoDisplayMeansX11sMessage)
{
    const WindowSystem x11 = kWindowSystemX11, wayland = kWindowSystemWayland, any = kWindowSystemAny;
    struct Case {
        WindowSystem asked;
        const char* display;
        const char* waylandDisplay;
        bool socket;
        bool displayOption;
        WindowSystem expected;
    } cases[] = {
        {any, ":0", "wayland-1", true, false, x11},      // a Wayland desktop with XWayland: freeglut's window, as before
        {any, nullptr, "wayland-1", false, false, wayland},
        {any, "", "wayland-1", false, false, wayland},   // an empty DISPLAY names no display
        {any, nullptr, nullptr, true, false, wayland},   // the default socket alone
        {any, nullptr, "", false, false, x11},           // nothing at all: X11's line says so
        {any, nullptr, "wayland-1", true, true, x11},    // -display names an X display
        {wayland, ":0", nullptr, false, false, wayland},
        {x11, nullptr, "wayland-1", true, false, x11},
    };
    for (const Case& c : cases) {
        DisplayEnvironment environment;
        environment.display = c.display;
        environment.waylandDisplay = c.waylandDisplay;
        environment.waylandSocket = c.socket;
        environment.displayOption = c.displayOption;
        EXPECT_EQ(chooseWindowSystem(c.asked, environment), c.expected)
            << c.asked << " " << (c.display ? c.display : "-") << " " << (c.waylandDisplay ? c.waylandDisplay : "-");
    }
    WindowSystem read = any;
    EXPECT_TRUE(readWindowSystem("wayland", &read) && read == wayland);
    EXPECT_FALSE(readWindowSystem("Wayland", &read));
    EXPECT_EQ(read, wayland);
}
