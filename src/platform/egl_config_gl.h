// egl_config_gl.h -- the EGL configuration every EGL surface of the program draws with
#pragma once

#include <EGL/egl.h>

// The window asks freeglut for RGB, double buffering and a depth buffer; GLX then gives it
// 8-bit red, green and blue, no alpha, the deepest depth buffer and no stencil. The same choice
// on EGL (off-screen pbuffers, Wayland windows) lets the same renderer draw the same pixels.
// surfaceType: EGL_PBUFFER_BIT or EGL_WINDOW_BIT. Returns nullptr when no 8-bit RGB desktop
// OpenGL configuration of that surface type has a depth buffer.
EGLConfig windowLikeConfig(EGLDisplay display, EGLint surfaceType);
