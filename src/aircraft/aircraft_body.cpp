// aircraft_body.cpp -- places and draws the aircraft body ahead of and below the camera
#include "aircraft/aircraft_body.h"

#include "aircraft/mesh_draw.h"
#include "aircraft/mesh_model.h"
#include "common/colours.h"
#include "flight/flight.h"

#include <GL/gl.h>

#include <cmath>

static const double kAheadOfEye = 1.4;               // world units along the heading
static const double kBelowEye = 0.5;                 // world units
static const double kDegreesPerRadian = 57.29577957855229;
static const double kBankPerSteer = 30.0;            // degrees at full steering
static const float kModelScale = 0.6f;
static const float kBodyShininess = 7.0f;

// Diffuse colour of each body group.
static const float* groupDiffuse(int group)
{
    if (group == 4 || group == 5)
        return black;
    if (group == 6)
        return purple;
    if (group == 7 || (group >= 14 && group <= 25))
        return blue;
    return yellow;
}

void applyAircraftPlacement()
{
    double h = (double)heading;
    glTranslatef((float)((double)eye.x + std::sin(h) * kAheadOfEye),
                 (float)((double)eye.y - kBelowEye),
                 (float)((double)eye.z + std::cos(h) * kAheadOfEye));
    glRotatef((float)(h * kDegreesPerRadian + 90.0), 0.0f, 1.0f, 0.0f);
    glRotatef((float)(-(double)steer * kBankPerSteer), 1.0f, 0.0f, 0.0f);
}

void drawAircraftBody()
{
    MeshTables tables = meshTables(aircraftModel);
    glPushMatrix();
        applyAircraftPlacement();
        glScalef(kModelScale, kModelScale, kModelScale);
        glMaterialfv(GL_FRONT, GL_AMBIENT, paleBlue);
        glMaterialfv(GL_FRONT, GL_SPECULAR, specularColour);
        glMaterialf(GL_FRONT, GL_SHININESS, kBodyShininess);
        for (int g = 0; g < kAircraftGroups; g++) {
            glMaterialfv(GL_FRONT, GL_DIFFUSE, groupDiffuse(g));
            drawMeshGroup(tables, g, kAircraftFacesPerGroup, wireframe);
        }
    glPopMatrix();
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
}
