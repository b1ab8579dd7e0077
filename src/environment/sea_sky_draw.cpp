// sea_sky_draw.cpp -- draws the textured sea disk and the textured sky cylinder
#include "environment/sea_sky_draw.h"

#include "environment/texture_gl.h"
#include "flight/flight.h"

#include <GL/gl.h>
#include <GL/glu.h>

static const double kSeaRadius = 500.0;   // world units
static const int kSeaSlices = 40;
static const int kSeaLoops = 50;
static const double kSkyRadius = 495.0;   // world units
static const double kSkyHeight = 1000.0;  // world units, from the upper rim down
static const float kSkyTop = 995.0f;      // world y of the upper rim
static const int kSkySlices = 100;
static const int kSkyStacks = 100;

void drawSea()
{
    glDisable(GL_LIGHTING);
    GLUquadric* quadric = gluNewQuadric();
    glPushMatrix();
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        if (wireframe != 0) {
            if (quadric != nullptr)
                gluQuadricDrawStyle(quadric, GLU_LINE);
        } else {
            glColor3f(1.0f, 1.0f, 1.0f);
            if (quadric != nullptr)
                gluQuadricDrawStyle(quadric, GLU_FILL);
            glShadeModel(GL_SMOOTH);
            if (quadric != nullptr)
                gluQuadricNormals(quadric, GLU_SMOOTH);
        }
        if (quadric != nullptr)
            gluQuadricTexture(quadric, GL_TRUE);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, seaTexture);
        if (fogOn != 0)
            glEnable(GL_FOG);
        // Without a quadric (GLU out of memory) the sea is skipped for this frame.
        if (quadric != nullptr)
            gluDisk(quadric, 0.0, kSeaRadius, kSeaSlices, kSeaLoops);
        glDisable(GL_FOG);
        glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
    if (quadric != nullptr)
        gluDeleteQuadric(quadric);
    glEnable(GL_LIGHTING);
}

void drawSky()
{
    glDisable(GL_LIGHTING);
    GLUquadric* quadric = gluNewQuadric();
    glPushMatrix();
        glTranslatef(0.0f, kSkyTop, 0.0f);
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        if (quadric != nullptr) {
            if (wireframe != 0) {
                // No texture coordinates: every line takes the texel at the coordinate the
                // sea's last vertex left current.
                gluQuadricDrawStyle(quadric, GLU_LINE);
            } else {
                gluQuadricDrawStyle(quadric, GLU_FILL);
                gluQuadricTexture(quadric, GL_TRUE);
            }
        }
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, skyTexture);
        // Without a quadric (GLU out of memory) the sky is skipped for this frame.
        if (quadric != nullptr)
            gluCylinder(quadric, kSkyRadius, kSkyRadius, kSkyHeight, kSkySlices, kSkyStacks);
        glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    if (quadric != nullptr)
        gluDeleteQuadric(quadric);
    glEnable(GL_LIGHTING);
}
