// reference_scene_draw.cpp -- axes, sphere and grid at the world origin
#include "environment/reference_scene_draw.h"

#include "common/colours.h"
#include "flight/flight.h"

#include <GL/gl.h>
#include <GL/glu.h>

static const float kAxisWidth = 5.0f;   // pixels
static const double kSphereRadius = 0.5;
static const int kSphereSlices = 16;
static const int kSphereStacks = 16;
static const int kGridHalfCount = 10;   // squares centred on -10 .. 10 in x and in z

static void drawAxes()
{
    glLineWidth(kAxisWidth);
    glBegin(GL_LINES);
        glColor3f(1.0f, 0.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glVertex3f(1.0f, 0.0f, 0.0f);
        glColor3f(0.0f, 1.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glVertex3f(0.0f, 1.0f, 0.0f);
        glColor3f(0.0f, 0.0f, 1.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 1.0f);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
}

static void drawSphere()
{
    GLUquadric* quadric = gluNewQuadric();
    if (wireframe == 0) {
        glEnable(GL_LIGHTING);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
        glMaterialfv(GL_FRONT, GL_AMBIENT, black);
        glMaterialfv(GL_FRONT, GL_SPECULAR, black);
        if (quadric != nullptr) {
            gluQuadricNormals(quadric, GLU_SMOOTH);
            gluQuadricDrawStyle(quadric, GLU_FILL);
        }
        glShadeModel(GL_SMOOTH);
    } else {
        glLineWidth(1.0f);
        if (quadric != nullptr) {
            gluQuadricNormals(quadric, GLU_NONE);
            gluQuadricDrawStyle(quadric, GLU_LINE);
        }
        glMaterialfv(GL_FRONT, GL_AMBIENT, black);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    }
    // Without a quadric (GLU out of memory) the sphere is skipped for this frame.
    if (quadric != nullptr) {
        gluSphere(quadric, kSphereRadius, kSphereSlices, kSphereStacks);
        gluDeleteQuadric(quadric);
    }
}

static void drawGrid()
{
    for (int i = -kGridHalfCount; i <= kGridHalfCount; i++) {
        for (int j = -kGridHalfCount; j <= kGridHalfCount; j++) {
            float x = (float)i;
            float z = (float)j;
            glBegin(GL_LINE_LOOP);
                glVertex3f(x - 1.0f, 0.0f, z + 1.0f);
                glVertex3f(x + 1.0f, 0.0f, z + 1.0f);
                glVertex3f(x + 1.0f, 0.0f, z - 1.0f);
                glVertex3f(x - 1.0f, 0.0f, z - 1.0f);
            glEnd();
        }
    }
}

void drawReferenceScene()
{
    glDisable(GL_LIGHTING);
    glPushMatrix();
        drawAxes();
        drawSphere();
    glPopMatrix();

    glLineWidth(1.0f);
    glDisable(GL_LIGHTING);
    drawGrid();
    glEnable(GL_LIGHTING);
}
