// frame_draw.cpp -- draws one frame: camera, sun, aircraft, then the reference or the full scene
#include "render/frame_draw.h"

#include "aircraft/body_draw.h"
#include "aircraft/propeller_draw.h"
#include "environment/reference_scene_draw.h"
#include "environment/sea_sky_draw.h"
#include "flight/flight.h"
#include "mountains/mountains.h"

#include <GL/gl.h>
#include <GL/glu.h>

static const float kSceneLineWidth = 1.0f;  // pixels: wireframe sea, sky and mountains

static void placeCamera()
{
    gluLookAt((double)eye.x, (double)eye.y, (double)eye.z,
              (double)lookAt.x, (double)lookAt.y, (double)lookAt.z,
              0.0, 1.0, 0.0);
}

static void placeSun()
{
    glPushMatrix();
        glLightfv(GL_LIGHT0, GL_POSITION, kSunDirection);
    glPopMatrix();
}

static void drawFullScene()
{
    glLineWidth(kSceneLineWidth);
    drawSea();
    drawSky();
    if (mountainsOn != 0)
        drawMountains();
}

void drawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    placeCamera();
    placeSun();

    drawAircraftBody();
    drawPropellers();

    if (referenceScene != 0)
        drawReferenceScene();
    else
        drawFullScene();
}
