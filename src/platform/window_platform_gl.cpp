// window_platform_gl.cpp -- the window platform: freeglut's window on the X display, its events
// turned into flight events, GLX's swap control
#include "common/extension_list.h"
#include "common/window_size.h"
#include "platform/display_check_x11.h"
#include "flight/flight_file.h"
#include "platform/desktop_x11.h"
#include "platform/platform.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <algorithm>
#include <cstdio>

static PlatformHooks hooks;
static bool shown = false;  // freeglut has drawn or mapped the window, and not hidden it since

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
    // freeglut also calls this when it destroys the window at exit; the run ends once.
    if (closed)
        return;
    closed = true;
    hooks.close();
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
    glutCreateWindow("brinewings");
    presentWindowToDesktop(glXGetCurrentDisplay(), glXGetCurrentDrawable(), !sized);
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
    return true;
}

static void pollEvents()
{
    if (!closed)
        glutMainLoopEvent();
}

static bool surfaceShown()
{
    return shown && !closed;
}

static void swapFrame()
{
    glutSwapBuffers();
}

static bool toggleFullScreen()
{
    glutFullScreenToggle();
    return windowManagerDoesFullScreen(glXGetCurrentDisplay());
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

static const char* rendererName()
{
    const char* name = (const char*)glGetString(GL_RENDERER);
    return name != nullptr ? name : "unknown";
}

const Platform& windowPlatform()
{
    static const Platform platform = {true, displayAnswers, openWindow,       pollEvents,          surfaceShown, swapFrame,
                                      toggleFullScreen, setSwapIntervalZero, rendererName};
    return platform;
}
