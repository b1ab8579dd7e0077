// window_platform_win32.cpp -- the window platform on Windows: a Win32 window with a WGL context,
// its messages turned into flight events, full screen as a borderless window on its monitor
#include "common/extension_list.h"
#include "common/window_size.h"
#include "flight/flight_file.h"
#include "platform/pixel_format_win32.h"
#include "platform/platform.h"
#include "platform/wayland_platform.h"

#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

// kWindowIcon: the same pictures as the installed icon, generated at build time: for each size
// its width, its height, then its pixels as 0xAARRGGBB, rows from the top.
#include "brinewings_window_icon.inc"

static const DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
static const DWORD kFullScreenStyle = WS_POPUP;
static const int kSmallestSide = 64;  // pixels; a window never fitted below this

static PlatformHooks hooks;
static HWND window = nullptr;
static HDC windowDc = nullptr;
static bool closed = false;
static bool fullScreenAsked = false;  // the state the last request (--fullscreen, a toggle) asked for
static bool fullScreenNow = false;    // the state the window is in
static WINDOWPLACEMENT placementBefore = {};  // the window before full screen
static int pendingSize[2] = {-1, -1};  // pixels: a client size not yet handed to the resize hook
static LPARAM lastPointer = -1;        // the last pointer position seen, as WM_MOUSEMOVE gives it

// The special keys in FlightSpecialKey order, as virtual-key codes.
static const int kVirtualSpecialKeys[kSpecialKeyCount] = {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT};

static void noteClientSize()
{
    RECT client;
    if (window != nullptr && GetClientRect(window, &client) && !IsIconic(window)) {
        pendingSize[0] = client.right - client.left;
        pendingSize[1] = client.bottom - client.top;
    }
}

