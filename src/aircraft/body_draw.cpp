// body_draw.cpp -- places and draws the aircraft body ahead of and below the camera
#include "aircraft/body_draw.h"

#include "aircraft/aircraft_geometry.h"
#include "aircraft/mesh_draw.h"
#include "aircraft/mesh_model.h"
#include "common/colours.h"
#include "flight/flight.h"

#include <GL/gl.h>

#include <cmath>

static const double kAheadOfEye = 1.4;               // world units along the heading
static const double kBelowEye = 0.5;                 // world units
// Degrees per radian of the yaw. Deliberately not 180 / pi (57.29577951308232): it is
// 180 / 3.14159265, and the aircraft's yaw is defined with it. Writing 180 / pi instead
// would change the yaw's last bits and every picture that depends on them.
static const double kDegreesPerRadian = 57.29577957855229;
static const double kBankPerSteer = 30.0;            // degrees at full steering
static const double kYawOffset = 90.0;               // degrees: the model's nose is along -x
static const float kBodyShininess = 7.0f;             // specular exponent

// Diffuse colour of each body group: windows and cowlings black, the stripe purple, the fin
// and the trim blue, the rest yellow.
static const float* groupDiffuse(int group)
{
    if (group == kWindowsGroup || group == kCowlingsGroup)
        return black;
    if (group == kStripeGroup)
        return purple;
    if (group == kFinGroup || (group >= kFirstTrimGroup && group <= kLastTrimGroup))
        return blue;
    return yellow;
}

void applyAircraftPlacement()
{
    double h = (double)heading;
    glTranslatef((float)((double)eye.x + std::sin(h) * kAheadOfEye),
                 (float)((double)eye.y - kBelowEye),
                 (float)((double)eye.z + std::cos(h) * kAheadOfEye));
    glRotatef((float)(h * kDegreesPerRadian + kYawOffset), 0.0f, 1.0f, 0.0f);
    glRotatef((float)(-(double)steer * kBankPerSteer), 1.0f, 0.0f, 0.0f);
}

void drawAircraftBody()
{
    MeshTables tables = meshTables(aircraftModel);
    glPushMatrix();
        applyAircraftPlacement();
        const float scale = (float)kModelScale;
        glScalef(scale, scale, scale);
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
