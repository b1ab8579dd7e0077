// wayland_platform_gl.cpp -- the Wayland platform: an xdg-shell window of our own, decorated by the
// compositor or libdecor, drawn through EGL on wayland-egl; its input from wayland_input_wayland
#include "platform/wayland_platform.h"

#include "common/shown_path.h"
#include "common/window_size.h"
#include "os/os.h"
#include "platform/egl_config_gl.h"
#include "platform/wayland_input_wayland.h"

#include "xdg-decoration-unstable-v1-client.h"
#include "xdg-shell-client.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <libdecor.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <poll.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

static const int kOutputSlots = 8;  // outputs followed for their size and scale; more are ignored
static const int kMaxSurfaceSide = 16384;  // pixels: a larger size from the compositor is taken as this
static const int kMinFittedSide = 64;      // logical pixels: the default square is never fitted below it
static const long long kWatchdogPollNs = 10000000LL;  // how often the start of EGL is looked at
static const int kMaxOutputScale = 8;  // a larger scale from the compositor is taken as this
// Room kept round the default square on an output that is too small for it: panels and a
// title bar (logical pixels).
static const int kOutputMargin = 64;
// Without throttling (the benchmark's swap interval 0), a frame the compositor has not taken
// up by then means the window is not on screen.
static const long long kUnansweredFrameNs = 500000000LL;

struct Output {
    wl_output* output;
    uint32_t name;   // the registry's name, for its removal
    int scale;       // 1..kMaxOutputScale
    int width;       // pixels of its current mode; 0 until told
    int height;
    bool entered;    // the surface is on it
};

// The connection and the compositor's globals.
static wl_display* display = nullptr;
static wl_registry* registry = nullptr;
static wl_compositor* compositor = nullptr;
static xdg_wm_base* wmBase = nullptr;
static zxdg_decoration_manager_v1* decorationManager = nullptr;
static wl_seat* seat = nullptr;
static wl_shm* shm = nullptr;
static Output outputs[kOutputSlots];
static int outputCount = 0;
static bool connectionLost = false;

// The window.
static PlatformHooks hooks;
static bool opened = false;
static wl_surface* surface = nullptr;
static xdg_surface* xdgSurface = nullptr;
static xdg_toplevel* toplevel = nullptr;
static zxdg_toplevel_decoration_v1* decoration = nullptr;
static libdecor* decorContext = nullptr;
static libdecor_frame* decorFrame = nullptr;
static wl_egl_window* eglWindow = nullptr;
static EGLDisplay eglDisplay = EGL_NO_DISPLAY;
static EGLSurface eglSurface = EGL_NO_SURFACE;
static bool sized = false;                // a size was asked for, and is kept
static int windowedSize[2] = {0, 0};      // logical pixels: the size outside full screen
static int logicalSize[2] = {0, 0};       // logical pixels: the size now
static int boundsSize[2] = {0, 0};        // logical pixels: the largest the compositor suggests; 0 unknown
static int bufferScale = 1;               // surface pixels per logical pixel
static int bufferSize[2] = {0, 0};        // surface pixels, as last handed to the resize hook
static bool resizePending = false;        // bufferSize has not reached the resize hook yet
static bool configured = false;           // the compositor has given the window its first state
static int pendingSize[2] = {0, 0};       // the toplevel's configure, applied at the surface's
static bool pendingFullScreen = false;
static bool fullScreenAsked = false;      // the state the last request asked for
static bool fullScreenNow = false;        // the state the compositor last gave
static bool closed = false;
static wl_callback* frameCallback = nullptr;  // asked at the last swap, not yet answered
static long long frameAskedNs = 0;
static bool throttled = true;             // a frame is drawn only once the last has been taken up

// The display's name as messages show it.
static const char* displayName()
{
    const char* name = getenv("WAYLAND_DISPLAY");
    return name != nullptr && name[0] != '\0' ? name : "wayland-0";
}

