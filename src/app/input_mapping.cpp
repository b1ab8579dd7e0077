// input_mapping.cpp -- pointer, arrows, speed steps and toggles as plain arithmetic on the flight
#include "app/input_mapping.h"

#include "flight/flight.h"

#include <algorithm>

// Speed levels in world units per tick. The bounds are doubles compared with the float speed.
static const double kSpeedUpBelow = 0.55;   // Page Up acts while speed is below this
static const double kSlowDownAbove = 0.1;   // Page Down acts while speed is above this
static const double kSpeedStep = 0.05;      // change per press

static int flipped(int flag)
{
    return flag == 0 ? 1 : 0;
}

void steerToPointer(int x, int windowWidth)
{
    // The window can report a zero width while minimised; a NaN steer would turn the
    // heading into NaN for the rest of the run.
    float q = (float)x / (float)std::max(windowWidth, 1);
    q = (float)((double)q - 0.5);
    steer = (float)((double)q * 2.0);
}

void climb()
{
    eye.y = eye.y + climbStep;
    lookAt.y = lookAt.y + climbStep;
}

void descend()
{
    eye.y = eye.y - climbStep;
    lookAt.y = lookAt.y - climbStep;
}

void speedUp()
{
    // The bounds are doubles and speed a float: the float nearest 0.1 counts as above 0.1, so
    // the lowest level is about 0.05. That is the intended feel of the controls.
    if (kSpeedUpBelow > (double)speed)
        speed = (float)((double)speed + kSpeedStep);
}

void slowDown()
{
    if ((double)speed > kSlowDownAbove)
        speed = (float)((double)speed - kSpeedStep);
}

void flipToggleForKey(unsigned char key)
{
    switch (key) {
    case 'w': case 'W': wireframe = flipped(wireframe); break;
    case 's': case 'S': referenceScene = flipped(referenceScene); break;
    case 'b': case 'B': fogOn = flipped(fogOn); break;
    case 'm': case 'M': mountainsOn = flipped(mountainsOn); break;
    default: break;
    }
}
