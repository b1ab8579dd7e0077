// rendering_gl.h -- the fixed rendering state, the viewport and the projection
#pragma once

// Sets the state that stays fixed for the run: depth test, black clear colour, lighting with
// light 0, normal renormalisation, the fog parameters (fog itself stays off) and the start-up
// projection (kFieldOfView, kStartupNearPlane and kFarPlane of rendering_gl.cpp, with the aspect
// ratio of initWidth and initHeight, common/window_size.h). Leaves the matrix mode at
// GL_MODELVIEW. Call once, after the surface exists.
void initRendering();

// Follows a new surface size: viewport (0, 0, width, height), projection of kFieldOfView with
// the surface's aspect ratio, kNearPlane and kFarPlane, matrix mode back to GL_MODELVIEW, and the
// size stored in winWidth and winHeight. A zero height is taken as 1 for the aspect ratio, so the
// projection always stays finite.
void reshape(int width, int height);
