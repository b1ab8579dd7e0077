// input.cpp -- keyboard and mouse callbacks
#include "app/input.h"

#include "app/rendering.h"
#include "flight/flight.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdlib>

// Speed levels in world units per tick. The bounds are doubles compared with the float speed.
static const double kSpeedUpBelow = 0.55;   // Page Up acts while speed is below this
static const double kSlowDownAbove = 0.1;   // Page Down acts while speed is above this
static const double kSpeedStep = 0.05;      // change per press

static int flipped(int flag)
{
    return flag == 0 ? 1 : 0;
}

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case 'w': case 'W': wireframe = flipped(wireframe); break;
    case 's': case 'S': referenceScene = flipped(referenceScene); break;
    case 'b': case 'B': fogOn = flipped(fogOn); break;
    case 'm': case 'M': mountainsOn = flipped(mountainsOn); break;
    case 'f': case 'F': glutFullScreenToggle(); break;
    case 'q': case 'Q': std::exit(0);
    default: break;
    }
}

void specialKeys(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_UP:
        eye.y = eye.y + climbStep;
        lookAt.y = lookAt.y + climbStep;
        break;
    case GLUT_KEY_DOWN:
        eye.y = eye.y - climbStep;
        lookAt.y = lookAt.y - climbStep;
        break;
    case GLUT_KEY_PAGE_UP:
        // The bounds are doubles and speed a float: the float nearest 0.1 counts as above
        // 0.1, so the lowest level is about 0.05. That is the intended feel of the controls.
        if (kSpeedUpBelow > (double)speed)
            speed = (float)((double)speed + kSpeedStep);
        break;
    case GLUT_KEY_PAGE_DOWN:
        if ((double)speed > kSlowDownAbove)
            speed = (float)((double)speed - kSpeedStep);
        break;
    default:
        break;
    }
}

void mouseMove(int x, int)
{
    // The window can report a zero width while minimised; a NaN steer would turn the
    // heading into NaN for the rest of the run.
    float q = (float)x / (float)std::max(winWidth, 1);
    q = (float)((double)q - 0.5);
    steer = (float)((double)q * 2.0);
}