// The connection broke (the compositor ended, or refused a request): one line, and the window
// counts as closed, which ends the run.
static bool loseConnection()
{
    if (!connectionLost) {
        connectionLost = true;
        int error = wl_display_get_error(display);
        fprintf(stderr, "brinewings: the Wayland compositor ended the connection (%s)\n",
                error != 0 ? strerror(error) : "no reason given");
        closed = true;
        if (opened)
            hooks.close();
    }
    return false;
}

// Dispatches the events that have come and, with none, waits at most waitNs for more. False
// once the connection is lost.
static bool pumpDisplay(long long waitNs)
{
    if (connectionLost)
        return false;
    int dispatched = wl_display_dispatch_pending(display);
    if (dispatched < 0)
        return loseConnection();
    while (wl_display_prepare_read(display) != 0) {
        int more = wl_display_dispatch_pending(display);
        if (more < 0)
            return loseConnection();
        dispatched += more;
    }
    // A full socket takes the rest at the next pump; the wait below is bounded either way.
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        return loseConnection();
    }
    long long waitMs = dispatched > 0 || waitNs <= 0 ? 0 : (waitNs + 999999) / 1000000;
    pollfd connection = {wl_display_get_fd(display), POLLIN, 0};
    if (poll(&connection, 1, (int)std::min<long long>(waitMs, INT_MAX)) > 0) {
        if (wl_display_read_events(display) < 0)
            return loseConnection();
    } else {
        wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0)
        return loseConnection();
    return true;
}

// Dispatches events until *done or the compositor has not made it so within kWaylandAnswerWaitNs.
static bool waitFor(const bool* done)
{
    long long deadline = osMonotonicNs() + kWaylandAnswerWaitNs;
    while (!*done) {
        long long left = deadline - osMonotonicNs();
        if (left <= 0 || !pumpDisplay(left))
            return false;
    }
    return true;
}

static void syncDone(void* data, wl_callback* callback, uint32_t)
{
    *(bool*)data = true;
    wl_callback_destroy(callback);
}
static const wl_callback_listener kSyncListener = {syncDone};

// wl_display_roundtrip with a bound: every request sent so far answered. False after one line
// when the compositor does not answer in time.
static bool roundtrip()
{
    static bool done[2];  // one flag per call in flight; a late answer sets a flag no one reads
    static int next = 0;
    bool* flag = &done[next];
    next = 1 - next;
    *flag = false;
    wl_callback* callback = wl_display_sync(display);
    wl_callback_add_listener(callback, &kSyncListener, flag);
    if (waitFor(flag))
        return true;
    if (!connectionLost)
        fprintf(stderr, "brinewings: the Wayland display '%s' does not answer (nothing within %lld s)\n",
                shownPath(displayName()), kWaylandAnswerWaitNs / 1000000000LL);
    return false;
}

// ---- outputs and scale

static Output* findOutput(wl_output* output)
{
    for (int i = 0; i < outputCount; i++)
        if (outputs[i].output == output)
            return &outputs[i];
    return nullptr;
}

static void outputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
                           int32_t)
{
}

