// propeller_draw.cpp -- the two counter-rotating propellers drawn from propellerModel
#include "aircraft/propeller_draw.h"

#include "aircraft/aircraft_geometry.h"
#include "aircraft/body_draw.h"
#include "aircraft/mesh_draw.h"
#include "aircraft/mesh_model.h"
#include "common/colours.h"
#include "flight/flight.h"

#include <GL/gl.h>

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
    const float scale = (float)kModelScale;
    const float pivotY = (float)kPropellerPivotY;
    const float pivotZ = (float)kPropellerPivotZ;
    applyAircraftPlacement();
    if (propeller != 0)
        glTranslatef(0.0f, 0.0f, (float)kSecondPropellerOffset);
    glScalef(scale, scale, scale);
    glTranslatef(0.0f, pivotY, pivotZ);
    glRotatef(propellerSpinAngle(propeller), 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -pivotY, -pivotZ);
}

// Both groups of propellerModel under the current matrix, then shininess 0.
static void drawPropellerGeometry()
{
    MeshTables tables = meshTables(propellerModel);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specularColour);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, yellow);
    drawMeshGroup(tables, kBladesGroup, kPropellerFacesDrawn, wireframe);
    glMaterialfv(GL_FRONT, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, red);
    drawMeshGroup(tables, kSpinnerGroup, kPropellerFacesDrawn, wireframe);
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
