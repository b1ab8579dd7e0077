// gl_helpers.cpp -- reading back OpenGL state and pixels in the OpenGL tests
#include "support/gl_helpers.h"

#include "render/rendering_gl.h"
#include "flight/flight.h"

Pixel readPixel(int x, int y)
{
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return Pixel{rgb[0], rgb[1], rgb[2]};
}

std::array<float, 16> currentMatrix(GLenum which)
{
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

int modelviewDepth()
{
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

std::array<float, 4> frontMaterial(GLenum which)
{
    std::array<float, 4> c{};
    glGetMaterialfv(GL_FRONT, which, c.data());
    return c;
}

float frontShininess()
{
    float s = -1.0f;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &s);
    return s;
}

std::array<float, 4> currentColour()
{
    std::array<float, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

float lineWidth()
{
    float w = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &w);
    return w;
}

void prepareFirstFrame()
{
    resetFlight();
    initRendering();
    reshape(1200, 1200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