static void outputMode(void*, wl_output* output, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    Output* known = findOutput(output);
    if (known != nullptr && (flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        known->width = std::clamp(width, 0, kMaxSurfaceSide);
        known->height = std::clamp(height, 0, kMaxSurfaceSide);
    }
}

static void outputDone(void*, wl_output*) {}

static void applyScale();

static void outputScale(void*, wl_output* output, int32_t factor)
{
    Output* known = findOutput(output);
    if (known == nullptr)
        return;
    known->scale = std::clamp(factor, 1, kMaxOutputScale);
    applyScale();
}

// The listeners are filled by name: events of later versions than those bound never come.
static const wl_output_listener kOutputListener = [] {
    wl_output_listener listener{};
    listener.geometry = outputGeometry;
    listener.mode = outputMode;
    listener.done = outputDone;
    listener.scale = outputScale;
    return listener;
}();

// ---- the window's size

// The surface's pixels: the logical size times the scale, handed to the resize hook at the next
// poll and to EGL at the next swap.
static void resizeBuffer()
{
    int width = std::clamp(logicalSize[0] * bufferScale, 1, kMaxSurfaceSide);
    int height = std::clamp(logicalSize[1] * bufferScale, 1, kMaxSurfaceSide);
    if (eglWindow != nullptr)
        wl_egl_window_resize(eglWindow, width, height, 0, 0);
    if (width != bufferSize[0] || height != bufferSize[1] || !opened) {
        bufferSize[0] = width;
        bufferSize[1] = height;
        resizePending = true;
    }
}

// The scale of the outputs the surface is on (the largest), else of the first output: a frame
// drawn at that scale is shown at the output's own resolution.
static void applyScale()
{
    int scale = 0;
    for (int i = 0; i < outputCount; i++)
        if (outputs[i].entered)
            scale = std::max(scale, outputs[i].scale);
    if (scale == 0)
        scale = outputCount > 0 ? outputs[0].scale : 1;
    if (scale == bufferScale)
        return;
    bufferScale = scale;
    if (surface != nullptr) {
        wl_surface_set_buffer_scale(surface, bufferScale);
        setWaylandContent(surface, bufferScale);
    }
    if (configured)
        resizeBuffer();
}

// The default square, fitted to what the compositor suggests or else to the first output, so
// that the whole aircraft is on screen.
static void fitDefaultSize()
{
    int side = kWindowSide;
    if (boundsSize[0] > 0 && boundsSize[1] > 0) {
        side = std::min({side, boundsSize[0], boundsSize[1]});
    } else if (outputCount > 0 && outputs[0].width > 0 && outputs[0].height > 0) {
        int scale = outputs[0].scale;
        side = std::min({side, outputs[0].width / scale - kOutputMargin, outputs[0].height / scale - kOutputMargin});
    }
    side = std::max(side, kMinFittedSide);
    windowedSize[0] = side;
    windowedSize[1] = side;
}

// The compositor's word on the window: a size (0: ours to choose) and whether it is full screen.
static void applyConfigure(int width, int height, bool fullScreen)
{
    if (!configured && !sized)
        fitDefaultSize();
    fullScreenNow = fullScreen;
    if (width <= 0 || height <= 0) {
        width = windowedSize[0];
        height = windowedSize[1];
    } else if (!fullScreen) {
        // The user's resize, or a tiling compositor's: it is the window's size from now on.
        windowedSize[0] = width;
        windowedSize[1] = height;
    }
    logicalSize[0] = std::clamp(width, 1, kMaxSurfaceSide);
    logicalSize[1] = std::clamp(height, 1, kMaxSurfaceSide);
    configured = true;
    resizeBuffer();
}

// ---- xdg-shell

static void wmBasePing(void*, xdg_wm_base* base, uint32_t serial)
{
    xdg_wm_base_pong(base, serial);
}
static const xdg_wm_base_listener kWmBaseListener = {wmBasePing};

static void surfaceConfigure(void*, xdg_surface* shellSurface, uint32_t serial)
{
    xdg_surface_ack_configure(shellSurface, serial);
    applyConfigure(pendingSize[0], pendingSize[1], pendingFullScreen);
}
static const xdg_surface_listener kXdgSurfaceListener = {surfaceConfigure};

static void toplevelConfigure(void*, xdg_toplevel*, int32_t width, int32_t height, wl_array* states)
{
    pendingSize[0] = width;
    pendingSize[1] = height;
    pendingFullScreen = false;
    const uint32_t* state = (const uint32_t*)states->data;
    for (size_t i = 0; i < states->size / sizeof *state; i++)
        if (state[i] == XDG_TOPLEVEL_STATE_FULLSCREEN)
            pendingFullScreen = true;
}

static void toplevelClose(void*, xdg_toplevel*)
{
    closed = true;
    hooks.close();
}

static void toplevelBounds(void*, xdg_toplevel*, int32_t width, int32_t height)
{
    boundsSize[0] = std::clamp(width, 0, kMaxSurfaceSide);
    boundsSize[1] = std::clamp(height, 0, kMaxSurfaceSide);
}

static void toplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}

