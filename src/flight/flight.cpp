// flight.cpp -- the flight state and its per-tick update
#include "flight/flight.h"

#include <cmath>

// Start values, kept apart so resetFlight restores exactly what the program starts with.
static constexpr Vec3 kStartEye = {-1.0f, 1.0f, -1.0f};
static constexpr Vec3 kStartLookAt = {0.0f, 1.0f, 0.0f};
static constexpr float kStartSpeed = 0.1f;          // world units per tick
static constexpr float kTurnGain = 20.0f;
static constexpr float kClimbStep = 0.2f;           // world units per arrow press

Vec3 eye = kStartEye;
Vec3 lookAt = kStartLookAt;
float heading = 0.0f;
float steer = 0.0f;
float speed = kStartSpeed;
float propTime = 0.0f;

float turnGain = kTurnGain;
float climbStep = kClimbStep;

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

void resetFlight()
{
    eye = kStartEye;
    lookAt = kStartLookAt;
    heading = 0.0f;
    steer = 0.0f;
    speed = kStartSpeed;
    propTime = 0.0f;
    turnGain = kTurnGain;
    climbStep = kClimbStep;
    wireframe = 0;
    referenceScene = 0;
    fogOn = 1;
    mountainsOn = 1;
}