static LRESULT CALLBACK windowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHAR:
        // The characters a keyboard types as one byte; the bindings are all ASCII letters.
        if (wParam < 256)
            hooks.input(kFlightKey, (int)wParam, 0);
        return 0;
    case WM_KEYDOWN:
        for (int i = 0; i < kSpecialKeyCount; i++) {
            if (kVirtualSpecialKeys[i] == (int)wParam)
                hooks.input(kFlightSpecial, i, 0);
        }
        return 0;
    case WM_MOUSEMOVE: {
        // Only motion with no button held steers, as freeglut's passive motion. Windows repeats
        // the last position when a window appears or changes under a still pointer: no motion.
        if ((wParam & (MK_LBUTTON | MK_MBUTTON | MK_RBUTTON)) != 0 || lParam == lastPointer)
            return 0;
        lastPointer = lParam;
        int x = (short)LOWORD(lParam);
        hooks.input(kFlightPointer, std::clamp(x, -kFlightMaxCoordinate, kFlightMaxCoordinate),
                    std::clamp(winWidth, 1, kFlightMaxCoordinate));
        return 0;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            pendingSize[0] = LOWORD(lParam);
            pendingSize[1] = HIWORD(lParam);
        }
        return 0;
    case WM_SYSCOMMAND:
        // Alt and F10 would enter the menu's modal loop, which holds the run's loop up.
        if ((wParam & 0xfff0) == SC_KEYMENU)
            return 0;
        break;
    case WM_ERASEBKGND:
        return 1;  // the frame covers the whole client area
    case WM_PAINT:
        ValidateRect(hwnd, nullptr);
        return 0;
    case WM_CLOSE:
        // A request the run acts on: the window stays until the process ends.
        if (!closed) {
            closed = true;
            hooks.close();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The icon of the size nearest side from above (else the largest), or null.
static HICON windowIcon(int side)
{
    const unsigned* at = kWindowIcon;
    const unsigned* end = kWindowIcon + sizeof kWindowIcon / sizeof kWindowIcon[0];
    const unsigned* best = nullptr;
    while (end - at >= 2 && (size_t)(end - at - 2) >= (size_t)at[0] * at[1]) {
        int width = (int)at[0];
        bool fits = width >= side;
        if (best == nullptr || (fits && (width < (int)best[0] || (int)best[0] < side)) ||
            (!fits && (int)best[0] < side && width > (int)best[0]))
            best = at;
        at += 2 + (size_t)at[0] * at[1];
    }
    if (best == nullptr)
        return nullptr;
    int width = (int)best[0], height = (int)best[1];
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HICON icon = nullptr;
    if (colour != nullptr && mask != nullptr) {
        // 0xAARRGGBB in memory is blue, green, red, alpha: a 32-bit bitmap's own order.
        memcpy(pixels, best + 2, (size_t)width * height * 4);
        ICONINFO iconInfo = {TRUE, 0, 0, mask, colour};
        icon = CreateIconIndirect(&iconInfo);
    }
    if (colour != nullptr)
        DeleteObject(colour);
    if (mask != nullptr)
        DeleteObject(mask);
    return icon;
}

static bool available(const SurfaceRequest&)
{
    if (GetSystemMetrics(SM_CXSCREEN) > 0)
        return true;
    fprintf(stderr, "brinewings: no desktop to open a window on; start it from a desktop session\n");
    return false;
}

// The outer rectangle of a window with a client area of width x height, placed in the middle
// of the work area. With fit, a default square that does not fit there with its frame is made
// the largest square that does.
static RECT placedWindow(int width, int height, bool fit)
{
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    if (fit && (width + frameWidth > workWidth || height + frameHeight > workHeight)) {
        int side = std::max(kSmallestSide, std::min(workWidth - frameWidth, workHeight - frameHeight));
        width = side;
        height = side;
    }
    int outerWidth = width + frameWidth, outerHeight = height + frameHeight;
    int left = work.left + std::max(0, (workWidth - outerWidth) / 2);
    int top = work.top + std::max(0, (workHeight - outerHeight) / 2);
    return {left, top, left + outerWidth, top + outerHeight};
}

static void applyFullScreen(bool on)
{
    if (on == fullScreenNow)
        return;
    if (on) {
        placementBefore.length = sizeof placementBefore;
        GetWindowPlacement(window, &placementBefore);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& area = monitor.rcMonitor;
        SetWindowLongPtrW(window, GWL_STYLE, (LONG_PTR)(kFullScreenStyle | (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE)));
        SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    } else {
        SetWindowLongPtrW(window, GWL_STYLE, (LONG_PTR)(kWindowStyle | (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE)));
        SetWindowPlacement(window, &placementBefore);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    }
    fullScreenNow = on;
    noteClientSize();
}

static bool openWindow(const SurfaceRequest& request, const PlatformHooks& platformHooks)
{
    hooks = platformHooks;
    // Sizes in real pixels: otherwise Windows stretches the frames of a window on a scaled display.
    SetProcessDPIAware();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = windowMessage;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    windowClass.hIcon = windowIcon(GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = windowIcon(GetSystemMetrics(SM_CXSMICON));
    windowClass.lpszClassName = L"brinewings";
    if (RegisterClassExW(&windowClass) == 0) {
        fprintf(stderr, "brinewings: cannot register the window class (Windows error %lu)\n",
                (unsigned long)GetLastError());
        return false;
    }
    // A size asked for (--size, -geometry) is kept as given; the default square is fitted to
    // the work area.
    bool sized = request.width != 0;
    RECT outer = placedWindow(sized ? request.width : kWindowSide, sized ? request.height : kWindowSide, !sized);
    window = CreateWindowExW(0, L"brinewings", L"brinewings", kWindowStyle, outer.left, outer.top,
                             outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        fprintf(stderr, "brinewings: cannot create the window (Windows error %lu)\n", (unsigned long)GetLastError());
        return false;
    }
    windowDc = GetDC(window);
    if (!setWindowLikeFormat(windowDc, PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER, "the window"))
        return false;
    HGLRC context = wglCreateContext(windowDc);
    if (context == nullptr || !wglMakeCurrent(windowDc, context)) {
        fprintf(stderr, "brinewings: cannot make the window's OpenGL context current (Windows error %lu)\n",
                (unsigned long)GetLastError());
        return false;
    }
    fullScreenAsked = request.fullScreen;
    applyFullScreen(request.fullScreen);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);
    noteClientSize();
    POINT pointer;
    if (GetCursorPos(&pointer) && ScreenToClient(window, &pointer))
        lastPointer = MAKELPARAM(pointer.x, pointer.y);
    return true;
}

static void takeMessages()
{
    MSG message;
    while (!closed && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (pendingSize[0] >= 0 && !closed) {
        int width = pendingSize[0], height = pendingSize[1];
        pendingSize[0] = pendingSize[1] = -1;
        hooks.resize(width, height);
    }
}

static void pollEvents(long long waitNs)
{
    if (closed)
        return;
    takeMessages();
    if (waitNs > 0 && !closed) {
        DWORD milliseconds = (DWORD)std::min(waitNs / 1000000 + 1, 1000LL);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
        takeMessages();
    }
}

static bool surfaceShown()
{
    return window != nullptr && !closed && IsWindowVisible(window) && !IsIconic(window) && pendingSize[0] < 0;
}

static void swapFrame()
{
    SwapBuffers(windowDc);
}

// The window changes at once; its new size reaches the resize hook at the next poll.
static bool toggleFullScreen()
{
    fullScreenAsked = !fullScreenAsked;
    applyFullScreen(fullScreenAsked);
    return true;
}

static bool fullScreenSettled()
{
    RECT client;
    if (fullScreenNow != fullScreenAsked || pendingSize[0] >= 0 || !GetClientRect(window, &client))
        return false;
    return client.right - client.left == winWidth && client.bottom - client.top == winHeight;
}

static const char* setSwapIntervalZero(bool* set)
{
    *set = false;
    auto extensions = (const char* (WINAPI*)())(void*)wglGetProcAddress("wglGetExtensionsStringEXT");
    const char* list = extensions != nullptr ? extensions() : nullptr;
    if (hasExtension(list, "WGL_EXT_swap_control")) {
        auto setInterval = (BOOL (WINAPI*)(int))(void*)wglGetProcAddress("wglSwapIntervalEXT");
        if (setInterval != nullptr && setInterval(0)) {
            *set = true;
            return "swap interval 0 through WGL_EXT_swap_control";
        }
    }
    return "swap interval unchanged: the driver offers no WGL swap control extension";
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

static bool noWayland(const SurfaceRequest&)
{
    fprintf(stderr, "brinewings: Windows has no Wayland display; leave out --platform wayland\n");
    return false;
}

// Windows has no Wayland: a run that asks for it is told so in one line before any window opens.
const Platform& waylandPlatform()
{
    static const Platform platform = [] {
        Platform p = windowPlatform();
        p.name = "wayland";
        p.available = noWayland;
        return p;
    }();
    return platform;
}