static const xdg_toplevel_listener kToplevelListener = [] {
    xdg_toplevel_listener listener{};
    listener.configure = toplevelConfigure;
    listener.close = toplevelClose;
    listener.configure_bounds = toplevelBounds;
    listener.wm_capabilities = toplevelCapabilities;
    return listener;
}();

static void decorationConfigure(void*, zxdg_toplevel_decoration_v1*, uint32_t) {}
static const zxdg_toplevel_decoration_v1_listener kDecorationListener = {decorationConfigure};

// ---- libdecor, where the compositor draws no decorations

static void decorError(libdecor*, libdecor_error, const char* message)
{
    fprintf(stderr, "brinewings: libdecor: %s\n", message != nullptr ? message : "an error");
    closed = true;
    if (opened)
        hooks.close();
}
static libdecor_interface decorInterface = [] {
    libdecor_interface callbacks{};
    callbacks.error = decorError;
    return callbacks;
}();

static void frameConfigure(libdecor_frame* frame, libdecor_configuration* configuration, void*)
{
    int width = 0, height = 0;
    if (!libdecor_configuration_get_content_size(configuration, frame, &width, &height))
        width = height = 0;
    libdecor_window_state state = LIBDECOR_WINDOW_STATE_NONE;
    bool fullScreen = libdecor_configuration_get_window_state(configuration, &state) &&
                      (state & LIBDECOR_WINDOW_STATE_FULLSCREEN) != 0;
    applyConfigure(width, height, fullScreen);
    libdecor_state* size = libdecor_state_new(logicalSize[0], logicalSize[1]);
    libdecor_frame_commit(frame, size, configuration);
    libdecor_state_free(size);
}

static void frameClose(libdecor_frame*, void*)
{
    closed = true;
    hooks.close();
}

static void frameCommit(libdecor_frame*, void*)
{
    wl_surface_commit(surface);
}

static void frameDismissPopup(libdecor_frame*, const char*, void*) {}

static libdecor_frame_interface frameInterface = [] {
    libdecor_frame_interface callbacks{};
    callbacks.configure = frameConfigure;
    callbacks.close = frameClose;
    callbacks.commit = frameCommit;
    callbacks.dismiss_popup = frameDismissPopup;
    return callbacks;
}();


// ---- the registry

// Input reaches the run once the window is open; before, there is no window to have it.
static void sendInput(FlightAction action, int a, int b)
{
    if (opened && !closed)
        hooks.input(action, a, b);
}


static void registryGlobal(void*, wl_registry* theRegistry, uint32_t name, const char* interface, uint32_t version)
{
    if (strcmp(interface, wl_compositor_interface.name) == 0 && compositor == nullptr && version >= 3) {
        compositor = (wl_compositor*)wl_registry_bind(theRegistry, name, &wl_compositor_interface, 3);
    } else if (strcmp(interface, xdg_wm_base_interface.name) == 0 && wmBase == nullptr) {
        wmBase = (xdg_wm_base*)wl_registry_bind(theRegistry, name, &xdg_wm_base_interface, std::min(version, 4u));
        xdg_wm_base_add_listener(wmBase, &kWmBaseListener, nullptr);
    } else if (strcmp(interface, zxdg_decoration_manager_v1_interface.name) == 0 && decorationManager == nullptr) {
        decorationManager = (zxdg_decoration_manager_v1*)wl_registry_bind(
            theRegistry, name, &zxdg_decoration_manager_v1_interface, 1);
    } else if (strcmp(interface, wl_shm_interface.name) == 0 && shm == nullptr) {
        shm = (wl_shm*)wl_registry_bind(theRegistry, name, &wl_shm_interface, 1);
    } else if (strcmp(interface, wl_seat_interface.name) == 0 && seat == nullptr && version >= 4) {
        seat = (wl_seat*)wl_registry_bind(theRegistry, name, &wl_seat_interface, std::min(version, 5u));
        followWaylandSeat(seat, sendInput);
    } else if (strcmp(interface, wl_output_interface.name) == 0 && version >= 2 && outputCount < kOutputSlots) {
        Output& output = outputs[outputCount++];
        output = Output{(wl_output*)wl_registry_bind(theRegistry, name, &wl_output_interface, 2), name, 1, 0, 0,
                        false};
        wl_output_add_listener(output.output, &kOutputListener, nullptr);
    }
}

