// rendering.cpp -- fixed rendering state, viewport and projection
#include "app/rendering.h"

#include "common/colours.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

int initWidth = 1200;
int initHeight = 1200;
int winWidth = 1200;
int winHeight = 1200;

static const double kFieldOfView = 90.0;  // degrees, vertical
static const double kFarPlane = 1000.0;   // world units

void initRendering()
{
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    glMatrixMode(GL_PROJECTION);
        gluPerspective(kFieldOfView, (double)((float)initWidth / (float)initHeight), 0.001, kFarPlane);
    glMatrixMode(GL_MODELVIEW);

    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);

    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_MODE, (float)GL_EXP);
    glFogf(GL_FOG_DENSITY, 0.005f);
}

void reshape(int width, int height)
{
    glViewport(0, 0, width, height);

    // A minimised or collapsed window reports a zero height; dividing by it would put an
    // infinite or NaN aspect ratio into the projection.
    int aspectHeight = std::max(height, 1);

    glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(kFieldOfView, (double)((float)width / (float)aspectHeight), 0.2, kFarPlane);
    glMatrixMode(GL_MODELVIEW);

    winWidth = width;
    winHeight = height;
}
