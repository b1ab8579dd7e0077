// rendering_gl.cpp -- fixed rendering state, viewport and projection
#include "render/rendering_gl.h"

#include "common/colours.h"
#include "common/window_size.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

static const double kFieldOfView = 90.0;       // degrees, vertical
static const double kFarPlane = 1000.0;        // world units
// The start-up projection is replaced by reshape's before the first frame is drawn.
static const double kStartupNearPlane = 0.001; // world units
static const double kNearPlane = 0.2;          // world units: nearer geometry is clipped
static const float kFogDensity = 0.005f;       // per world unit, of the exponential fog

void initRendering()
{
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    glMatrixMode(GL_PROJECTION);
        gluPerspective(kFieldOfView, (double)((float)initWidth / (float)initHeight), kStartupNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);

    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);

    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_MODE, (float)GL_EXP);
    glFogf(GL_FOG_DENSITY, kFogDensity);
}

void reshape(int width, int height)
{
    glViewport(0, 0, width, height);

    // A minimised or collapsed window reports a zero height; dividing by it would put an
    // infinite or NaN aspect ratio into the projection.
    int aspectHeight = std::max(height, 1);

    glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(kFieldOfView, (double)((float)width / (float)aspectHeight), kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);

    winWidth = width;
    winHeight = height;
}