static void registryGlobalRemove(void*, wl_registry*, uint32_t name)
{
    for (int i = 0; i < outputCount; i++) {
        if (outputs[i].name == name) {
            wl_output_destroy(outputs[i].output);
            outputs[i] = outputs[--outputCount];
            applyScale();
            return;
        }
    }
}

static const wl_registry_listener kRegistryListener = {registryGlobal, registryGlobalRemove};

static void surfaceEnter(void*, wl_surface*, wl_output* output)
{
    Output* known = findOutput(output);
    if (known != nullptr) {
        known->entered = true;
        applyScale();
    }
}

static void surfaceLeave(void*, wl_surface*, wl_output* output)
{
    Output* known = findOutput(output);
    if (known != nullptr) {
        known->entered = false;
        applyScale();
    }
}

// Later versions add events (the compositor's preferred scale) that a surface of version 3 never gets.
static const wl_surface_listener kSurfaceListener = [] {
    wl_surface_listener listener{};
    listener.enter = surfaceEnter;
    listener.leave = surfaceLeave;
    return listener;
}();

// ---- the platform


static bool available(const SurfaceRequest&)
{
    const char* name = getenv("WAYLAND_DISPLAY");
    bool absolute = name != nullptr && name[0] == '/';
    const char* runtimeDir = getenv("XDG_RUNTIME_DIR");
    if (!absolute && (runtimeDir == nullptr || runtimeDir[0] == '\0')) {
        fprintf(stderr, "brinewings: no Wayland display to open a window on (XDG_RUNTIME_DIR is not set); start "
                        "it from a desktop session\n");
        return false;
    }
    display = wl_display_connect(nullptr);
    if (display == nullptr) {
        fprintf(stderr, "brinewings: no Wayland display to open a window on: '%s' does not answer\n",
                shownPath(displayName()));
        return false;
    }
    registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, nullptr);
    // The globals, then what the outputs and the seat say of themselves.
    if (!roundtrip() || !roundtrip())
        return false;
    if (compositor == nullptr || wmBase == nullptr) {
        fprintf(stderr, "brinewings: the Wayland compositor on '%s' offers no desktop windows (xdg-shell)\n",
                shownPath(displayName()));
        return false;
    }
    useWaylandCursor(compositor, shm);
    return true;
}

static bool refuse(const char* reason)
{
    EGLint error = eglGetError();
    if (error == EGL_SUCCESS)
        fprintf(stderr, "brinewings: the Wayland window: %s\n", reason);
    else
        fprintf(stderr, "brinewings: the Wayland window: %s (EGL error 0x%04x)\n", reason, (unsigned)error);
    return false;
}

