// flight_reset.cpp -- puts the flight state and toggles back to the program's start values
#include "support/flight_reset.h"

#include "flight/flight.h"

namespace {

struct FlightState {
    Vec3 eye, lookAt;
    float heading, steer, speed, turnGain, climbStep, propTime;
    int wireframe, referenceScene, fogOn, mountainsOn;
};

FlightState currentFlightState()
{
    return {eye, lookAt, heading, steer, speed, turnGain, climbStep, propTime,
            wireframe, referenceScene, fogOn, mountainsOn};
}

// The flight globals are constant-initialised, so they already hold their start values when
// this dynamic initialiser runs, before main and before any test.
const FlightState startState = currentFlightState();

}  // namespace

void resetFlightState()
{
    const FlightState& s = startState;
    eye = s.eye;
    lookAt = s.lookAt;
    heading = s.heading;
    steer = s.steer;
    speed = s.speed;
    turnGain = s.turnGain;
    climbStep = s.climbStep;
    propTime = s.propTime;
    wireframe = s.wireframe;
    referenceScene = s.referenceScene;
    fogOn = s.fogOn;
    mountainsOn = s.mountainsOn;
}
