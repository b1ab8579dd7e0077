// rendering_gl.h -- the fixed rendering state, the viewport and the projection
#pragma once

// Width and height of the window requested at start-up, pixels.
inline constexpr int kWindowSide = 1200;

extern int initWidth;   // pixels; width for the start-up projection's aspect ratio; kWindowSide
extern int initHeight;  // pixels; height for the start-up projection's aspect ratio; kWindowSide
extern int winWidth;    // pixels; current window width, written by reshape, read by mouseMove
extern int winHeight;   // pixels; current window height, written by reshape

// Sets the state that stays fixed for the run: depth test, black clear colour, lighting with
// light 0, normal renormalisation, the fog parameters (fog itself stays off) and the start-up
// projection (kFieldOfView, kStartupNearPlane, kFarPlane of rendering.cpp). Leaves the matrix
// mode at GL_MODELVIEW.
// Call once, after the window exists.
void initRendering();

// The reshape callback: viewport (0, 0, width, height), projection of kFieldOfView with the
// window's aspect ratio, kNearPlane and kFarPlane, matrix mode back to GL_MODELVIEW, and the size
// stored in winWidth and winHeight. A zero height is taken as 1 for the aspect ratio, so the
// projection always stays finite.
void reshape(int width, int height);