// A desktop OpenGL compatibility context on the surface, of the configuration the other EGL
// surfaces take, so that the same renderer draws the same pixels.
static bool makeContext()
{
    auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    eglDisplay = getPlatformDisplay != nullptr ? getPlatformDisplay(EGL_PLATFORM_WAYLAND_EXT, display, nullptr)
                                               : eglGetDisplay((EGLNativeDisplayType)display);
    EGLint major = 0, minor = 0;
    if (eglDisplay == EGL_NO_DISPLAY || eglInitialize(eglDisplay, &major, &minor) != EGL_TRUE)
        return refuse("EGL cannot use the Wayland display");
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE)
        return refuse("EGL offers no desktop OpenGL");
    EGLConfig config = windowLikeConfig(eglDisplay, EGL_WINDOW_BIT);
    if (config == nullptr)
        return refuse("EGL offers no desktop OpenGL configuration with 8-bit colour and a depth buffer");
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(eglDisplay, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT)
        return refuse("EGL cannot create a desktop OpenGL compatibility context");
    eglWindow = wl_egl_window_create(surface, bufferSize[0], bufferSize[1]);
    if (eglWindow == nullptr)
        return refuse("wayland-egl cannot make the window's surface");
    eglSurface = eglCreateWindowSurface(eglDisplay, config, (EGLNativeWindowType)eglWindow, nullptr);
    if (eglSurface == EGL_NO_SURFACE)
        return refuse("EGL cannot create the window's surface");
    if (eglMakeCurrent(eglDisplay, eglSurface, eglSurface, context) != EGL_TRUE)
        return refuse("EGL cannot make the OpenGL context current");
    // EGL's own wait for the compositor at each swap has no bound; the platform waits instead,
    // with one (surfaceShown).
    eglSwapInterval(eglDisplay, 0);
    return true;
}

// EGL's start on the Wayland display waits for the compositor's answers with no bound of its
// own; a compositor that stops answering then ends the start-up with one line, as a roundtrip
// of ours would.
static bool makeContextWithBound()
{
    static std::atomic<bool> done(false);
    std::thread watchdog([] {
        long long deadline = osMonotonicNs() + kWaylandAnswerWaitNs;
        while (!done.load()) {
            if (osMonotonicNs() >= deadline) {
                fprintf(stderr, "brinewings: the Wayland display '%s' does not answer EGL (nothing within %lld s)\n",
                        shownPath(displayName()), kWaylandAnswerWaitNs / 1000000000LL);
                std::_Exit(1);
            }
            osSleepUntilNs(osMonotonicNs() + kWatchdogPollNs);
        }
    });
    bool made = makeContext();
    done.store(true);
    watchdog.join();
    return made;
}

static void askFullScreen(bool on)
{
    if (decorFrame != nullptr) {
        if (on)
            libdecor_frame_set_fullscreen(decorFrame, nullptr);
        else
            libdecor_frame_unset_fullscreen(decorFrame);
    } else if (on) {
        xdg_toplevel_set_fullscreen(toplevel, nullptr);
    } else {
        xdg_toplevel_unset_fullscreen(toplevel);
    }
}

