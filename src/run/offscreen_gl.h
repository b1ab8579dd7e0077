// offscreen_gl.h -- a desktop OpenGL context with no window and no X server: EGL's surfaceless
// platform drawing into a pbuffer
#pragma once

// Makes an OpenGL compatibility context current on a pbuffer of width x height pixels through
// EGL_MESA_platform_surfaceless, without any X connection. The pbuffer has the window's
// formats (8-bit RGB, the deepest depth buffer EGL offers, no stencil), so the same renderer
// draws the same pixels; frame capture reads its GL_BACK as in a window. Returns false with
// one line on standard error when EGL has no such platform, configuration, context or
// pbuffer; nothing has been drawn then.
bool startOffscreen(int width, int height);

// Ends an off-screen frame where a window would swap: waits until it is fully drawn.
void finishOffscreenFrame();
