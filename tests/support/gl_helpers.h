// gl_helpers.h -- reading back OpenGL state and pixels in the OpenGL tests
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>

struct Pixel {
    int r;
    int g;
    int b;
};

// The pixel at window coordinates (x, y) of the back buffer, (0, 0) at the bottom left.
Pixel readPixel(int x, int y);

// The current matrix of the given kind (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX).
std::array<float, 16> currentMatrix(GLenum which);

int modelviewDepth();

// A front-face material colour (GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR).
std::array<float, 4> frontMaterial(GLenum which);
float frontShininess();

std::array<float, 4> currentColour();
float lineWidth();

// Sets up a 1200 x 1200 viewport and projection as the program has at its first frame,
// with the fixed rendering state, and the modelview at identity.
void prepareFirstFrame();
