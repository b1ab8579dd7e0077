// pixel_format_win32.h -- the WGL pixel format most like the Linux window's visual
#pragma once

#include <windows.h>

// What a pixel format offers, in bits per pixel of each buffer.
struct PixelFormatBits {
    int red = 0, green = 0, blue = 0, alpha = 0, depth = 0, stencil = 0;
};

// GLX gives the Linux window 8-bit red, green and blue, no alpha, the deepest depth buffer and
// no stencil; the off-screen EGL surface is chosen the same way. The same choice here lets the
// same renderer draw the same pixels. Looks at formats 1..count through describe (false: the
// format does not qualify: not OpenGL, not the surface wanted, not RGBA) and returns the best
// with 8-bit RGB and a depth buffer: least alpha, then deepest depth, then least stencil, the
// lowest number among equals. 0 when none qualifies.
int chooseWindowLikeFormat(int count, bool (*describe)(HDC dc, int format, PixelFormatBits* bits), HDC dc);

// describe for SetPixelFormat's own formats (DescribePixelFormat) with all of flags set,
// RGBA, and not Windows' generic software renderer unless they draw to a bitmap.
bool describeGdiFormat(HDC dc, int format, PixelFormatBits* bits, DWORD flags);

// Sets on dc the best format with flags (PFD_DRAW_TO_WINDOW, PFD_DRAW_TO_BITMAP, ...), GL's
// support and, for a window, double buffering. False after one line on standard error naming
// what for (what: "the window", "the memory bitmap"; nullptr: no line).
bool setWindowLikeFormat(HDC dc, DWORD flags, const char* what);
