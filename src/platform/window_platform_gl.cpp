// window_platform_gl.cpp -- the window platform: freeglut's window on the X display, its events
// turned into flight events, GLX's swap control
#include "common/extension_list.h"
#include "common/window_size.h"
#include "platform/display_check_x11.h"
#include "flight/flight_file.h"
#include "platform/desktop_x11.h"
#include "platform/map_wait_x11.h"
#include "platform/platform.h"
#include "platform/window_state_x11.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

static PlatformHooks hooks;
static bool shown = false;  // freeglut has drawn or mapped the window, and not hidden it since
static bool viewable = false;  // the X server has said the window is viewable
static bool fullScreenAsked = false;  // the state the last request (--fullscreen, a toggle) asked for
static int sizeAtToggle[2] = {0, 0};  // pixels: the window's size when the last toggle was asked
static std::chrono::steady_clock::time_point stateSeenAt;  // when the state asked for was first seen
static bool stateSeen = false;
// A state reached at the size the window had: the window manager sends a new size, if any, with
// its new state, so one that has not come by then does not come.
static const std::chrono::milliseconds kSameSizeWait(250);

// GLUT's codes of the bound special keys, in FlightSpecialKey order.
static const int kGlutSpecialKeys[kSpecialKeyCount] = {GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_PAGE_UP,
                                                       GLUT_KEY_PAGE_DOWN};

static void keyboard(unsigned char key, int, int)
{
    hooks.input(kFlightKey, key, 0);
}

static void specialKeys(int key, int, int)
{
    for (int i = 0; i < kSpecialKeyCount; i++) {
        if (kGlutSpecialKeys[i] == key)
            hooks.input(kFlightSpecial, i, 0);
    }
}

static void mouseMove(int x, int)
{
    // A minimised window can report width 0; steering takes it as 1, and so does a recording.
    // X window coordinates fit in 16 bits, well inside a flight file's bounds.
    hooks.input(kFlightPointer, std::clamp(x, -kFlightMaxCoordinate, kFlightMaxCoordinate),
                std::clamp(winWidth, 1, kFlightMaxCoordinate));
}

static void reshapeWindow(int width, int height)
{
    hooks.resize(width, height);
}

// freeglut asks for a frame only while the window is on screen; the run draws it in its loop.
static void display()
{
    shown = true;
}

static void windowStatus(int status)
{
    shown = status != GLUT_HIDDEN && status != GLUT_FULLY_COVERED;
}

static bool closed = false;

static void closeWindow()
{
    // freeglut also calls this when it destroys the window at exit; the run is told once.
    if (closed)
        return;
    closed = true;
    hooks.close();
}

// freeglut's -display, which cli/run_options.cpp has checked: the value after it, else nullptr.
static const char* displayOption(const SurfaceRequest& request)
{
    int argc = request.argc != nullptr ? *request.argc : 0;
    for (int i = 1; i + 1 < argc; i++) {
        if (strcmp(request.argv[i], "-display") == 0)
            return request.argv[i + 1];
    }
    return nullptr;
}

static bool available(const SurfaceRequest& request)
{
    return displayAnswers(displayOption(request));
}

