// mountain_draw.cpp -- draws one generated mountain slot, placed and banded by height
#include "mountains/mountains.h"

#include "common/colours.h"
#include "flight/flight.h"

#include <GL/gl.h>

const MountainPlacement mountainPlacements[kMountainSlots] = {
    {0.0f, -0.6f, 5.0f, 70.0f, 8.0f, 30.0f},      // world x -70..70, z 120..180, y -4.8..3.2
    {-3.0f, -0.8f, 0.0f, 100.0f, 50.0f, 100.0f},  // world x -400..-200, z -100..100, y -40..10
    {1.0f, -0.8f, -1.0f, 70.0f, 50.0f, 70.0f},    // world x 0..140, z -140..0, y -40..10
};

static const double kGreenFrom = 0.9;  // model height where the slopes turn from brown to green
static const double kWhiteFrom = 1.0;  // model height of the apex and above: snow

// The diffuse colour of a corner at model height y, compared in double.
static const float* bandColour(float y)
{
    if ((double)y < kGreenFrom)
        return brown;
    if ((double)y < kWhiteFrom)
        return green;
    return white;
}

void drawMountain(float tx, float ty, float tz, float sx, float sy, float sz, int slot)
{
    if (slot < 0 || slot >= kMountainSlots)
        return;
    const MountainSlot& mountain = mountainSlots[slot];
    GLenum primitive = wireframe != 0 ? GL_LINE_LOOP : GL_POLYGON;

    glPushMatrix();
        glScalef(sx, sy, sz);
        glTranslatef(tx, ty, tz);

        glDisable(GL_LIGHTING);
        glMaterialf(GL_FRONT, GL_SHININESS, 1.0f);
        glMaterialfv(GL_FRONT, GL_SPECULAR, black);
        glEnable(GL_LIGHTING);

        // The used quads fill the table from the front; the first free entry ends them.
        for (int k = 0; k < kMountainEntries && !isFreeQuad(mountain.quads[k]); k++) {
            const MountainQuad& quad = mountain.quads[k];
            if (!cornersInTable(quad))
                continue;
            glBegin(primitive);
                glNormal3fv(&mountain.normals[k].x);
                for (int c = 0; c < 4; c++) {
                    const Vec3& corner = mountain.vertices[quad.corner[c]];
                    glMaterialfv(GL_FRONT, GL_DIFFUSE, bandColour(corner.y));
                    glVertex3f(corner.x, corner.y, corner.z);
                }
            glEnd();
        }
    glPopMatrix();
}

void drawMountains()
{
    for (int slot = 0; slot < kMountainSlots; slot++) {
        const MountainPlacement& at = mountainPlacements[slot];
        drawMountain(at.tx, at.ty, at.tz, at.sx, at.sy, at.sz, slot);
    }
}
