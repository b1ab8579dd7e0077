// pixel_format_win32.cpp -- the WGL pixel format most like the Linux window's visual
#include "platform/pixel_format_win32.h"

#include <cstdio>

int chooseWindowLikeFormat(int count, bool (*describe)(HDC dc, int format, PixelFormatBits* bits), HDC dc)
{
    int best = 0;
    PixelFormatBits chosen;
    for (int format = 1; format <= count; format++) {
        PixelFormatBits bits;
        if (!describe(dc, format, &bits) || bits.red != 8 || bits.green != 8 || bits.blue != 8 || bits.depth < 1)
            continue;
        bool better = best == 0 || bits.alpha < chosen.alpha ||
                      (bits.alpha == chosen.alpha &&
                       (bits.depth > chosen.depth || (bits.depth == chosen.depth && bits.stencil < chosen.stencil)));
        if (better) {
            best = format;
            chosen = bits;
        }
    }
    return best;
}

static DWORD wantedFlags = 0;  // the flags the format being chosen must have

bool describeGdiFormat(HDC dc, int format, PixelFormatBits* bits, DWORD flags)
{
    PIXELFORMATDESCRIPTOR pfd = {};
    if (DescribePixelFormat(dc, format, sizeof pfd, &pfd) == 0)
        return false;
    if ((pfd.dwFlags & flags) != flags || pfd.iPixelType != PFD_TYPE_RGBA)
        return false;
    // Windows' own renderer is OpenGL 1.1 on the CPU: a window takes the driver's formats, a
    // memory bitmap has no other.
    bool generic = (pfd.dwFlags & PFD_GENERIC_FORMAT) != 0 && (pfd.dwFlags & PFD_GENERIC_ACCELERATED) == 0;
    if (generic && (flags & PFD_DRAW_TO_BITMAP) == 0)
        return false;
    // The memory bitmap is a 32-bit DIB section: a format of other pixels would draw it askew.
    if ((flags & PFD_DRAW_TO_BITMAP) != 0 && pfd.cColorBits != 32)
        return false;
    bits->red = pfd.cRedBits;
    bits->green = pfd.cGreenBits;
    bits->blue = pfd.cBlueBits;
    bits->alpha = pfd.cAlphaBits;
    bits->depth = pfd.cDepthBits;
    bits->stencil = pfd.cStencilBits;
    return true;
}

static bool describeWanted(HDC dc, int format, PixelFormatBits* bits)
{
    return describeGdiFormat(dc, format, bits, wantedFlags);
}

bool setWindowLikeFormat(HDC dc, DWORD flags, const char* what)
{
    wantedFlags = flags | PFD_SUPPORT_OPENGL;
    int count = DescribePixelFormat(dc, 1, sizeof(PIXELFORMATDESCRIPTOR), nullptr);
    int format = chooseWindowLikeFormat(count, describeWanted, dc);
    PIXELFORMATDESCRIPTOR pfd = {};
    if (format == 0 || DescribePixelFormat(dc, format, sizeof pfd, &pfd) == 0) {
        if (what != nullptr)
            fprintf(stderr, "brinewings: no OpenGL pixel format with 8-bit colour and a depth buffer for %s\n", what);
        return false;
    }
    if (!SetPixelFormat(dc, format, &pfd)) {
        if (what != nullptr)
            fprintf(stderr, "brinewings: cannot set the OpenGL pixel format of %s (Windows error %lu)\n", what,
                (unsigned long)GetLastError());
        return false;
    }
    return true;
}