static bool openWindow(const SurfaceRequest& request, const PlatformHooks& platformHooks)
{
    hooks = platformHooks;
    noteGeometryOption(request.argc != nullptr ? *request.argc : 0, request.argv);
    glutInit(request.argc, request.argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    // A size asked for (--size, -geometry) is kept as given; the default square is fitted to
    // a short screen.
    bool sized = request.width != 0;
    glutInitWindowSize(sized ? request.width : kWindowSide, sized ? request.height : kWindowSide);
    boundMapWait(true);
    glutCreateWindow("brinewings");
    boundMapWait(false);
    presentWindowToDesktop(glXGetCurrentDisplay(), glXGetCurrentDrawable(), !sized);
    fullScreenAsked = request.fullScreen;
    if (request.fullScreen)
        glutFullScreen();

    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(specialKeys);
    glutPassiveMotionFunc(mouseMove);
    glutReshapeFunc(reshapeWindow);
    glutWindowStatusFunc(windowStatus);
    // Closing the window ends the run through the run's own end, not inside freeglut.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    glutCloseFunc(closeWindow);
    // A window destroyed by another client is closed, not a reason for Xlib to end the process.
    catchXErrors(glXGetCurrentDisplay(), closeWindow);
    return true;
}

static void pollEvents(long long waitNs)
{
    if (closed)
        return;
    glutMainLoopEvent();
    if (waitNs > 0 && !closed) {
        waitForDisplayEvent(glXGetCurrentDisplay(), waitNs);
        glutMainLoopEvent();
    }
}

// freeglut draws a window it has not yet seen mapped (one a window manager starts minimised), so
// until the X server says the window is viewable, it is not; from then on the window's status
// says when it is hidden again, and the X server when it is back.
static bool surfaceShown()
{
    // Asked again while the window is not shown: freeglut does not report a window another
    // client destroys, but asking about it then gives an X error, which closes it (catchXErrors).
    if ((!viewable || !shown) && !closed)
        viewable = windowViewable(glXGetCurrentDisplay(), glXGetCurrentDrawable());
    return viewable && shown && !closed;
}

static void swapFrame()
{
    glutSwapBuffers();
}

static bool toggleFullScreen()
{
    glutFullScreenToggle();
    fullScreenAsked = !fullScreenAsked;
    sizeAtToggle[0] = winWidth;
    sizeAtToggle[1] = winHeight;
    stateSeen = false;
    return windowManagerDoesFullScreen(glXGetCurrentDisplay());
}

// The window manager's answer is its state on the window, whether or not the size changes. A new
// size must then have reached reshape; the same size counts once it has held for kSameSizeWait.
static bool fullScreenSettled()
{
    int width = 0, height = 0;
    if (!windowStateIs(glXGetCurrentDisplay(), glXGetCurrentDrawable(), fullScreenAsked, &width, &height)) {
        stateSeen = false;
        return false;
    }
    if (width != winWidth || height != winHeight)
        return false;
    if (width != sizeAtToggle[0] || height != sizeAtToggle[1])
        return true;
    auto now = std::chrono::steady_clock::now();
    if (!stateSeen) {
        stateSeen = true;
        stateSeenAt = now;
    }
    return now - stateSeenAt >= kSameSizeWait;
}

static const char* setSwapIntervalZero(bool* set)
{
    *set = false;
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    const char* list = nullptr;
    if (display != nullptr)
        list = glXQueryExtensionsString(display, DefaultScreen(display));
    if (hasExtension(list, "GLX_EXT_swap_control")) {
        auto setInterval = (void (*)(Display*, GLXDrawable, int))
            glXGetProcAddressARB((const GLubyte*)"glXSwapIntervalEXT");
        if (setInterval != nullptr) {
            setInterval(display, drawable, 0);
            *set = true;
            return "swap interval 0 through GLX_EXT_swap_control";
        }
    } else if (hasExtension(list, "GLX_MESA_swap_control")) {
        auto setInterval = (int (*)(unsigned))glXGetProcAddressARB((const GLubyte*)"glXSwapIntervalMESA");
        if (setInterval != nullptr && setInterval(0) == 0) {
            *set = true;
            return "swap interval 0 through GLX_MESA_swap_control";
        }
    } else if (hasExtension(list, "GLX_SGI_swap_control")) {
        // This extension refuses 0, so the driver's interval stays.
        return "swap interval unchanged: GLX_SGI_swap_control cannot set 0";
    }
    return "swap interval unchanged: the driver offers no GLX swap control extension";
}

const Platform& windowPlatform()
{
    static const Platform platform = [] {
        Platform p;
        p.name = "window";
        p.takesInput = true;
        p.available = available;
        p.open = openWindow;
        p.pollEvents = pollEvents;
        p.surfaceShown = surfaceShown;
        p.endFrame = swapFrame;
        p.toggleFullScreen = toggleFullScreen;
        p.fullScreenSettled = fullScreenSettled;
        p.setSwapIntervalZero = setSwapIntervalZero;
        return p;
    }();
    return platform;
}
