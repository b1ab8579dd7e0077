// flight.cpp -- the flight state and its per-tick update
#include "flight/flight.h"

#include <cmath>

Vec3 eye = {-1.0f, 1.0f, -1.0f};
Vec3 lookAt = {0.0f, 1.0f, 0.0f};
float heading = 0.0f;
float steer = 0.0f;
float speed = 0.1f;
float turnGain = 20.0f;
float climbStep = 0.2f;
float propTime = 0.0f;
int wireframe = 0;
int referenceScene = 0;
int fogOn = 1;
int mountainsOn = 1;

static const double kTurnPerSteer = -0.001;     // radians per tick per unit of steer, before turnGain
static const double kPropTimePerTick = 0.001;   // propeller clock units per tick

void advanceFlight()
{
    // Each step computes in double and rounds to float when it stores.
    heading = (float)((double)heading + ((double)steer * kTurnPerSteer) * (double)turnGain);

    // Aim from the position before this tick's move, along the new heading.
    lookAt.x = (float)(std::sin((double)heading) + (double)eye.x);
    lookAt.z = (float)(std::cos((double)heading) + (double)eye.z);

    eye.x = (float)((double)eye.x + std::sin((double)heading) * (double)speed);
    eye.z = (float)((double)eye.z + std::cos((double)heading) * (double)speed);

    propTime = (float)((double)propTime + kPropTimePerTick);
}
