// frame.cpp -- draws one frame: camera, sun, aircraft, then the reference or the full scene
#include "flight/frame.h"

#include "aircraft/aircraft_body.h"
#include "aircraft/propellers.h"
#include "environment/reference_scene.h"
#include "environment/sea_sky.h"
#include "flight/flight.h"
#include "mountains/mountains.h"

#include <GL/freeglut.h>

static void placeCamera()
{
    gluLookAt((double)eye.x, (double)eye.y, (double)eye.z,
              (double)lookAt.x, (double)lookAt.y, (double)lookAt.z,
              0.0, 1.0, 0.0);
}

static void placeSun()
{
    // w = 0: a directional light from (0.3, 1, -1), set after the camera so it stays
    // fixed in the world.
    float sunPos[4] = {0.3f, 1.0f, -1.0f, 0.0f};
    glPushMatrix();
        glLightfv(GL_LIGHT0, GL_POSITION, sunPos);
    glPopMatrix();
}

static void drawFullScene()
{
    glLineWidth(1.0f);
    drawSea();
    drawSky();
    if (mountainsOn != 0) {
        for (int slot = 0; slot < kMountainSlots; slot++) {
            const MountainPlacement& at = mountainPlacements[slot];
            drawMountain(at.tx, at.ty, at.tz, at.sx, at.sy, at.sz, slot);
        }
    }
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

void display()
{
    drawFrame();
    glutSwapBuffers();
}
