// propeller_draw.cpp -- the two counter-rotating propellers drawn from propellerModel
#include "aircraft/propeller_draw.h"

#include "aircraft/body_draw.h"
#include "aircraft/mesh_draw.h"
#include "aircraft/mesh_model.h"
#include "common/colours.h"
#include "flight/flight.h"

#include <GL/gl.h>

static const float kSecondOffset = -0.421f;     // world units along the placed frame's z
static const float kModelScale = 0.6f;
static const float kPivotY = -0.15f;            // model units: the spin axis runs through
static const float kPivotZ = 0.35f;             // (0, kPivotY, kPivotZ) parallel to x
static const int kPropellerFacesDrawn = 133;    // per group
// Spin: degrees per unit of propTime (which grows by 0.001 per tick), times speed scaled by
// kSpinPerSpeed, so a faster flight spins the blades faster.
static const double kSpinDegreesPerPropTime = 10000.0;
static const double kSpinPerSpeed = 10.0;       // per world unit per tick

float propellerSpinAngle(int propeller)
{
    double angle = (double)propTime * kSpinDegreesPerPropTime * ((double)speed * kSpinPerSpeed);
    return (float)(propeller == 0 ? -angle : angle);
}

void applyPropellerPlacement(int propeller)
{
    applyAircraftPlacement();
    if (propeller != 0)
        glTranslatef(0.0f, 0.0f, kSecondOffset);
    glScalef(kModelScale, kModelScale, kModelScale);
    glTranslatef(0.0f, kPivotY, kPivotZ);
    glRotatef(propellerSpinAngle(propeller), 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -kPivotY, -kPivotZ);
}

// Both groups of propellerModel under the current matrix, then shininess 0.
static void drawPropellerGeometry()
{
    MeshTables tables = meshTables(propellerModel);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specularColour);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, yellow);
    drawMeshGroup(tables, 0, kPropellerFacesDrawn, wireframe);
    glMaterialfv(GL_FRONT, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, red);
    drawMeshGroup(tables, 1, kPropellerFacesDrawn, wireframe);
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
}

void drawPropellers()
{
    for (int propeller = 0; propeller < 2; propeller++) {
        glPushMatrix();
            applyPropellerPlacement(propeller);
            drawPropellerGeometry();
        glPopMatrix();
    }
}