static bool openWindow(const SurfaceRequest& request, const PlatformHooks& platformHooks)
{
    hooks = platformHooks;
    sized = request.width > 0;
    windowedSize[0] = sized ? request.width : kWindowSide;
    windowedSize[1] = sized ? request.height : kWindowSide;
    fullScreenAsked = request.fullScreen;
    surface = wl_compositor_create_surface(compositor);
    wl_surface_add_listener(surface, &kSurfaceListener, nullptr);
    applyScale();
    wl_surface_set_buffer_scale(surface, bufferScale);
    setWaylandContent(surface, bufferScale);
    // The compositor draws the frame where it offers to; otherwise libdecor does.
    if (decorationManager == nullptr)
        decorContext = libdecor_new(display, &decorInterface);
    if (decorContext != nullptr) {
        decorFrame = libdecor_decorate(decorContext, surface, &frameInterface, nullptr);
        if (decorFrame == nullptr)
            return refuse("libdecor cannot decorate the window");
        libdecor_frame_set_app_id(decorFrame, "brinewings");
        libdecor_frame_set_title(decorFrame, "brinewings");
        libdecor_frame_map(decorFrame);
    } else {
        xdgSurface = xdg_wm_base_get_xdg_surface(wmBase, surface);
        xdg_surface_add_listener(xdgSurface, &kXdgSurfaceListener, nullptr);
        toplevel = xdg_surface_get_toplevel(xdgSurface);
        xdg_toplevel_add_listener(toplevel, &kToplevelListener, nullptr);
        xdg_toplevel_set_app_id(toplevel, "brinewings");
        xdg_toplevel_set_title(toplevel, "brinewings");
        if (decorationManager != nullptr) {
            decoration = zxdg_decoration_manager_v1_get_toplevel_decoration(decorationManager, toplevel);
            zxdg_toplevel_decoration_v1_add_listener(decoration, &kDecorationListener, nullptr);
            zxdg_toplevel_decoration_v1_set_mode(decoration, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
        }
        if (request.fullScreen)
            askFullScreen(true);
        wl_surface_commit(surface);
    }
    if (!waitFor(&configured)) {
        if (!connectionLost)
            fprintf(stderr, "brinewings: the Wayland compositor on '%s' did not give the window a size within %lld s\n",
                    shownPath(displayName()), kWaylandAnswerWaitNs / 1000000000LL);
        return false;
    }
    // libdecor makes its toplevel only once it has started, so full screen is asked of it after
    // its first configure; a compositor that does not grant it in time leaves the window as it is.
    if (decorFrame != nullptr && request.fullScreen) {
        askFullScreen(true);
        waitFor(&fullScreenNow);
    }
    if (connectionLost || !makeContextWithBound())
        return false;
    opened = true;
    resizePending = true;
    return true;
}

static void pollEvents(long long waitNs)
{
    if (closed)
        return;
    long long repeatNs = nextKeyRepeatNs();
    if (repeatNs >= 0)
        waitNs = std::min(waitNs, std::max(0LL, repeatNs - osMonotonicNs()));
    if (resizePending)
        waitNs = 0;
    pumpDisplay(waitNs);
    if (closed)
        return;
    repeatHeldKey();
    if (resizePending) {
        resizePending = false;
        hooks.resize(bufferSize[0], bufferSize[1]);
    }
}

static void frameDone(void*, wl_callback* callback, uint32_t)
{
    wl_callback_destroy(callback);
    if (callback == frameCallback)
        frameCallback = nullptr;
}
static const wl_callback_listener kFrameListener = {frameDone};

// Shown while the compositor takes up the frames: one that gets no answer to its last frame is
// minimised, hidden or on no output. Throttled, the next frame waits for that answer, as the
// compositor paints; without (the benchmark), only an answer overdue by kUnansweredFrameNs holds.
static bool surfaceShown()
{
    if (closed || !configured)
        return false;
    if (frameCallback == nullptr)
        return true;
    return !throttled && osMonotonicNs() - frameAskedNs < kUnansweredFrameNs;
}

static void swapFrame()
{
    if (closed)
        return;
    if (frameCallback == nullptr) {
        frameCallback = wl_surface_frame(surface);
        wl_callback_add_listener(frameCallback, &kFrameListener, nullptr);
        frameAskedNs = osMonotonicNs();
    }
    if (eglSwapBuffers(eglDisplay, eglSurface) != EGL_TRUE)
        loseConnection();
}

static bool toggleFullScreen()
{
    fullScreenAsked = !fullScreenAsked;
    askFullScreen(fullScreenAsked);
    wl_display_flush(display);
    return true;
}

// The compositor answers a toggle with a configure in the new state; its size has reached the
// resize hook once no resize is pending.
static bool fullScreenSettled()
{
    return configured && fullScreenNow == fullScreenAsked && !resizePending;
}

static const char* setSwapIntervalZero(bool* set)
{
    throttled = false;
    *set = true;
    return "swap interval 0: frames not held for the compositor";
}

const Platform& waylandPlatform()
{
    static const Platform platform = [] {
        Platform p;
        p.name = "Wayland window";
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
