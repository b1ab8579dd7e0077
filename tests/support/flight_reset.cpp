// flight_reset.cpp -- puts the flight state and toggles back to their start values between tests
#include "support/flight_reset.h"

#include "app/rendering.h"
#include "flight/flight.h"

void resetFlightState()
{
    eye = {-1.0f, 1.0f, -1.0f};
    lookAt = {0.0f, 1.0f, 0.0f};
    heading = 0.0f;
    steer = 0.0f;
    speed = 0.1f;
    propTime = 0.0f;
    wireframe = 0;
    referenceScene = 0;
    fogOn = 1;
    mountainsOn = 1;
    winWidth = 1200;
    winHeight = 1200;
}
